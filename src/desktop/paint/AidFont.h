#pragma once

#include <QFont>

// The lesson aids' lettering: a Gothic Japanese face, which reads from the back
// of a classroom better than the window's Mincho. IPA P Gothic (installed with
// the program on Linux), else the Gothic that Windows or macOS brings, else
// whatever sans-serif face is there.
namespace AidFont {

QFont font(int pixelSize);

} // namespace AidFont
