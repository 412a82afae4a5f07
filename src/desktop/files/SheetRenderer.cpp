#include "SheetRenderer.h"

#include "InkPainter.h"
#include "PageRenderer.h"
#include "PaperDrawOps.h"
#include "QtTextMeasure.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

QRectF SheetRenderer::placement(const QSizeF &inner, const QRectF &printable)
{
    if (inner.isEmpty() || printable.isEmpty())
        return {};
    const double scale = std::min(printable.width() / inner.width(), printable.height() / inner.height());
    const QSizeF size = inner * scale;
    return {printable.center() - QPointF(size.width(), size.height()) / 2, size};
}

void SheetRenderer::paintSheet(QPainter &painter, const QRectF &printable, const Sheet &sheet,
                               PainterDrawOps::Look look)
{
    const QSizeF inner(sheet.view.inner.width(), sheet.view.inner.height());
    const QRectF place = placement(inner, printable);
    if (place.isEmpty())
        return;
    painter.save();
    painter.translate(place.topLeft());
    painter.scale(place.width() / inner.width(), place.height() / inner.height());
    const QRectF area(QPointF(), inner);
    painter.setClipRect(area);
    core::DrawState state;
    PainterDrawOps ops(painter, state, float(inner.width()), float(inner.height()));
    core::PaperDrawOps paper(ops);
    core::DrawOps &surface = look == PainterDrawOps::Look::DarkOnWhite ? static_cast<core::DrawOps &>(paper) : ops;
    core::PageRenderer::paint(surface, sheet.view, QtTextMeasure::instance());
    const core::Similarity frame =
        core::PageRenderer::inkFrame(sheet.view.page, float(inner.width()), float(inner.height()));
    InkPainter::paint(painter, sheet.ink, frame, area, look, sheet.view.weight.factor() > 1);
    painter.restore();
}

bool SheetRenderer::print(QPagedPaintDevice &device, const std::vector<Sheet> &sheets, PainterDrawOps::Look look)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF printable(QPointF(), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintSheet(painter, printable, sheets[i], look);
    }
    return painter.end();
}
