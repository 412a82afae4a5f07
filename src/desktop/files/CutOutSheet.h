#pragma once

#include "CutOutCircle.h"
#include "LineWeight.h"

#include <QRectF>

class QPagedPaintDevice;
class QPainter;

// The circle of page 2 at a real radius of 6 cm, cut into its N sectors and
// coloured by halves as on the board, each sector numbered in the order the
// animation moves it: for pupils to cut out and lay side by side.
class CutOutSheet
{
public:
    static constexpr double kRadiusMm = core::CutOutCircle::kRadiusMm;

    // Centred on `paper`, whose units are `unitsPerMm` to the millimetre.
    static void paint(QPainter &painter, const QRectF &paper, double unitsPerMm, int half, core::LineWeight weight);
    // On the device's printable area; false if the device would not take a painter.
    static bool print(QPagedPaintDevice &device, int half, core::LineWeight weight);
};
