#pragma once

#include "Convert.h"
#include "PictureBox.h"
#include "InkReplay.h"
#include "Pen.h"
#include "Scriba.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <random>

// The soak's ink: mouse, pen, pen eraser and three fingers at once on the page
// in view, ends that never come, odd driver values. It keeps what every page
// should hold by the rules alone (each pointer owns its stroke; a release, a
// cancel, a hide, a loss of focus, a page switch, a clear, an undo or the pen leaving
// ends strokes; a pen near the screen makes touches a palm; points are kept in
// the units of the page's figure) and checks the program against it.
class SoakInk
{
public:
    using Pens = std::vector<QColor>;

    SoakInk(Tamsel &window, std::mt19937 &random, const Pens &pens)
        : w(window), m_random(random), m_pens(pens), m_touch(QTest::createTouchDevice()),
          m_pages(std::size_t(window.pageCount()))
    {
    }

    enum Interruption { Hide, FocusLost, PenLeft, TouchCancel, Clear, Page };

    // The pages with a tab to click, in tab order.
    static std::vector<int> shownPages(Tamsel &window)
    {
        std::vector<int> shown;
        for (int p = 0; p < window.pageCount(); ++p)
            if (window.lesson().shown(p))
                shown.push_back(p);
        return shown;
    }

    // Up to three pointers draw at once, their events interleaved and
    // sometimes broken by an interruption; the mouse and the pen may stay down.
    QString draw();
    // A fault found while erasing waits for the next check(). A spot given
    // is touched there, without moving.
    void erase(std::optional<QPointF> spot = {});
    // A stroke whose pressure jumps, and beside it a tap undone or erased.
    QString nearJump();
    QString interrupt(Interruption which, bool act = true);
    void pageLeft(int page) { endAll(page, All); }
    void cleared(int page)
    {
        endAll(page, All);
        m_pages[page].clear();
    }

    // Every page holds exactly the strokes expected.
    QString check();
    // The pixels of every page equal its strokes drawn afresh, and stay the
    // same after undoing and redoing everything.
    QString checkPixels();

private:
    enum Pointer { Mouse, PenTip, Finger0, Finger1, Finger2 };
    enum Which { All, Fingers, PenOnly };
    struct Point
    {
        QPointF units;
        float widthFactor;
    };
    struct Ink
    {
        QRgb color = 0;
        double width = 0; // units
        std::vector<Point> points;
        int group = 0; // strokes ended by one event may be kept in any order
    };
    struct Event
    {
        Pointer pointer;
        enum Kind { Press, Move, Release } kind;
        QPoint at;
        int oddity = 0; // 1 NaN pressure, 2 NaN position, 3 position far off
        qreal pressure = -1; // a pen's, at random when negative
    };

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    int page() const { return w.MainTab->Tab(); }
    core::Similarity frame(int page) const;
    bool takesInk(int page) const;
    void send(const Event &e);
    void follow(Pointer p, Event::Kind kind, QPointF at, float factor);
    void press(Pointer p, QPointF px, float factor);
    void extend(Pointer p, QPointF px, float factor);
    void end(Pointer p);
    void endAll(int page, Which which);
    void penNear(bool near);
    QString compare(int page, bool canonicalise);
    static bool same(const Ink &e, const core::Stroke &a);
    QString erased(QPointF from, QPointF to, const std::vector<Ink> &before);
    static bool sameShown(const core::InkCanvas &ink, const core::PixelBuffer &a, const core::PixelBuffer &b);

    Tamsel &w;
    std::mt19937 &m_random;
    const Pens &m_pens;
    std::unique_ptr<QPointingDevice> m_touch;
    Pen m_pen;
    Pen m_eraser{QPointingDevice::PointerType::Eraser};
    bool m_penNear = false;
    std::vector<std::vector<Ink>> m_pages;
    std::map<Pointer, std::pair<int, Ink>> m_live; // page and stroke of each pointer down
    std::map<Pointer, QPoint> m_fingers;            // on the screen, during one draw
    int m_group = 0;
    QString m_fault;
};

namespace SoakInkRules {

constexpr double kFarthestPx = 100000; // input beyond is held there
constexpr double kTolerance = 1e-4;
constexpr double kEraserBandPx = 1e-3;

inline double even(double v) { return std::nearbyint(v); }
inline bool near(double a, double b) { return std::abs(a - b) <= kTolerance * std::max(1.0, std::abs(b)); }

inline double toSegment(QPointF p, QPointF s, QPointF e)
{
    const QPointF se = e - s;
    const double l2 = QPointF::dotProduct(se, se);
    const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - s, se) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x() - s.x() - t * se.x(), p.y() - s.y() - t * se.y());
}

inline double segmentDistance(QPointF a, QPointF b, QPointF c, QPointF d)
{
    const auto side = [](QPointF o, QPointF p, QPointF q) {
        return (p.x() - o.x()) * (q.y() - o.y()) - (p.y() - o.y()) * (q.x() - o.x());
    };
    if (side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0)
        return 0;
    return std::min({toSegment(a, c, d), toSegment(b, c, d), toSegment(c, a, b), toSegment(d, a, b)});
}

} // namespace SoakInkRules

// Worked from the figures' rules: the polygon and the arc scale with their
// radius about their centre, the sectors with the circle's radius from the
// picture's left edge at its middle height, the blank page not at all.
inline core::Similarity SoakInk::frame(int page) const
{
    using Convert::toCore;
    using SoakInkRules::even;
    const PictureBox *pictures[] = {w.PolyPic, w.CirPic, w.ccPic, w.WhPic};
    const PictureBox *picture = pictures[page];
    const QRect inner = picture->contentsRect();
    const QPointF offset = picture->geometry().topLeft() + inner.topLeft() - w.Scriba[page]->geometry().topLeft();
    const double W = inner.width(), H = inner.height();
    const double M = std::max(0.0, std::min(even(H), even(W)) - 2);
    switch (page) {
    case 0:
        return {toCore(offset + QPointF(even(W / 2), even(H / 2))), even(M / 2)};
    case 1:
        return {toCore(offset + QPointF(even(W / 2), even(H / 2))), M / 2};
    case 2: {
        // The circle's radius, cut to what lets the finished figure of every V
        // end on the picture's last column at the most.
        const double R0 = std::max(1.0, std::min(even(H / 2 - 2), even(W / 5.8 - 4)));
        double R = 2 * std::floor(R0 / 2);
        const auto fits = [&](double r) {
            for (int v = 2; v <= 32; ++v) {
                const double s = std::sin(360.01 / (2 * v) * 3.14159265358979 / 180 / 2);
                if (even(r * s + 2 * r * s * (v - 1) + even(2.75 * r + 4)) + r * s > W - 1)
                    return false;
            }
            return true;
        };
        while (R > 0 && !fits(R))
            R -= 2;
        return {toCore(offset + QPointF(0, even(H / 2))), R};
    }
    default:
        return {toCore(offset), 1};
    }
}

inline bool SoakInk::takesInk(int page) const
{
    const Scriba *o = w.Scriba[page];
    return o->width() > 0 && o->height() > 0 && frame(page).scale > 0;
}

inline void SoakInk::press(Pointer p, QPointF px, float factor)
{
    end(p);
    if (!takesInk(page()) || !std::isfinite(px.x()) || !std::isfinite(px.y()))
        return;
    const double widthPx =
        w.lesson().weight().factor() * Scriba::kPenWidthAt96DpiPx * w.Scriba[page()]->logicalDpiX() / 96.0;
    m_live[p] = {page(), Ink{m_pens[page()].rgba(), widthPx / frame(page()).scale, {}, 0}};
    extend(p, px, factor);
}

inline void SoakInk::extend(Pointer p, QPointF px, float factor)
{
    using SoakInkRules::kFarthestPx;
    const auto it = m_live.find(p);
    if (it == m_live.end() || !std::isfinite(px.x()) || !std::isfinite(px.y()) || !(frame(it->second.first).scale > 0))
        return;
    const QPointF held(std::clamp(px.x(), -kFarthestPx, kFarthestPx), std::clamp(px.y(), -kFarthestPx, kFarthestPx));
    it->second.second.points.push_back({Convert::toQt(frame(it->second.first).unmap(Convert::toCore(held))), factor});
}

inline void SoakInk::end(Pointer p)
{
    const auto it = m_live.find(p);
    if (it == m_live.end())
        return;
    it->second.second.group = ++m_group;
    m_pages[it->second.first].push_back(it->second.second);
    m_live.erase(it);
}

inline void SoakInk::endAll(int page, Which which)
{
    ++m_group;
    for (auto it = m_live.begin(); it != m_live.end();) {
        const bool ends = it->second.first == page && (which == All || (which == Fingers && it->first >= Finger0) ||
                                                       (which == PenOnly && it->first == PenTip));
        if (!ends) {
            ++it;
            continue;
        }
        it->second.second.group = m_group;
        m_pages[page].push_back(it->second.second);
        it = m_live.erase(it);
    }
}

// A pen that leaves ends its stroke wherever it is; while near, touches are a palm.
inline void SoakInk::penNear(bool near)
{
    m_penNear = near;
    m_pen.proximity(near);
    if (!near)
        for (int p = 0; p < w.pageCount(); ++p)
            endAll(p, PenOnly);
}

inline void SoakInk::follow(Pointer p, Event::Kind kind, QPointF at, float factor)
{
    if (kind == Event::Press)
        press(p, at, factor);
    else if (kind == Event::Move)
        extend(p, at, factor);
    else
        end(p);
}

inline void SoakInk::send(const Event &e)
{
    Scriba *o = w.Scriba[page()];
    const bool up = e.kind == Event::Release;
    if (e.pointer >= Finger0) {
        // As a touch screen reports it: every finger down, the others stationary.
        const QEventPoint::State states[] = {QEventPoint::Pressed, QEventPoint::Updated, QEventPoint::Released};
        const bool first = m_fingers.empty();
        m_fingers.erase(e.pointer);
        const auto global = [o](QPoint at) { return QPointF(o->mapToGlobal(at)); };
        QList<QEventPoint> points{QEventPoint(e.pointer - Finger0, states[e.kind], {}, global(e.at))};
        for (const auto &[finger, at] : m_fingers)
            points << QEventPoint(finger - Finger0, QEventPoint::Stationary, {}, global(at));
        if (!up)
            m_fingers[e.pointer] = e.at;
        const QEvent::Type type = first ? QEvent::TouchBegin : m_fingers.empty() ? QEvent::TouchEnd : QEvent::TouchUpdate;
        QTouchEvent touch(type, m_touch.get(), Qt::NoModifier, points);
        QApplication::sendEvent(o, &touch);
        if (m_penNear)
            endAll(page(), Fingers);
        else
            follow(e.pointer, e.kind, e.at, 1);
        // No finger left down: the screen's touch is over, whatever the program still followed.
        if (type == QEvent::TouchEnd)
            endAll(page(), Fingers);
        return;
    }
    QPointF at = e.at;
    if (e.oddity == 2)
        at.setX(std::nan(""));
    else if (e.oddity == 3)
        at = QPointF(pick(0, 1) ? 1e9 : -1e12, 1e300);
    if (e.pointer == Mouse) {
        const QEvent::Type types[] = {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease};
        QMouseEvent m(types[e.kind], at, o->mapToGlobal(at), Qt::LeftButton, up ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(o, &m);
        follow(Mouse, e.kind, at, 1);
        return;
    }
    if (e.kind == Event::Press)
        penNear(true);
    const QEvent::Type types[] = {QEvent::TabletPress, QEvent::TabletMove, QEvent::TabletRelease};
    // Pressure jumps from one event to the next as readily as it changes a little.
    const qreal pressure = e.oddity == 1 ? std::nan("") : e.pressure >= 0 ? e.pressure : pick(0, 100) / 100.0;
    m_pen.send(o, types[e.kind], at, pressure, up ? Qt::NoButton : Qt::LeftButton);
    follow(PenTip, e.kind, at, float(core::InkLayer::widthFactorForPressure(pressure)));
    if (up)
        penNear(false);
}

inline QString SoakInk::draw()
{
    Scriba *o = w.Scriba[page()];
    const int width = o->width(), height = o->height();
    const auto spot = [&] { return QPoint(pick(0, std::max(0, width - 1)), pick(0, std::max(0, height - 1))); };

    std::vector<Pointer> pointers{Mouse, PenTip, Finger0, Finger1, Finger2};
    std::shuffle(pointers.begin(), pointers.end(), m_random);
    pointers.resize(std::size_t(pick(1, 3)));
    std::vector<std::vector<Event>> tracks;
    for (Pointer p : pointers) {
        const bool finger = p >= Finger0;
        std::vector<Event> t;
        if (!m_live.count(p))
            t.push_back({p, Event::Press, spot()});
        for (int moves = pick(0, 5); moves > 0; --moves)
            t.push_back({p, Event::Move, spot(), finger || pick(0, 9) ? 0 : pick(p == Mouse ? 3 : 1, 3)});
        if (finger || pick(0, 4))
            t.push_back({p, Event::Release, t.empty() ? spot() : t.back().at});
        tracks.push_back(t);
    }
    std::vector<Event> events;
    for (std::vector<std::size_t> next(tracks.size(), 0);;) {
        std::vector<std::size_t> open;
        for (std::size_t t = 0; t < tracks.size(); ++t)
            if (next[t] < tracks[t].size())
                open.push_back(t);
        if (open.empty())
            break;
        const std::size_t t = open[std::size_t(pick(0, int(open.size()) - 1))];
        events.push_back(tracks[t][next[t]++]);
    }

    const int interruptAt = pick(0, 5) ? -1 : pick(0, int(events.size()));
    const Interruption interruption = Interruption(pick(0, Page));
    for (int i = 0; i <= int(events.size()); ++i) {
        if (i == interruptAt)
            interrupt(interruption);
        if (i == int(events.size()))
            break;
        const Event &e = events[std::size_t(i)];
        const bool finger = e.pointer >= Finger0;
        // A hidden page, a cancelled touch or a pen gone away send no more.
        const bool dropped = interruptAt >= 0 && i >= interruptAt &&
                             ((finger && (interruption == Hide || interruption == TouchCancel || interruption == Page)) ||
                              (!finger && interruption == Page) || (e.pointer == PenTip && interruption == PenLeft));
        if (!dropped)
            send(e);
    }
    // A touch the screen gave up on, or the program no longer sees, ends unseen.
    m_fingers.clear();
    return interruptAt < 0 ? QStringLiteral("draw") : "draw, " + interrupt(interruption, false);
}

// Ends strokes the way the platform does; says which. Activation events that
// follow a hide are taken at once, so they land where the model expects them.
inline QString SoakInk::interrupt(Interruption which, bool act)
{
    const char *names[] = {"hide", "focus lost", "pen left", "touch cancelled", "clear", "page"};
    if (!act)
        return names[which];
    switch (which) {
    case Hide:
        w.hide();
        QCoreApplication::processEvents();
        w.show();
        QCoreApplication::processEvents();
        endAll(page(), All);
        break;
    case FocusLost: {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&w, &deactivate);
        endAll(page(), All);
        break;
    }
    case PenLeft:
        penNear(false);
        break;
    case TouchCancel: {
        // As Qt delivers it: without points.
        QTouchEvent cancel(QEvent::TouchCancel, m_touch.get());
        QApplication::sendEvent(w.Scriba[page()], &cancel);
        endAll(page(), Fingers);
        break;
    }
    case Clear:
        w.ClsButton[0]->click();
        cleared(page());
        break;
    case Page: {
        // Only a tab shown can be clicked.
        const std::vector<int> shown = shownPages(w);
        const int at = int(std::find(shown.begin(), shown.end(), page()) - shown.begin());
        const int before = page();
        const int to = shown[std::size_t((at + pick(1, int(shown.size()) - 1)) % int(shown.size()))];
        QTest::mouseClick(w.MainTab->tabBar(), Qt::LeftButton, {}, w.MainTab->tabBar()->tabRect(to).center());
        pageLeft(before);
        break;
    }
    }
    return names[which];
}

inline bool SoakInk::same(const Ink &e, const core::Stroke &a)
{
    using SoakInkRules::near;
    if (e.color != a.color || !near(a.width, e.width) || e.points.size() != a.points.size())
        return false;
    for (std::size_t i = 0; i < e.points.size(); ++i)
        if (!near(a.points[i].x, e.points[i].units.x()) || !near(a.points[i].y, e.points[i].units.y()) ||
            !near(a.points[i].widthFactor, e.points[i].widthFactor))
            return false;
    return true;
}

// Strokes the eraser removed must pass within its reach, those it left must not.
inline QString SoakInk::erased(QPointF from, QPointF to, const std::vector<Ink> &before)
{
    using namespace SoakInkRules;
    const auto strokes = w.Scriba[page()]->ink().strokes();
    const core::Similarity f = frame(page());
    const double radius =
        w.lesson().weight().factor() * Scriba::kEraserRadiusAt96DpiPx * w.Scriba[page()]->logicalDpiX() / 96.0;
    std::vector<Ink> kept;
    std::size_t next = 0;
    for (const Ink &ink : before) {
        const bool stays = next < strokes.size() && same(ink, *strokes[next]);
        double closest = 1e300;
        for (std::size_t i = 0; i < ink.points.size(); ++i) {
            const Point &a = ink.points[i == 0 ? 0 : i - 1], &b = ink.points[i];
            const double half = ink.width * b.widthFactor * f.scale / 2;
            closest = std::min(closest, segmentDistance(from, to, Convert::toQt(f.map(Convert::toCore(a.units))),
                                                        Convert::toQt(f.map(Convert::toCore(b.units)))) - half);
        }
        if (stays && closest <= radius - kEraserBandPx)
            return QString("the eraser passed %1 px from a stroke it left").arg(closest);
        if (!stays && closest > radius + kEraserBandPx)
            return QString("the eraser took a stroke %1 px away").arg(closest);
        if (stays) {
            kept.push_back(ink);
            ++next;
        }
    }
    if (next != strokes.size())
        return "the eraser left strokes that were not there";
    m_pages[page()] = kept;
    return {};
}

inline void SoakInk::erase(std::optional<QPointF> spot)
{
    Scriba *o = w.Scriba[page()];
    if (m_penNear || !takesInk(page()))
        return; // the pen's other end is in the teacher's hand, or no figure takes ink
    QString &fault = m_fault;
    if (fault = compare(page(), true); !fault.isEmpty())
        return;
    QPointF at = spot ? *spot : QPointF(pick(0, o->width() - 1), pick(0, o->height() - 1));
    m_eraser.send(o, QEvent::TabletPress, at, 0.5, Qt::LeftButton);
    fault = erased(at, at, m_pages[page()]);
    for (int moves = spot ? 0 : pick(0, 3); moves > 0 && fault.isEmpty(); --moves) {
        const QPointF to = pick(0, 7) ? QPointF(pick(0, o->width() - 1), pick(0, o->height() - 1))
                                      : QPointF(pick(-20000, 20000), pick(-20000, 20000));
        m_eraser.send(o, QEvent::TabletMove, to, 0.5, Qt::LeftButton);
        fault = erased(at, to, m_pages[page()]);
        at = to;
    }
    m_eraser.send(o, QEvent::TabletRelease, at, 0, Qt::NoButton);
    m_eraser.proximity(false);
}

// Strokes ended by one event may be kept in any order among themselves; once
// found, the expected list takes the program's order.
inline QString SoakInk::compare(int page, bool canonicalise)
{
    const auto actual = w.Scriba[page]->ink().strokes();
    std::vector<Ink> &expected = m_pages[page];
    if (actual.size() != expected.size())
        return QString("page %1 holds %2 strokes, expected %3").arg(page).arg(actual.size()).arg(expected.size());
    for (std::size_t first = 0; first < expected.size();) {
        std::size_t last = first + 1;
        while (last < expected.size() && expected[last].group == expected[first].group)
            ++last;
        std::vector<Ink> ordered;
        for (std::size_t a = first; a < last; ++a) {
            const auto match = std::find_if(expected.begin() + std::ptrdiff_t(first), expected.begin() + std::ptrdiff_t(last),
                                            [&](const Ink &e) { return same(e, *actual[a]); });
            if (match == expected.begin() + std::ptrdiff_t(last))
                return QString("page %1 stroke %2 is not one drawn there").arg(page).arg(a);
            ordered.push_back(*match);
            ordered.back().group = ++m_group;
        }
        if (canonicalise)
            std::copy(ordered.begin(), ordered.end(), expected.begin() + std::ptrdiff_t(first));
        first = last;
    }
    return {};
}

inline QString SoakInk::check()
{
    if (!m_fault.isEmpty())
        return m_fault;
    for (int p = 0; p < w.pageCount(); ++p)
        if (const QString fault = compare(p, true); !fault.isEmpty())
            return fault;
    return {};
}

// The cached image may be larger than the layer; only its top-left part shows.
inline bool SoakInk::sameShown(const core::InkCanvas &ink, const core::PixelBuffer &a, const core::PixelBuffer &b)
{
    const QSize shown = (QSizeF(Convert::toQt(ink.size())) * ink.devicePixelRatio()).toSize();
    if (shown.isEmpty())
        return true; // a layer of no size has no pixels, and may have no image
    for (int y = 0; y < shown.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), std::size_t(shown.width()) * sizeof(core::Rgba)) != 0)
            return false;
    return true;
}

// A pen stroke comes back from past a tile's edge, lights on a point a few
// pixels before it and jumps to full pressure away from it: drawn with the
// wide end's width around its start, that segment, in the stroke's second run,
// may reach back across. A tap in the next tile is then undone or erased,
// which draws that tile again; the page must still equal its strokes drawn afresh.
inline QString SoakInk::nearJump()
{
    // At the heaviest weight the wide end reaches 8.4 px and the eraser 30 px:
    // the tap, 40 px past where the pen came from, is erased alone.
    constexpr int kMostGapPx = 9, kPastEdgePx = 8, kShortestPx = 10, kLongestPx = 40;
    Scriba *o = w.Scriba[page()];
    const double tile = core::InkLayer::kTilePx / o->ink().devicePixelRatio();
    const int edges = int((o->width() - 1 - 0.75 * tile) / tile);
    if (!takesInk(page()) || edges < 1 || o->height() < 1)
        return "jump (no room)";
    interrupt(FocusLost); // the tap must be the newest step
    const double edge = tile * pick(1, edges);
    const int y = pick(0, o->height() - 1);
    const QPoint from(int(edge) - pick(0, kMostGapPx), y), tap(int(edge + 0.75 * tile), y);
    const QPoint to = from - QPoint(pick(kShortestPx, kLongestPx), pick(-kShortestPx, kShortestPx));
    send({PenTip, Event::Press, QPoint(int(edge) + kPastEdgePx, y), 0, 0});
    for (int i = 0; i < core::InkStroke::kChunkPoints; ++i)
        send({PenTip, Event::Move, to + QPoint(i % 2, 0), 0, 0});
    send({PenTip, Event::Move, from, 0, 0});
    send({PenTip, Event::Move, to, 0, 1});
    send({PenTip, Event::Release, to, 0, 1});
    send({Mouse, Event::Press, tap});
    send({Mouse, Event::Release, tap});
    const bool erasing = pick(0, 1);
    if (erasing)
        erase(QPointF(tap));
    else
        o->undo();
    core::InkCanvas &ink = o->canvas();
    if (m_fault.isEmpty() && !sameShown(ink, ink.image(), freshImage(o->ink())))
        m_fault = QString("page %1 differs from its strokes drawn afresh").arg(page());
    if (!erasing)
        o->redo(); // as the model has it
    return erasing ? "jump, tap erased" : "jump, tap undone and redone";
}

inline QString SoakInk::checkPixels()
{
    for (int p = 0; p < w.pageCount(); ++p) {
        core::InkCanvas &ink = w.Scriba[p]->canvas();
        // An undo ends the strokes still being drawn first.
        w.lesson().ink().endWhere(p, [](core::PointerId) { return true; });
        endAll(p, All);
        const core::PixelBuffer now = ink.image();
        if (!sameShown(ink, freshImage(w.lesson().ink(p)), now))
            return QString("page %1 differs from its strokes drawn afresh").arg(p);
        while (w.lesson().ink().undo(p)) {
        }
        while (w.lesson().ink().redo(p)) {
        }
        if (!sameShown(ink, ink.image(), now))
            return QString("page %1 differs after undoing and redoing everything").arg(p);
        if (const QString fault = compare(p, false); !fault.isEmpty())
            return "after undoing and redoing everything, " + fault;
    }
    return {};
}
