#include "CutOutSheet.h"

#include "Convert.h"
#include "CutOutCircle.h"
#include "PainterDrawOps.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kCaptionMm = 5;
// The figures name pixels by their centres.
constexpr QPointF kPixelCentre(0.5, 0.5);
const QColor kNumberColour(Qt::black);

} // namespace

void CutOutSheet::paint(QPainter &painter, const QRectF &paper, double unitsPerMm, int half, core::LineWeight weight)
{
    const core::CutOutCircle circle = core::CutOutCircle::compute(half);
    const core::ParallelogramFigure &figure = circle.figure;
    if (figure.R <= 0)
        return;
    const double scale = unitsPerMm / circle.pixelsPerMm();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(paper.center());
    painter.scale(scale, scale);
    painter.translate(-(QPointF(figure.centre.x(), figure.centre.y()) + kPixelCentre));

    core::DrawState state;
    PainterDrawOps ops(painter, state, core::CutOutCircle::kPictureWidthPx, core::CutOutCircle::kPictureHeightPx);
    figure.paint(ops, weight);

    QFont font = painter.font();
    font.setPixelSize(circle.numberPx);
    painter.setPen(kNumberColour);
    for (const core::CutOutCircle::Number &number : circle.numbers) {
        font.setUnderline(number.underlined);
        painter.setFont(font);
        painter.save();
        painter.translate(Convert::toQt(number.at) + kPixelCentre);
        painter.rotate(number.degrees);
        const QRectF box(-figure.R / 2.0, -figure.R / 2.0, figure.R, figure.R);
        painter.drawText(box, Qt::AlignCenter, QString::number(number.value));
        painter.restore();
    }
    painter.restore();

    QFont caption = painter.font();
    caption.setPixelSize(std::max(1, int(kCaptionMm * unitsPerMm)));
    painter.setFont(caption);
    painter.setPen(kNumberColour);
    painter.drawText(paper, Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(circle.caption()));
}

bool CutOutSheet::print(QPagedPaintDevice &device, int half, core::LineWeight weight)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpi = device.logicalDpiX();
    paint(painter, QRectF(QPointF(), device.pageLayout().paintRectPixels(int(dpi)).size()), dpi / kMmPerInch, half,
          weight);
    return painter.end();
}
