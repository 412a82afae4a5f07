#include "InkView.h"

#include "Convert.h"
#include "InkCanvas.h"

#include <QPainter>

namespace InkView {

void paint(QPainter &painter, core::InkCanvas &ink, const QRect &logicalRect)
{
    // Only where ink may lie: most repaints are the figure's, under a page
    // with little or no ink, and copying a transparent 4K image costs milliseconds.
    const core::Rect device = ink.inkedDeviceRect(Convert::toCore(logicalRect));
    if (device.isEmpty())
        return;
    const qreal ratio = ink.devicePixelRatio();
    const QRectF target(device.x() / ratio, device.y() / ratio, device.width() / ratio, device.height() / ratio);
    if (!ink.liveWithin(device)) {
        painter.drawImage(target, Convert::wrap(ink.image()), Convert::toQt(device));
        return;
    }
    const core::PixelBuffer &part = ink.composed(device);
    painter.drawImage(target, Convert::wrap(part));
}

} // namespace InkView
