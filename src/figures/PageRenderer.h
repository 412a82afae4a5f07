#pragma once

#include "LineWeight.h"

#include <QColor>
#include <QImage>
#include <QSize>

#include <optional>

class DrawOps;

// What one page shows: which page, its picture's inner size in pixels, the value
// of its scroll bar (sides, degrees or V), the sectors moved (page 2 only), the
// line weight, whether the lesson aids show and how many lines of the formula.
struct PageView
{
    int page = 0;
    QSize inner;
    int value = 0;
    int step = 0;
    LineWeight weight;
    bool aids = false;
    int formulaLines = 0;
};

// Draws a page as its picture shows it: the board, the figure, then the lesson
// aids. Files and paper get their pages from here.
class PageRenderer
{
public:
    enum Page { Polygon, Arc, Sectors, Blank };
    static constexpr int kPageCount = 4;
    static inline const QColor kBoard{0, 128, 0};
    // The picture's inner area at the design window.
    static constexpr QSize kDesignInner{526, 370};

    struct Range
    {
        int min;
        int max;
    };
    // The scroll bar's range; none on the blank page.
    static std::optional<Range> valueRange(int page);
    static int startValue(int page);
    // Sectors that can be moved: all N = 2V on page 2, none elsewhere.
    static int maxStep(int page, int value);

    static void paint(DrawOps &ops, const PageView &view);
    // The inner area as the screen paints it, at a device pixel ratio.
    static QImage image(const PageView &view, qreal devicePixelRatio = 1);

private:
    static void paintFigure(DrawOps &ops, const PageView &view);
    static void paintAids(DrawOps &ops, const PageView &view);
};
