// The window's handlers for the three figure pages and the animation of page 2.

#include "Tamsel.h"

#include "ArcFigure.h"
#include "DrawOps.h"
#include "LessonAids.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "PolygonFigure.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "Timer.h"

#include <QLabel>

#include <algorithm>

void Tamsel::PolyPic_Paint(DrawOps &ops)
{
    const float height = ops.ScaleHeight();
    const float width = ops.ScaleWidth();
    PolygonFigure::compute(width, height, PolyScroll->value()).paint(ops, m_lineWeight);
    paintAids(0, ops, PolyScroll->value());
    redrawOverlay(0);
}

void Tamsel::PolyPic_Resize() { PolyPic->Refresh(); }

void Tamsel::PolyScroll_Change()
{
    PolyLabel->setText(QString::number(PolyScroll->value()));
    PolyPic->Refresh();
}

void Tamsel::PolyScroll_Scroll() { PolyScroll_Change(); }

void Tamsel::CirPic_Paint(DrawOps &ops)
{
    const float height = ops.ScaleHeight();
    const float width = ops.ScaleWidth();
    ArcFigure::compute(width, height, CirScroll->value()).paint(ops, m_lineWeight);
    paintAids(1, ops, CirScroll->value());
    redrawOverlay(1);
}

void Tamsel::CirPic_Resize() { CirPic->Refresh(); }

void Tamsel::CirScroll_Change()
{
    CirLabel->setText(QString::number(CirScroll->value()));
    CirPic->Refresh();
}

void Tamsel::CirScroll_Scroll() { CirScroll_Change(); }

void Tamsel::ccPic_Paint(DrawOps &ops)
{
    ParallelogramFigure::compute(ops.ScaleWidth(), ops.ScaleHeight(), ccScroll->value(), ccStep).paint(ops, m_lineWeight);
    paintAids(2, ops, ccScroll->value(), ccStep);
    redrawOverlay(2);
}

void Tamsel::ccPic_Resize() { ccPic->Refresh(); }

void Tamsel::ccScroll_Change()
{
    ccStep = 0;
    MainTimer->setEnabled(false);
    m_aids.clearFormula();
    ccLabel->setText(QString::number(2 * ccScroll->value()));
    ccPic->Refresh();
}

void Tamsel::ccScroll_Scroll() { ccScroll_Change(); }

void Tamsel::ccButton_Click()
{
    if (MainTimer->Enabled()) {
        MainTimer->setEnabled(false);
    } else {
        MainTimer->setEnabled(true);
        m_aids.clearFormula();
        // A finished run starts again from the whole circle.
        if (ccStep == 2 * ccScroll->value())
            ccStep = 0;
    }
    ccPic->Refresh();
}

void Tamsel::MainTimer_Timer()
{
    const Int16 sectors = saturate16(2 * ccScroll->value());
    ccStep = MinInt(saturate16(ccStep + 1), sectors);
    if (ccStep == sectors)
        MainTimer->setEnabled(false);
    ccPic->Refresh();
}

void Tamsel::setLineWeight(LineWeight weight)
{
    if (weight == m_lineWeight)
        return;
    m_lineWeight = weight;
    for (Overlay *overlay : Scriba)
        overlay->setLineWeight(weight.factor());
    for (const PageControls &page : m_pages)
        page.picture->setFastWideLines(weight.factor() > 1);
    // The other pages' pictures paint when they are shown.
    m_pages.at(currentPage()).picture->Refresh();
    emit choicesChanged();
}

void Tamsel::stepSectors(int delta)
{
    MainTimer->setEnabled(false);
    if (delta < 0)
        m_aids.clearFormula();
    const int sectors = 2 * ccScroll->value();
    ccStep = saturate16(std::clamp(ccStep + delta, 0, sectors));
    ccPic->Refresh();
}

void Tamsel::stepLesson(int delta)
{
    const int move = m_aids.sectorKey(delta, ccStep, 2 * ccScroll->value());
    if (move != 0)
        stepSectors(move);
    else
        ccPic->Refresh();
}

void Tamsel::toggleAids()
{
    const int page = currentPage();
    if (page > LessonAids::kSectorsPage)
        return;
    m_aids.toggle(page);
    markAidsItem();
    m_pages.at(page).picture->Refresh();
}

void Tamsel::paintAids(int page, DrawOps &ops, int value, int step)
{
    if (m_aids.shown(page))
        LessonAids::compute(page, ops.ScaleWidth(), ops.ScaleHeight(), value, step, m_aids.formulaLines(), m_lineWeight)
            .paint(ops);
}
