#include "AidLayout.h"

#include "AidFont.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

QRectF boxAt(QSizeF size, const AidLayout::Place &place)
{
    QPointF topLeft = place.at;
    if (place.align & Qt::AlignRight)
        topLeft.rx() -= size.width();
    else if (place.align & Qt::AlignHCenter)
        topLeft.rx() -= size.width() / 2;
    if (place.align & Qt::AlignBottom)
        topLeft.ry() -= size.height();
    else if (place.align & Qt::AlignVCenter)
        topLeft.ry() -= size.height() / 2;
    return QRectF(topLeft, size);
}

} // namespace

AidLayout::AidLayout(QSizeF picture, int fullPx, int smallestPx)
    : m_picture(QPointF(0, 0), picture), m_fullPx(fullPx), m_smallestPx(smallestPx)
{
}

AidLayout::Place AidLayout::inside(Qt::Alignment align) const
{
    const QRectF room = m_picture.adjusted(gapPx() / 2, gapPx() / 2, -gapPx() / 2, -gapPx() / 2);
    const double x = align & Qt::AlignLeft ? room.left() : align & Qt::AlignRight ? room.right() : room.center().x();
    const double y = align & Qt::AlignTop ? room.top() : align & Qt::AlignBottom ? room.bottom() : room.center().y();
    return {QPointF(x, y), align};
}

bool AidLayout::clear(const QRectF &box, double gap) const
{
    const QRectF padded = box.adjusted(-gap, -gap, gap, gap);
    if (!m_picture.contains(box.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2)))
        return false;
    if (std::any_of(m_areas.begin(), m_areas.end(), [&](const QRectF &a) { return a.intersects(padded); }))
        return false;
    return std::none_of(m_discs.begin(), m_discs.end(), [&](const Disc &d) {
        const QPointF nearest(std::clamp(d.centre.x(), box.left(), box.right()),
                              std::clamp(d.centre.y(), box.top(), box.bottom()));
        return std::hypot(nearest.x() - d.centre.x(), nearest.y() - d.centre.y()) < d.radius + gap;
    });
}

std::vector<TextCall> AidLayout::place(const QStringList &lines, const std::vector<Place> &places,
                                       Qt::Alignment lineAlign)
{
    if (lines.isEmpty())
        return {};
    for (const Place &place : places) {
        for (double px = m_fullPx; px >= m_smallestPx; px *= kShrinkStep) {
            const QFont font = AidFont::font(int(px));
            const QFontMetricsF metrics(font);
            std::vector<double> widths;
            for (const QString &line : lines)
                widths.push_back(metrics.horizontalAdvance(line));
            const double width = *std::max_element(widths.begin(), widths.end());
            const double height = (lines.size() - 1) * metrics.lineSpacing() + metrics.height();
            const QRectF box = boxAt(QSizeF(width, height), place);
            if (!clear(box, px * kGapShare))
                continue;

            std::vector<TextCall> calls;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                double left = box.left();
                if (lineAlign & Qt::AlignRight)
                    left = box.right() - widths[i];
                else if (lineAlign & Qt::AlignHCenter)
                    left = box.center().x() - widths[i] / 2;
                const QRectF lineBox(left, box.top() + i * metrics.lineSpacing(), widths[i], metrics.height());
                calls.push_back({lines[i], lineBox, font, kTextColor, kOutlineColor, font.pixelSize() * kOutlineShare});
            }
            avoid(box);
            return calls;
        }
    }
    return {};
}
