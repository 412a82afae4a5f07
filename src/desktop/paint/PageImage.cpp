#include "PageImage.h"

#include "PageRenderer.h"
#include "PainterDrawOps.h"
#include "QtTextMeasure.h"

#include <QPainter>

namespace PageImage {

QImage render(const core::PageView &view, qreal devicePixelRatio)
{
    QImage image((QSizeF(view.inner.width(), view.inner.height()) * devicePixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    renderInto(image, view);
    return image;
}

void renderInto(QImage &image, const core::PageView &view)
{
    QPainter painter(&image);
    // Smoothed, with the fast wide lines of a heavier weight.
    painter.setRenderHint(QPainter::Antialiasing);
    core::DrawState state;
    PainterDrawOps ops(painter, state, float(view.inner.width()), float(view.inner.height()), view.weight.factor() > 1);
    core::PageRenderer::paint(ops, view, QtTextMeasure::instance());
}

} // namespace PageImage
