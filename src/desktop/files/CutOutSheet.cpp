#include "CutOutSheet.h"

#include "FigureMath.h"
#include "PainterDrawOps.h"
#include "ParallelogramFigure.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;
// The circle is drawn as in a picture with a radius of this many pixels, a
// quarter millimetre each on paper, so the design's one-pixel radius lines print
// a quarter millimetre wide.
constexpr float kPictureWidthPx = 1500;
constexpr float kPictureHeightPx = 484;
// Numbers stand this far out along each sector, in radii, and take at most this
// share of the sector's width there, and of the radius.
constexpr double kNumberAtRadii = 0.72;
constexpr double kNumberShareOfChord = 0.55;
constexpr double kNumberShareOfRadius = 0.16;
constexpr double kCaptionMm = 5;
constexpr double kQuarterTurnDegrees = 90;
// The figures name pixels by their centres.
constexpr QPointF kPixelCentre(0.5, 0.5);
const QColor kNumberColour(Qt::black);

} // namespace

void CutOutSheet::paint(QPainter &painter, const QRectF &paper, double unitsPerMm, int half, core::LineWeight weight)
{
    const core::ParallelogramFigure figure = core::ParallelogramFigure::compute(kPictureWidthPx, kPictureHeightPx, half, 0);
    if (figure.R <= 0)
        return;
    const double scale = unitsPerMm * kRadiusMm / figure.R;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(paper.center());
    painter.scale(scale, scale);
    const QPointF centre = QPointF(figure.centre.x(), figure.centre.y()) + kPixelCentre;
    painter.translate(-centre);

    core::DrawState state;
    PainterDrawOps ops(painter, state, kPictureWidthPx, kPictureHeightPx);
    figure.paint(ops, weight);

    // Sector j lies between radius lines j and j + 1, clockwise from 3 o'clock,
    // and is the (j + 1)th to move.
    const double labelRadius = kNumberAtRadii * figure.R;
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::min(kNumberShareOfChord * 2 * labelRadius * std::sin(figure.theta / 2),
                                               kNumberShareOfRadius * figure.R))));
    painter.setFont(font);
    painter.setPen(kNumberColour);
    for (int j = 0; j < figure.sectors; ++j) {
        const double angle = (j + 0.5) * figure.theta;
        painter.save();
        painter.translate(centre + labelRadius * QPointF(std::cos(angle), std::sin(angle)));
        // The number's top points out to the arc.
        painter.rotate(angle * core::kDegreesPerHalfTurn / core::kPi + kQuarterTurnDegrees);
        const QRectF box(-figure.R / 2.0, -figure.R / 2.0, figure.R, figure.R);
        painter.drawText(box, Qt::AlignCenter, QString::number(j + 1));
        painter.restore();
    }
    painter.restore();

    QFont caption = painter.font();
    caption.setPixelSize(std::max(1, int(kCaptionMm * unitsPerMm)));
    painter.setFont(caption);
    painter.setPen(kNumberColour);
    painter.drawText(paper, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("円を %1 個の扇形に分けました（半径 6 cm）。\n線にそって切り取り、番号の順に並べてみよう。")
                         .arg(figure.sectors));
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
