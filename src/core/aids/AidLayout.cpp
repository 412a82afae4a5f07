#include "AidLayout.h"

#include "TextMeasure.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

RectF boxAt(double width, double height, const AidLayout::Place &place)
{
    PointF topLeft = place.at;
    if (place.align & AidLayout::Right)
        topLeft.rx() -= width;
    else if (place.align & AidLayout::HCenter)
        topLeft.rx() -= width / 2;
    if (place.align & AidLayout::Bottom)
        topLeft.ry() -= height;
    else if (place.align & AidLayout::VCenter)
        topLeft.ry() -= height / 2;
    return {topLeft.x(), topLeft.y(), width, height};
}

} // namespace

AidLayout::AidLayout(double width, double height, int fullPx, int smallestPx, const TextMeasure &measure)
    : m_picture(0, 0, width, height), m_fullPx(fullPx), m_smallestPx(smallestPx), m_measure(measure)
{
}

AidLayout::Place AidLayout::inside(unsigned align) const
{
    const RectF room = m_picture.adjusted(gapPx() / 2, gapPx() / 2, -gapPx() / 2, -gapPx() / 2);
    const double x = align & Left ? room.left() : align & Right ? room.right() : room.center().x();
    const double y = align & Top ? room.top() : align & Bottom ? room.bottom() : room.center().y();
    return {PointF(x, y), align};
}

bool AidLayout::clear(const RectF &box, double gap) const
{
    const RectF padded = box.adjusted(-gap, -gap, gap, gap);
    if (!m_picture.contains(box.adjusted(-gap / 2, -gap / 2, gap / 2, gap / 2)))
        return false;
    if (std::any_of(m_areas.begin(), m_areas.end(), [&](const RectF &a) { return a.intersects(padded); }))
        return false;
    return std::none_of(m_discs.begin(), m_discs.end(), [&](const Disc &d) {
        const PointF nearest(std::clamp(d.centre.x(), box.left(), box.right()),
                             std::clamp(d.centre.y(), box.top(), box.bottom()));
        return std::hypot(nearest.x() - d.centre.x(), nearest.y() - d.centre.y()) < d.radius + gap;
    });
}

std::vector<TextCall> AidLayout::place(const std::vector<std::string> &lines, const std::vector<Place> &places,
                                       unsigned lineAlign, int largestPx)
{
    if (lines.empty())
        return {};
    const int startPx = largestPx > 0 ? std::min(largestPx, m_fullPx) : m_fullPx;
    for (const Place &place : places) {
        for (double px = startPx; px >= m_smallestPx; px *= kShrinkStep) {
            const int pixelSize = std::max(1, int(px));
            const TextMeasure::Metrics metrics = m_measure.metrics(pixelSize);
            std::vector<double> widths;
            for (const std::string &line : lines)
                widths.push_back(m_measure.advance(line, pixelSize));
            const double width = *std::max_element(widths.begin(), widths.end());
            const double height = double(lines.size() - 1) * metrics.lineSpacing + metrics.height;
            const RectF box = boxAt(width, height, place);
            if (!clear(box, px * kGapShare))
                continue;

            std::vector<TextCall> calls;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                double left = box.left();
                if (lineAlign & Right)
                    left = box.right() - widths[i];
                else if (lineAlign & HCenter)
                    left = box.center().x() - widths[i] / 2;
                const RectF lineBox(left, box.top() + double(i) * metrics.lineSpacing, widths[i], metrics.height);
                calls.push_back({lines[i], lineBox, pixelSize, kTextColor, kOutlineColor, pixelSize * kOutlineShare});
            }
            avoid(box);
            return calls;
        }
    }
    return {};
}

} // namespace core
