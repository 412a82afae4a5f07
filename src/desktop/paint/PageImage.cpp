#include "PageImage.h"

#include "ChangedArea.h"
#include "Convert.h"
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

// Qt clips shapes to the bounds of a clip before it smooths them, which moves
// their edges by a shade; a clip of several rectangles whose bounds are the
// whole image is applied to the smoothed rows alone. A pixel in two opposite
// corners makes them so, and is drawn again as it was.
void redraw(QImage &image, const core::PageView &view, const core::DrawList &drawing, const std::vector<core::Rect> &area)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = view.inner.width(), h = view.inner.height();
    std::vector<core::Rect> within = area;
    if (!within.empty())
        within.insert(within.end(), {core::Rect(0, 0, 1, 1), core::Rect(w - 1, h - 1, 1, 1)});
    else
        within.emplace_back(0, 0, w, h);
    QRegion clip;
    for (const core::Rect &r : within)
        clip += Convert::toQt(r);
    painter.setClipRegion(clip);
    core::DrawState state;
    PainterDrawOps ops(painter, state, float(w), float(h), view.weight.factor() > 1);
    core::ChangedArea::redraw(drawing, ops, within);
}

} // namespace PageImage
