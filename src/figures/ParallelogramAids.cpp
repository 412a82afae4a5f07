#include "ParallelogramAids.h"

#include "AidLayout.h"
#include "FigureMath.h"
#include "LessonAids.h"
#include "ParallelogramFigure.h"

#include <QStringList>

#include <cmath>

namespace ParallelogramAids {

namespace {

// A bracket's ends turn towards what it measures by this share of the clearance.
constexpr double kTickShare = 0.5;

QRectF widened(const QRectF &r, double px) { return r.adjusted(-px, -px, px, px); }

void addLine(LessonAids &aids, QPointF from, QPointF to, const QColor &color, int width)
{
    aids.lines.push_back({from, to, color, width, DrawStyle::Solid});
}

// The moved sectors' arcs in the colour the figure gives the circumference
// already moved, which is the part of the circle they came from. And the
// radius that becomes the height.
void addMarks(LessonAids &aids, const ParallelogramFigure &f, LineWeight weight)
{
    const int markPx = weight.px(kMarkWidthPx);
    // Positive angles: the arc alone, without the sector's radius lines.
    for (const ParallelogramFigure::MovedSector &m : f.moved)
        aids.arcs.push_back({m.apex, float(f.R), std::abs(m.start), std::abs(m.end), ParallelogramFigure::kMovedColor, markPx});

    addLine(aids, f.centre, f.centre - QPoint(0, f.R), kRadiusColor, markPx);
    if (f.step > 0) {
        const QPoint foot = f.firstApex;
        addLine(aids, foot, QPointF(foot.x(), round16(foot.y() - f.R * f.c)), kRadiusColor, markPx);
    }
}

// The area formula, in the order it is built. The ideographic spaces are as
// wide as 面積, so every = stands in one column.
const QStringList &formula()
{
    static const QStringList kLines = {
        QStringLiteral("面積 = 底辺 × 高さ"),
        QStringLiteral("　　 = 円周の半分 × 半径"),
        QStringLiteral("　　 = 直径 × 3.14 ÷ 2 × 半径"),
        QStringLiteral("　　 = 半径 × 半径 × 3.14"),
    };
    return kLines;
}

} // namespace

void add(LessonAids &aids, AidLayout &layout, float scaleWidth, float scaleHeight, int half, int step,
         int formulaLines, LineWeight weight)
{
    const ParallelogramFigure f = ParallelogramFigure::compute(scaleWidth, scaleHeight, half, step);
    addMarks(aids, f, weight);
    if (f.step < f.sectors || f.R == 0)
        return;

    const double lean = f.R * f.s;
    const double height = f.R * f.c;
    const QPointF bottomLeft(f.firstApex);
    const double top = bottomLeft.y() - f.R;                // highest point of the point-down arcs
    const double bottom = bottomLeft.y() - height + f.R;    // lowest point of the point-up arcs
    const double baseEnd = bottomLeft.x() + f.sectors * lean;
    const double outlinePx = weight.px(ParallelogramFigure::kOutlineWidthPx);
    const double bracketPx = weight.px(kBracketWidthPx);
    const double gap = layout.gapPx();
    const double tick = gap * kTickShare;

    layout.avoidDisc(f.centre, f.R + outlinePx);
    layout.avoid(widened(QRectF(QPointF(bottomLeft.x() - lean, top), QPointF(baseEnd, bottom)), outlinePx));

    // Brackets: the height beside the slanted left side, the base under the bulges.
    const double heightX = bottomLeft.x() - lean - gap;
    const QPointF heightTop(heightX, bottomLeft.y() - height);
    const QPointF heightFoot(heightX, bottomLeft.y());
    addLine(aids, heightTop + QPointF(tick, 0), heightTop, kRadiusColor, bracketPx);
    addLine(aids, heightTop, heightFoot, kRadiusColor, bracketPx);
    addLine(aids, heightFoot, heightFoot + QPointF(tick, 0), kRadiusColor, bracketPx);
    const double baseY = bottom + gap;
    const QPointF baseLeft(bottomLeft.x(), baseY);
    const QPointF baseRight(baseEnd, baseY);
    addLine(aids, baseLeft - QPointF(0, tick), baseLeft, ParallelogramFigure::kMovedColor, bracketPx);
    addLine(aids, baseLeft, baseRight, ParallelogramFigure::kMovedColor, bracketPx);
    addLine(aids, baseRight, baseRight - QPointF(0, tick), ParallelogramFigure::kMovedColor, bracketPx);
    layout.avoid(widened(QRectF(heightTop, heightFoot + QPointF(tick, 0)), bracketPx / 2));
    layout.avoid(widened(QRectF(baseLeft - QPointF(0, tick), baseRight), bracketPx / 2));

    // Text keeps its clearance from a bracket's line, not only from its middle.
    const double clearance = gap + bracketPx;
    const QString heightWord = QStringLiteral("高さ"), heightIs = QStringLiteral("≈ 半径");
    const double heightMiddle = bottomLeft.y() - height / 2;
    std::vector<TextCall> heightLabel =
        layout.place({heightWord, heightIs},
                     {{QPointF(heightX - clearance, heightMiddle), Qt::AlignRight | Qt::AlignVCenter},
                      {QPointF(heightX - clearance, bottomLeft.y()), Qt::AlignRight | Qt::AlignBottom},
                      {QPointF(heightX + tick, baseY + clearance), Qt::AlignRight | Qt::AlignTop}},
                     Qt::AlignRight);
    if (heightLabel.empty())
        heightLabel = layout.place({heightWord + QLatin1Char(' ') + heightIs},
                                   {{QPointF(heightX, top - clearance), Qt::AlignLeft | Qt::AlignBottom}});
    aids.texts.insert(aids.texts.end(), heightLabel.begin(), heightLabel.end());
    for (const TextCall &t : layout.place({QStringLiteral("底辺 ≈ 円周の半分")},
                                          {{QPointF((bottomLeft.x() + baseEnd) / 2, baseY + clearance),
                                            Qt::AlignHCenter | Qt::AlignTop}}))
        aids.texts.push_back(t);

    if (formulaLines == 0)
        return;
    // Placed whole, so the lines already shown stay put as the rest arrive.
    const std::vector<TextCall> lines =
        layout.place(formula(), {layout.inside(Qt::AlignTop | Qt::AlignRight),
                                 {QPointF(2 * f.centre.x() + gap, gap), Qt::AlignLeft | Qt::AlignTop},
                                 layout.inside(Qt::AlignBottom | Qt::AlignRight)});
    aids.texts.insert(aids.texts.end(), lines.begin(), lines.begin() + std::min<std::size_t>(formulaLines, lines.size()));
}

} // namespace ParallelogramAids
