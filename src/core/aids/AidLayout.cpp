#include "AidLayout.h"

#include "LessonAids.h"
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
        // Squares, not hypot: a name set just clear of a circle must not turn on
        // the last bit of one platform's libm.
        const double dx = nearest.x() - d.centre.x(), dy = nearest.y() - d.centre.y(), reach = d.radius + gap;
        return dx * dx + dy * dy < reach * reach;
    });
}

std::vector<TextCall> AidLayout::place(const std::vector<std::string> &lines, const std::vector<Place> &places,
                                       unsigned lineAlign, int largestPx)
{
    return commit(fit(lines, places, lineAlign, largestPx, m_smallestPx, false));
}

// Sizes are measured once each, however many places are tried at them.
std::vector<TextCall> AidLayout::fit(const std::vector<std::string> &lines, const std::vector<Place> &places,
                                     unsigned lineAlign, int largestPx, int smallestPx, bool largestFirst) const
{
    if (lines.empty())
        return {};
    struct Size
    {
        int pixelSize;
        TextMeasure::Metrics metrics;
        std::vector<double> widths;
    };
    std::vector<Size> sizes;
    const int startPx = largestPx > 0 ? std::min(largestPx, m_fullPx) : m_fullPx;
    // A block held to a size below the least still takes that size.
    const double leastPx = std::max(1, std::min(smallestPx, startPx));
    for (double px = startPx; px >= leastPx; px *= kShrinkStep) {
        Size size{std::max(1, int(px)), m_measure.metrics(std::max(1, int(px))), {}};
        for (const std::string &line : lines)
            size.widths.push_back(m_measure.advance(line, size.pixelSize));
        sizes.push_back(std::move(size));
    }
    const auto tryAt = [&](const Place &place, const Size &size) {
        std::vector<TextCall> calls;
        const double width = *std::max_element(size.widths.begin(), size.widths.end());
        const double height = double(lines.size() - 1) * size.metrics.lineSpacing + size.metrics.height;
        const RectF box = boxAt(width, height, place);
        if (!clear(box, size.pixelSize * kGapShare))
            return calls;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            double left = box.left();
            if (lineAlign & Right)
                left = box.right() - size.widths[i];
            else if (lineAlign & HCenter)
                left = box.center().x() - size.widths[i] / 2;
            const RectF lineBox(left, box.top() + double(i) * size.metrics.lineSpacing, size.widths[i], size.metrics.height);
            calls.push_back({lines[i], lineBox, size.pixelSize, kTextColor, kOutlineColor, size.pixelSize * kOutlineShare});
        }
        return calls;
    };
    const std::size_t outer = largestFirst ? sizes.size() : places.size();
    const std::size_t inner = largestFirst ? places.size() : sizes.size();
    for (std::size_t i = 0; i < outer; ++i)
        for (std::size_t j = 0; j < inner; ++j)
            if (std::vector<TextCall> calls = largestFirst ? tryAt(places[j], sizes[i]) : tryAt(places[i], sizes[j]);
                !calls.empty())
                return calls;
    return {};
}

std::vector<TextCall> AidLayout::commit(std::vector<TextCall> calls)
{
    if (calls.empty())
        return calls;
    RectF box = calls.front().box;
    for (const TextCall &call : calls)
        box = box.united(call.box);
    avoid(box);
    m_blocks.push_back(box);
    return calls;
}

// Every corner and the middle of every edge, then against each block placed:
// below it, above it, and beside it as a second column.
std::vector<AidLayout::Place> AidLayout::elsewhere() const
{
    std::vector<Place> places;
    for (const unsigned align : {Top | Left, Top | Right, Bottom | Left, Bottom | Right, Left | VCenter,
                                 Right | VCenter, Top | HCenter, Bottom | HCenter})
        places.push_back(inside(align));
    const double gap = gapPx();
    for (const RectF &b : m_blocks) {
        places.push_back({PointF(b.left(), b.bottom() + gap), Left | Top});
        places.push_back({PointF(b.right(), b.bottom() + gap), Right | Top});
        places.push_back({PointF(b.left(), b.top() - gap), Left | Bottom});
        places.push_back({PointF(b.right(), b.top() - gap), Right | Bottom});
        places.push_back({PointF(b.right() + gap, b.top()), Left | Top});
        places.push_back({PointF(b.left() - gap, b.top()), Right | Top});
        places.push_back({PointF(b.right() + gap, b.bottom()), Left | Bottom});
        places.push_back({PointF(b.left() - gap, b.bottom()), Right | Bottom});
    }
    return places;
}

std::vector<TextCall> AidLayout::placeBlock(const std::string &name, const std::vector<std::string> &lines,
                                            const std::vector<Place> &places, const std::vector<std::string> &narrow,
                                            int largestPx)
{
    // In its places, whole lines, smaller if need be, then its narrow lines;
    // away from them, whichever form takes the larger letters.
    const int smallestElsewherePx = std::max(1, int(m_smallestPx * kElsewhereShare));
    std::vector<TextCall> best = fit(lines, places, Left, largestPx, smallestElsewherePx, false);
    if (best.empty())
        best = fit(narrow, places, Left, largestPx, m_smallestPx, false);
    if (best.empty())
        for (const std::vector<std::string> *form : {&lines, &narrow}) {
            std::vector<TextCall> calls = fit(*form, elsewhere(), Left, largestPx, smallestElsewherePx, true);
            if (!calls.empty() && (best.empty() || calls.front().pixelSize > best.front().pixelSize))
                best = std::move(calls);
        }
    if (best.empty() && !lines.empty())
        leftOut(name);
    return commit(std::move(best));
}

std::vector<TextCall> AidLayout::leftOutNote()
{
    if (m_leftOut.empty())
        return {};
    std::string line = "入りきらない説明：";
    for (std::size_t i = 0; i < m_leftOut.size(); ++i)
        line += (i ? "・" : "") + m_leftOut[i];
    const std::vector<std::string> lines{line};
    // A note for the teacher: the least size any aid takes.
    return commit(fit(lines, elsewhere(), Left, m_smallestPx, std::min(m_smallestPx, LessonAids::kSmallestTextPx), true));
}

} // namespace core
