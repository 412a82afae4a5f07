#include "ToolIcons.h"

#include "DrawOps.h"
#include "IntMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

namespace core::ToolIcons {

namespace {

constexpr double kGrid = 24;
constexpr double kDegree = std::numbers::pi / 180;
const Color kEraserPink{255, 160, 190};
const Color kPaper{255, 255, 255};
const Color kSky{120, 190, 255};

// An icon drawn on the 24-unit grid, scaled to the drawing area.
class Pen
{
public:
    Pen(DrawOps &ops, const Color &ink) : m_ops(ops), m_unit(std::min(ops.ScaleWidth(), ops.ScaleHeight()) / kGrid), m_ink(ink)
    {
        width(2);
    }

    PointF at(double x, double y) const { return {x * m_unit, y * m_unit}; }
    void width(double units) { m_ops.setDrawWidth(std::max(1, round32(units * m_unit))); }
    void line(double x1, double y1, double x2, double y2, const std::optional<Color> &colour = {})
    {
        m_ops.setForeColor(colour.value_or(m_ink));
        m_ops.Line(at(x1, y1), at(x2, y2));
    }
    // Whole pixels, so boxes that meet leave no seam.
    void box(double x, double y, double w, double h, const std::optional<Color> &colour = {})
    {
        m_ops.Box(RectF(at(x, y).x(), at(x, y).y(), w * m_unit, h * m_unit), colour.value_or(m_ink));
    }
    void frame(double x, double y, double w, double h)
    {
        line(x, y, x + w, y);
        line(x + w, y, x + w, y + h);
        line(x + w, y + h, x, y + h);
        line(x, y + h, x, y);
    }
    void disc(double x, double y, double r, const Color &fill, bool outlined = true)
    {
        m_ops.setFillStyle(FillStyle::Solid);
        m_ops.setFillColor(fill);
        m_ops.setForeColor(m_ink);
        m_ops.setDrawStyle(outlined ? DrawStyle::Solid : DrawStyle::Invisible);
        m_ops.Circle(at(x, y), float(r * m_unit));
        m_ops.setDrawStyle(DrawStyle::Solid);
        m_ops.setFillStyle(FillStyle::Transparent);
    }
    const Color &ink() const { return m_ink; }
    void ring(double x, double y, double r)
    {
        m_ops.setForeColor(m_ink);
        m_ops.Circle(at(x, y), float(r * m_unit));
    }
    // Counter-clockwise from 3 o'clock, in degrees; `pie` closes it through the centre, filled.
    void arc(double x, double y, double r, double from, double to, const std::optional<Color> &pie = {})
    {
        m_ops.setForeColor(m_ink);
        const double sign = pie ? -1 : 1;
        if (pie) {
            m_ops.setFillStyle(FillStyle::Solid);
            m_ops.setFillColor(*pie);
        }
        // A pie's radius lines are asked for with negative angles; 0 has no sign.
        const double least = pie ? 1e-4 : 0;
        m_ops.Circle(at(x, y), float(r * m_unit), m_ink, float(sign * std::max(least, from * kDegree)),
                     float(sign * to * kDegree));
        m_ops.setFillStyle(FillStyle::Transparent);
    }
    // Filled by rows of whole pixels.
    void triangle(PointF a, PointF b, PointF c, const std::optional<Color> &colour = {})
    {
        a = at(a.x(), a.y()), b = at(b.x(), b.y()), c = at(c.x(), c.y());
        const double top = std::floor(std::min({a.y(), b.y(), c.y()}));
        const double bottom = std::ceil(std::max({a.y(), b.y(), c.y()}));
        for (double y = top; y < bottom; ++y) {
            const double mid = y + 0.5;
            double left = 1e9, right = -1e9;
            for (const auto &[p, q] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}})
                if ((p.y() <= mid) != (q.y() <= mid)) {
                    const double x = p.x() + (mid - p.y()) / (q.y() - p.y()) * (q.x() - p.x());
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            if (right > left)
                m_ops.Box(RectF(std::round(left), y, std::round(right) - std::round(left), 1), colour.value_or(m_ink));
        }
    }

private:
    DrawOps &m_ops;
    double m_unit;
    Color m_ink;
};

// Plain functions in a plain table: the browser's module stays small.
using Drawing = void (*)(Pen &p, const Color &pen);
struct Icon
{
    std::string_view name;
    Drawing draw;
};

const std::vector<Icon> &drawings()
{
    static const std::vector<Icon> kDrawings = {
        {"pen", [](Pen &p, const Color &pen) { p.width(1.5), p.disc(12, 12, 8, pen); }},
        {"eraser", [](Pen &p, const Color &) {
             p.width(8), p.line(8, 16, 16, 8, kEraserPink);
             p.width(1.5), p.line(3, 21, 21, 21);
         }},
        {"undo", [](Pen &p, const Color &) {
             p.arc(12, 14, 6, 0, 180);
             p.line(18, 14, 18, 19);
             p.triangle({2, 12}, {10, 12}, {6, 17});
         }},
        {"redo", [](Pen &p, const Color &) {
             p.arc(12, 14, 6, 0, 180);
             p.line(6, 14, 6, 19);
             p.triangle({14, 12}, {22, 12}, {18, 17});
         }},
        {"clear", [](Pen &p, const Color &) {
             p.box(4, 4, 16, 16, kPaper), p.width(1.5), p.frame(4, 4, 16, 16);
             p.width(2.5), p.line(8, 8, 16, 16), p.line(16, 8, 8, 16);
         }},
        {"value-down", [](Pen &p, const Color &) { p.triangle({17, 4}, {17, 20}, {6, 12}); }},
        {"value-up", [](Pen &p, const Color &) { p.triangle({7, 4}, {7, 20}, {18, 12}); }},
        {"sector-back", [](Pen &p, const Color &) {
             p.width(1.5), p.arc(15, 15, 8, 30, 110, kSky);
             p.triangle({9, 3}, {9, 13}, {2, 8});
         }},
        {"sector-next", [](Pen &p, const Color &) {
             p.width(1.5), p.arc(9, 15, 8, 70, 150, kSky);
             p.triangle({15, 3}, {15, 13}, {22, 8});
         }},
        {"start", [](Pen &p, const Color &) { p.triangle({7, 4}, {7, 20}, {20, 12}); }},
        {"pause", [](Pen &p, const Color &) { p.box(6, 5, 4, 14), p.box(14, 5, 4, 14); }},
        {"formula-back", [](Pen &p, const Color &) {
             p.line(10, 9, 21, 9), p.line(10, 15, 21, 15);
             p.triangle({8, 6}, {8, 18}, {2, 12});
         }},
        {"formula-next", [](Pen &p, const Color &) {
             p.line(3, 9, 14, 9), p.line(3, 15, 14, 15);
             p.triangle({16, 6}, {16, 18}, {22, 12});
         }},
        // Squares tinted one by one, and which way the counting goes.
        {"count-back", [](Pen &p, const Color &) {
             p.box(11, 5, 5, 5, kSky), p.width(1.5), p.frame(11, 5, 10, 10), p.line(16, 5, 16, 15), p.line(11, 10, 21, 10);
             p.triangle({8, 13}, {8, 23}, {2, 18});
         }},
        {"count-next", [](Pen &p, const Color &) {
             p.box(3, 5, 5, 5, kSky), p.width(1.5), p.frame(3, 5, 10, 10), p.line(8, 5, 8, 15), p.line(3, 10, 13, 10);
             p.triangle({16, 13}, {16, 23}, {22, 18});
         }},
        {"aids", [](Pen &p, const Color &) {
             p.ring(12, 12, 9);
             p.width(2.5), p.line(12, 11, 12, 17);
             p.disc(12, 7.5, 1.5, p.ink(), false);
         }},
        {"grid", [](Pen &p, const Color &) {
             p.width(1.5);
             for (double x = 4; x <= 20; x += 4)
                 p.line(x, 4, x, 20), p.line(4, x, 20, x);
         }},
        {"squares", [](Pen &p, const Color &) {
             p.width(1.5), p.frame(4, 4, 16, 16), p.ring(12, 12, 8);
             p.line(12, 4, 20, 12), p.line(20, 12, 12, 20), p.line(12, 20, 4, 12), p.line(4, 12, 12, 4);
         }},
        {"cm", [](Pen &p, const Color &) {
             p.box(2, 8, 20, 8, kPaper), p.width(1.5), p.frame(2, 8, 20, 8);
             for (double x = 5; x < 22; x += 3)
                 p.line(x, 8, x, int(x) % 2 ? 13 : 11);
         }},
        {"weight", [](Pen &p, const Color &) {
             p.width(1), p.line(4, 6, 20, 6);
             p.width(2.5), p.line(4, 12, 20, 12);
             p.width(4.5), p.line(4, 19, 20, 19);
         }},
        {"full-screen", [](Pen &p, const Color &) {
             p.width(2.5);
             p.line(3, 9, 3, 3), p.line(3, 3, 9, 3), p.line(15, 3, 21, 3), p.line(21, 3, 21, 9);
             p.line(21, 15, 21, 21), p.line(21, 21, 15, 21), p.line(9, 21, 3, 21), p.line(3, 21, 3, 15);
         }},
        {"leave-full-screen", [](Pen &p, const Color &) {
             p.width(2.5);
             p.line(3, 9, 9, 9), p.line(9, 9, 9, 3), p.line(15, 3, 15, 9), p.line(15, 9, 21, 9);
             p.line(21, 15, 15, 15), p.line(15, 15, 15, 21), p.line(9, 21, 9, 15), p.line(9, 15, 3, 15);
         }},
        {"print", [](Pen &p, const Color &) {
             p.box(7, 3, 10, 6, kPaper), p.width(1.5), p.frame(7, 3, 10, 6);
             p.box(3, 9, 18, 8), p.box(7, 14, 10, 7, kPaper), p.frame(7, 14, 10, 7);
         }},
        {"save-image", [](Pen &p, const Color &) {
             p.box(3, 5, 18, 14, kSky), p.width(1.5), p.frame(3, 5, 18, 14);
             p.triangle({4, 18}, {12, 9}, {20, 18}, Color(0, 128, 0));
             p.disc(16, 9, 2, Color(255, 220, 0), false);
         }},
        {"help", [](Pen &p, const Color &) {
             p.width(3), p.arc(12, 8.5, 4.5, 270, 180);
             p.line(12, 13, 12, 15.5);
             p.disc(12, 19.5, 1.7, p.ink(), false);
         }},
        {"menu", [](Pen &p, const Color &) {
             p.width(3), p.line(4, 6, 20, 6), p.line(4, 12, 20, 12), p.line(4, 18, 20, 18);
         }},
        {"toolbar", [](Pen &p, const Color &) {
             p.width(1.5), p.frame(3, 3, 18, 18);
             p.box(15, 5, 4, 3), p.box(15, 10, 4, 3), p.box(15, 15, 4, 3);
         }},
        {"next", [](Pen &p, const Color &) { p.triangle({7, 4}, {7, 20}, {18, 12}); }},
        {"back", [](Pen &p, const Color &) { p.triangle({17, 4}, {17, 20}, {6, 12}); }},
        {"page-next", [](Pen &p, const Color &) { p.width(1.5), p.frame(3, 5, 12, 14), p.triangle({16, 7}, {16, 17}, {22, 12}); }},
        {"page-previous", [](Pen &p, const Color &) { p.width(1.5), p.frame(9, 5, 12, 14), p.triangle({8, 7}, {8, 17}, {2, 12}); }},
        {"home", [](Pen &p, const Color &) { p.width(1.5), p.disc(12, 12, 8, kSky); }},
    };
    return kDrawings;
}

const Icon *find(std::string_view name)
{
    for (const Icon &icon : drawings())
        if (icon.name == name)
            return &icon;
    return nullptr;
}

} // namespace

bool has(std::string_view icon) { return find(icon) != nullptr; }

void paint(DrawOps &ops, std::string_view icon, const Color &ink, const Color &pen)
{
    if (const Icon *found = find(icon)) {
        Pen p(ops, ink);
        found->draw(p, pen);
    }
}

} // namespace core::ToolIcons
