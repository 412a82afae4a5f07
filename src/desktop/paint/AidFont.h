#pragma once

#include <QFont>

// The lesson aids' lettering: a Gothic Japanese face, which reads from the back
// of a classroom better than the window's Mincho. IPA P Gothic (installed with
// the program), then Noto Sans CJK JP, then whatever sans-serif face is there.
namespace AidFont {

QFont font(int pixelSize);

} // namespace AidFont
