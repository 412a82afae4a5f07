#pragma once

#include <QFont>

// The design font "ＭＳ 明朝" resolves to an installed Mincho (IPA Mincho, then
// Noto Serif CJK JP), so Japanese text always renders.
namespace DesignFont {

inline constexpr double kWindowPointSize = 12.0;
inline constexpr double kValueLabelPointSize = 15.75;

void registerSubstitutes();
QFont font(double pointSize);

} // namespace DesignFont
