#include "PageImage.h"

#include "ChangedArea.h"
#include "PageRenderer.h"
#include "PainterDrawOps.h"
#include "QtTextMeasure.h"

#include <QPainter>
#include <QRegion>

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

void redraw(QImage &image, const core::PageView &view, const core::DrawList &drawing, const std::vector<core::Rect> &area)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    std::vector<core::Rect> within = area;
    if (within.empty())
        within.emplace_back(0, 0, view.inner.width(), view.inner.height());
    QRegion clip;
    for (const core::Rect &r : within)
        clip += QRect(r.x(), r.y(), r.width(), r.height());
    painter.setClipRegion(clip);
    core::DrawState state;
    PainterDrawOps ops(painter, state, float(view.inner.width()), float(view.inner.height()), view.weight.factor() > 1);
    core::ChangedArea::redraw(drawing, ops, within);
}

} // namespace PageImage
