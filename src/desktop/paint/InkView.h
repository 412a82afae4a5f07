#pragma once

#include <QRect>

class QPainter;

namespace core {
class InkCanvas;
}

// Paints a page's ink, finished and in progress, with a QPainter in logical pixels.
namespace InkView {

void paint(QPainter &painter, core::InkCanvas &ink, const QRect &logicalRect);

} // namespace InkView
