#include "PracticeFigure.h"

#include "AidLayout.h"
#include "DrawOps.h"
#include "PageView.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

namespace core {

namespace {

using Shape = PracticeProblem::Shape;
using Interval = std::optional<std::pair<double, double>>;

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
// A start just below zero gives a sector its radius line at 3 o'clock.
constexpr double kJustBelowZero = -0.00001;
constexpr double kHalfTurn = 180;
constexpr double kQuarterTurn = 90;
constexpr double kFullTurn = 360;
// The angle's label sits this share of the radius out along the sector's middle.
constexpr double kAngleLabelShare = 0.4;
const std::string kPrompt = "色のついた部分の面積は？";
const std::string kExpressionMark = "式　";
const std::string kAnswerMark = "答え　";
const std::string kEquals = "＝ ";
const std::string kIndent = "　　";

// The figure's centimetres on the picture: a uniform scale about a corner,
// onto whole pixels, so a one-pixel line lies on one column in every front-end.
struct Scale
{
    PointF origin;
    double px = 0;

    PointF at(double x, double y) const
    {
        const PointF p = origin + PointF(x, y) * px;
        return {std::round(p.x()), std::round(p.y())};
    }
    double length(double cm) const { return std::round(cm * px); }
};

// Whole pixels whose centres lie in each row's interval; rows alike are one box.
std::vector<RectF> rowsOf(double top, double bottom, const std::function<Interval(double y)> &span)
{
    std::vector<RectF> rows;
    for (double y = std::ceil(top); y <= std::floor(bottom); ++y) {
        const Interval s = span(y);
        if (!s)
            continue;
        const double from = std::ceil(s->first), to = std::floor(s->second);
        if (to < from)
            continue;
        if (!rows.empty() && rows.back().left() == from && rows.back().width() == to - from + 1 &&
            rows.back().bottom() == y) {
            rows.back() = rows.back().adjusted(0, 0, 0, 1);
            continue;
        }
        rows.emplace_back(from, y, to - from + 1, 1);
    }
    return rows;
}

// Half the chord of a circle at a distance from its centre; none past its edge.
std::optional<double> halfChord(double radius, double distance)
{
    if (std::abs(distance) > radius)
        return std::nullopt;
    return std::sqrt(radius * radius - distance * distance);
}

class Builder
{
public:
    Builder(PracticeFigure &f, const Scale &s, LineWeight weight) : m_f(f), m_s(s), m_weight(weight) {}

    void pie(PointF centre, double radius, double from, double to, const Color &colour)
    {
        m_f.fills.push_back({centre, radius, from, to, {}, colour});
    }
    void disc(PointF centre, double radius, const Color &colour) { pie(centre, radius, 0, kFullTurn, colour); }
    void rows(std::vector<RectF> rows, const Color &colour) { m_f.fills.push_back({{}, 0, 0, 0, std::move(rows), colour}); }
    void box(const RectF &r, const Color &colour)
    {
        rows(rowsOf(r.top(), r.bottom(), [&](double) { return Interval({r.left(), r.right()}); }), colour);
    }
    void arc(PointF centre, double radius, double from, double to, const Color &colour = PracticeFigure::kOutlineColor,
             int designPx = PracticeFigure::kOutlinePx)
    {
        // Equal ends draw the whole circle.
        const double end = to - from >= kFullTurn ? from : to;
        m_f.marks.arcs.push_back({centre, float(radius), float(from * kRadiansPerDegree), float(end * kRadiansPerDegree),
                                  colour, m_weight.px(designPx)});
    }
    void line(PointF from, PointF to, int designPx = PracticeFigure::kOutlinePx,
              const Color &colour = PracticeFigure::kOutlineColor)
    {
        m_f.marks.lines.push_back({from, to, colour, m_weight.px(designPx)});
    }
    void square(const RectF &r)
    {
        line(r.topLeft(), PointF(r.right(), r.top()));
        line(PointF(r.right(), r.top()), r.bottomRight());
        line(r.bottomRight(), PointF(r.left(), r.bottom()));
        line(PointF(r.left(), r.bottom()), r.topLeft());
    }
    const Scale &scale() const { return m_s; }

private:
    PracticeFigure &m_f;
    const Scale &m_s;
    LineWeight m_weight;
};

// The drawing's size in centimetres: every step's parts fit in it.
PointF extentOf(const PracticeProblem &p)
{
    const double a = p.first(), b = p.second();
    switch (p.kind().shape) {
    case Shape::HalfCircle:
        return {a, a};
    case Shape::QuarterCircle:
    case Shape::Sector:
    case Shape::Ring:
        return {2 * a, 2 * a};
    case Shape::SquareLessQuarter:
    case Shape::Leaf:
        return {a, a};
    case Shape::Track:
        return {2 * a + b, 2 * a};
    }
    return {1, 1};
}

// A label beside a point of the figure; where it cannot go, the next place.
struct Label
{
    std::string text;
    std::vector<AidLayout::Place> places;
};

// A part of a circle: the rest of the circle joins it once it is cut.
void circlePart(Builder &b, const PracticeProblem &p, int step, std::vector<Label> &labels)
{
    const Scale &s = b.scale();
    const bool half = p.kind().shape == Shape::HalfCircle;
    const double r = half ? p.first() / 2.0 : p.first();
    const PointF c = s.at(r, r);
    const double R = s.length(r), degrees = p.kind().degrees;
    b.pie(c, R, 0, degrees, step >= 1 ? PracticeFigure::kFirstTint : PracticeFigure::kAskedFill);
    if (step >= 1)
        b.arc(c, R, degrees, kFullTurn, PracticeFigure::kRestOfCircleColor);
    b.arc(c, R, 0, degrees);
    const PointF end(c.x() + R * std::cos(degrees * kRadiansPerDegree), c.y() - R * std::sin(degrees * kRadiansPerDegree));
    b.line(half ? PointF(c.x() - R, c.y()) : c, PointF(c.x() + R, c.y()));
    if (!half)
        b.line(c, end);
    const PointF under = half ? c : PointF(c.x() + R / 2, c.y());
    labels.push_back({p.firstLabel(), {{under, AidLayout::HCenter | AidLayout::Top}}});
    if (!p.angleLabel().empty()) {
        const double middle = degrees / 2 * kRadiansPerDegree, out = R * kAngleLabelShare;
        labels.push_back({p.angleLabel(),
                          {{PointF(c.x() + out * std::cos(middle), c.y() - out * std::sin(middle)),
                            AidLayout::HCenter | AidLayout::VCenter}}});
    }
}

// A square with quarter circles of its side about its corners.
void squareWithQuarters(Builder &b, const PracticeProblem &p, int step, std::vector<Label> &labels)
{
    const Scale &s = b.scale();
    const double a = p.first();
    const RectF sq(s.at(0, 0), s.at(a, a));
    const double side = sq.width();
    const PointF lowerLeft(sq.left(), sq.bottom()), upperRight(sq.right(), sq.top());
    // Each row's reach of the quarter about the lower left, and of the one about the upper right.
    const auto reachA = [&](double y) { return halfChord(side, y - sq.bottom()).value_or(0); };
    const auto reachB = [&](double y) { return halfChord(side, y - sq.top()).value_or(0); };
    const bool leaf = p.kind().shape == Shape::Leaf;
    if (!leaf) {
        const auto outside = [&](double y) { return Interval({sq.left() + reachA(y), sq.right()}); };
        if (step >= 1) {
            b.box(sq, PracticeFigure::kFirstTint);
            b.pie(lowerLeft, side, 0, kQuarterTurn, PracticeFigure::kSecondTint);
        } else {
            b.rows(rowsOf(sq.top(), sq.bottom(), outside), PracticeFigure::kAskedFill);
        }
        b.arc(lowerLeft, side, 0, kQuarterTurn);
    } else {
        const auto both = [&](double y) {
            return Interval({std::max(sq.left(), sq.right() - reachB(y)), std::min(sq.right(), sq.left() + reachA(y))});
        };
        if (step >= 1) {
            b.box(sq, PracticeFigure::kBothTint);
            b.rows(rowsOf(sq.top(), sq.bottom(), [&](double y) {
                       return Interval({sq.left(), std::min(sq.left() + reachA(y), sq.right() - reachB(y))});
                   }),
                   PracticeFigure::kFirstTint);
            b.rows(rowsOf(sq.top(), sq.bottom(), [&](double y) {
                       return Interval({std::max(sq.left() + reachA(y), sq.right() - reachB(y)), sq.right()});
                   }),
                   PracticeFigure::kSecondTint);
        } else {
            b.rows(rowsOf(sq.top(), sq.bottom(), both), PracticeFigure::kAskedFill);
        }
        b.arc(lowerLeft, side, 0, kQuarterTurn, step >= 1 ? PracticeFigure::kFirstTint : PracticeFigure::kOutlineColor);
        b.arc(upperRight, side, kHalfTurn, kHalfTurn + kQuarterTurn,
              step >= 1 ? PracticeFigure::kSecondTint : PracticeFigure::kOutlineColor);
    }
    b.square(sq);
    labels.push_back({p.firstLabel(), {{PointF(sq.center().x(), sq.bottom()), AidLayout::HCenter | AidLayout::Top}}});
}

void ring(Builder &b, const PracticeProblem &p, int step, std::vector<Label> &labels)
{
    const Scale &s = b.scale();
    const PointF c = s.at(p.first(), p.first());
    const double outer = s.length(p.first()), inner = s.length(p.second());
    if (step >= 1) {
        b.disc(c, outer, PracticeFigure::kFirstTint);
        b.disc(c, inner, PracticeFigure::kSecondTint);
    } else {
        // Left and right of the hole in each row; a whole chord above and below it.
        const auto chord = [&](double radius, double y) { return halfChord(radius, y - c.y()); };
        b.rows(rowsOf(c.y() - outer, c.y() + outer, [&](double y) {
                   const double o = chord(outer, y).value_or(0);
                   const std::optional<double> i = chord(inner, y);
                   return Interval({c.x() - o, i ? std::nextafter(c.x() - *i, c.x() - o) : c.x() + o});
               }),
               PracticeFigure::kAskedFill);
        b.rows(rowsOf(c.y() - inner, c.y() + inner, [&](double y) {
                   const std::optional<double> i = chord(inner, y);
                   return i ? Interval({std::nextafter(c.x() + *i, c.x() + outer), c.x() + chord(outer, y).value_or(0)})
                            : std::nullopt;
               }),
               PracticeFigure::kAskedFill);
    }
    b.arc(c, outer, 0, kFullTurn);
    b.arc(c, inner, 0, kFullTurn);
    b.line(c, PointF(c.x() + outer, c.y()), PracticeFigure::kThinPx);
    b.line(c, PointF(c.x() - inner, c.y()), PracticeFigure::kThinPx);
    labels.push_back({p.firstLabel(), {{PointF(c.x() + (inner + outer) / 2, c.y()), AidLayout::HCenter | AidLayout::Bottom},
                                       {PointF(c.x() + outer / 2, c.y()), AidLayout::HCenter | AidLayout::Top}}});
    labels.push_back({p.secondLabel(), {{PointF(c.x() - inner / 2, c.y()), AidLayout::HCenter | AidLayout::Bottom},
                                        {PointF(c.x() - inner / 2, c.y()), AidLayout::HCenter | AidLayout::Top}}});
}

void track(Builder &b, const PracticeProblem &p, int step, std::vector<Label> &labels)
{
    const Scale &s = b.scale();
    const double r = p.first(), straight = p.second();
    const RectF body(s.at(r, 0), s.at(r + straight, 2 * r));
    const double R = s.length(r);
    const PointF left(body.left(), body.center().y()), right(body.right(), body.center().y());
    const Color bodyFill = step >= 1 ? PracticeFigure::kFirstTint : PracticeFigure::kAskedFill;
    const Color endFill = step >= 1 ? PracticeFigure::kSecondTint : PracticeFigure::kAskedFill;
    b.box(body, bodyFill);
    b.pie(left, R, kQuarterTurn, kQuarterTurn + kHalfTurn, endFill);
    b.pie(right, R, kHalfTurn + kQuarterTurn, kFullTurn + kQuarterTurn, endFill);
    b.arc(left, R, kQuarterTurn, kQuarterTurn + kHalfTurn);
    b.arc(right, R, kHalfTurn + kQuarterTurn, kFullTurn + kQuarterTurn);
    b.line(body.topLeft(), PointF(body.right(), body.top()));
    b.line(PointF(body.left(), body.bottom()), body.bottomRight());
    if (step >= 1) {
        b.line(body.topLeft(), PointF(body.left(), body.bottom()), PracticeFigure::kThinPx);
        b.line(PointF(body.right(), body.top()), body.bottomRight(), PracticeFigure::kThinPx);
    }
    b.line(right, PointF(right.x() + R, right.y()), PracticeFigure::kThinPx);
    labels.push_back({p.secondLabel(), {{PointF(body.center().x(), body.top()), AidLayout::HCenter | AidLayout::Bottom}}});
    // A half circle's radius is short beside its label: the label goes past its end.
    labels.push_back({p.firstLabel(), {{PointF(right.x() + R, right.y()), AidLayout::Left | AidLayout::VCenter},
                                       {PointF(right.x() + R / 2, right.y()), AidLayout::HCenter | AidLayout::Top}}});
}

// The expression on two lines: broken at the sign nearest its middle, a sum's or difference's first.
std::pair<std::string, std::string> brokenInTwo(const std::string &expression)
{
    for (const std::string sign : {" − ", " ＋ "})
        if (const std::size_t at = expression.find(sign); at != std::string::npos)
            return {expression.substr(0, at), expression.substr(at + 1)};
    std::size_t best = std::string::npos;
    for (const std::string sign : {" × ", " ÷ "})
        for (std::size_t at = expression.find(sign); at != std::string::npos; at = expression.find(sign, at + 1))
            if (best == std::string::npos ||
                std::abs(double(at) - double(expression.size()) / 2) < std::abs(double(best) - double(expression.size()) / 2))
                best = at;
    if (best == std::string::npos)
        return {expression, {}};
    return {expression.substr(0, best), expression.substr(best + 1)};
}

} // namespace

int PracticeFigure::steps(int) { return kSteps; }

RectF PracticeFigure::regionOf(double width, double height)
{
    if (width >= height) {
        const double side = std::min(height, width * kFigureShare);
        return {0, (height - side) / 2, side, side};
    }
    const double side = std::min(width, height * kFigureShare);
    return {(width - side) / 2, 0, side, side};
}

Similarity PracticeFigure::frame(float scaleWidth, float scaleHeight)
{
    const RectF r = regionOf(scaleWidth, scaleHeight);
    return {r.topLeft(), r.width()};
}

std::vector<std::string> PracticeFigure::working(bool oneLine) const
{
    std::vector<std::string> lines{kPrompt};
    for (const std::string &cut : problem.cut())
        lines.push_back(cut);
    if (oneLine) {
        lines.push_back(kExpressionMark + problem.expression());
    } else {
        const auto [head, tail] = brokenInTwo(problem.expression());
        lines.push_back(kExpressionMark + head);
        lines.push_back(kIndent + tail);
    }
    lines.push_back(kIndent + kEquals + problem.answerWorked());
    lines.push_back(kAnswerMark + problem.answerText());
    return lines;
}

PracticeFigure PracticeFigure::compute(const PageView &view, const TextMeasure *measure)
{
    PracticeFigure f{PracticeProblem(view.choice, view.value, view.second), std::clamp(view.step, 0, kSteps), {}, {}, {}, {}};
    const double width = view.inner.width(), height = view.inner.height();
    const int fullPx = int(std::lround(kTextShare * std::min(width, height)));
    const int smallestPx = std::max(LessonAids::kSmallestTextPx, int(std::ceil(fullPx * kSmallestShare)));
    f.region = regionOf(width, height);
    const double room = kLabelRoom * fullPx;
    const RectF box = f.region.adjusted(room, room, -room, -room);
    if (box.isEmpty() || fullPx <= 0)
        return f;

    const PointF extent = extentOf(f.problem);
    const double px = std::min(box.width() / extent.x(), box.height() / extent.y());
    const Scale scale{box.center() - PointF(extent.x(), extent.y()) * (px / 2), px};
    f.drawn = RectF(scale.at(0, 0), scale.at(extent.x(), extent.y()));
    Builder b(f, scale, view.weight);
    std::vector<Label> labels;
    switch (f.problem.kind().shape) {
    case Shape::HalfCircle:
    case Shape::QuarterCircle:
    case Shape::Sector:
        circlePart(b, f.problem, f.step, labels);
        break;
    case Shape::SquareLessQuarter:
    case Shape::Leaf:
        squareWithQuarters(b, f.problem, f.step, labels);
        break;
    case Shape::Ring:
        ring(b, f.problem, f.step, labels);
        break;
    case Shape::Track:
        track(b, f.problem, f.step, labels);
        break;
    }

    if (!measure)
        return f;
    // The lengths go beside their lines, a gap away, and never over one another.
    AidLayout lengths(width, height, fullPx, smallestPx, *measure);
    std::vector<RectF> taken{f.drawn};
    const double gap = lengths.gapPx();
    for (Label &label : labels) {
        for (AidLayout::Place &place : label.places) {
            place.at.rx() += place.align & AidLayout::Right ? -gap : place.align & AidLayout::Left ? gap : 0;
            place.at.ry() += place.align & AidLayout::Bottom ? -gap : place.align & AidLayout::Top ? gap : 0;
        }
        for (const TextCall &t : lengths.place({label.text}, label.places)) {
            f.marks.texts.push_back(t);
            taken.push_back(t.box);
        }
    }

    // The working beside the figure and its lengths, else below them, at the
    // largest size it takes, on one line where it can; placed whole, so no
    // step moves or resizes what the class already sees.
    const double beside = gap * 2;
    RectF figureAndLengths = f.region;
    for (const RectF &r : taken)
        figureAndLengths = figureAndLengths.united(r);
    const AidLayout::Place places[] = {
        {PointF(figureAndLengths.right() + beside, f.region.top() + room), AidLayout::Left | AidLayout::Top},
        {PointF(f.region.left() + room, figureAndLengths.bottom() + beside), AidLayout::Left | AidLayout::Top},
        {PointF(width - beside, beside), AidLayout::Right | AidLayout::Top},
        {PointF(beside, height - beside), AidLayout::Left | AidLayout::Bottom}};
    const int cutLines = int(f.problem.cut().size());
    constexpr int kPromptLines = 1, kAnswerLines = 2;
    constexpr std::pair<bool, double> kTries[] = {{true, kOneLineShare}, {false, kOneLineShare}, {false, kSmallestShare}};
    for (const AidLayout::Place &place : places) {
        for (const auto &[oneLine, leastShare] : kTries) {
            AidLayout working(width, height, fullPx, std::max(smallestPx, int(std::ceil(fullPx * leastShare))), *measure);
            for (const RectF &r : taken)
                working.avoid(r);
            std::vector<TextCall> calls = working.place(f.working(oneLine), {place});
            if (calls.empty())
                continue;
            const int all = int(calls.size());
            const int shown[kSteps + 1] = {kPromptLines, kPromptLines + cutLines, all - kAnswerLines, all};
            calls.resize(std::size_t(shown[f.step]));
            f.marks.texts.insert(f.marks.texts.end(), calls.begin(), calls.end());
            return f;
        }
    }
    return f;
}

void PracticeFigure::paint(DrawOps &ops) const
{
    const Color foreColor = ops.ForeColor();
    const DrawStyle drawStyle = ops.drawStyle();
    const FillStyle fillStyle = ops.fillStyle();
    const Color fillColor = ops.FillColor();
    ops.setDrawStyle(DrawStyle::Invisible);
    ops.setFillStyle(FillStyle::Solid);
    for (const Fill &fill : fills) {
        if (!fill.rows.empty()) {
            for (const RectF &row : fill.rows)
                ops.Box(row, fill.colour);
            continue;
        }
        ops.setFillColor(fill.colour);
        if (fill.toDegrees - fill.fromDegrees >= kFullTurn)
            ops.Circle(fill.centre, float(fill.radius));
        else
            ops.Circle(fill.centre, float(fill.radius), std::nullopt,
                       float(fill.fromDegrees > 0 ? -fill.fromDegrees * kRadiansPerDegree : kJustBelowZero),
                       float(-fill.toDegrees * kRadiansPerDegree));
    }
    ops.setForeColor(foreColor);
    ops.setDrawStyle(drawStyle);
    ops.setFillStyle(fillStyle);
    ops.setFillColor(fillColor);
    LessonAids figure = marks;
    figure.texts.clear();
    figure.paint(ops);
}

void PracticeFigure::paintWords(DrawOps &ops) const
{
    LessonAids words;
    words.texts = marks.texts;
    words.paint(ops);
}

} // namespace core
