#pragma once

#include "InkStroke.h"
#include "PageView.h"
#include "PainterDrawOps.h"

#include <QRectF>

#include <vector>

class QPagedPaintDevice;
class QPainter;

// Pages on paper: each page's picture as large as fits its sheet's printable
// area, figure and ink drawn as vectors, the ink placed on its figure.
class SheetRenderer
{
public:
    struct Sheet
    {
        core::PageView view;
        std::vector<const core::Stroke *> ink;
    };

    // Where a picture of `inner` lands within `printable`: as large as fits, centred.
    static QRectF placement(const QSizeF &inner, const QRectF &printable);
    static void paintSheet(QPainter &painter, const QRectF &printable, const Sheet &sheet, PainterDrawOps::Look look);
    // One sheet a page of the device, on its printable area; false if the device
    // would not take a painter.
    static bool print(QPagedPaintDevice &device, const std::vector<Sheet> &sheets, PainterDrawOps::Look look);
};
