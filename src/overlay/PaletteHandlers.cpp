// The window's handlers for the clear buttons, the pen-colour swatch, the
// overlays' repaint requests and the blank page.

#include "Tamsel.h"

#include "PictureBox.h"
#include "Scriba.h"
#include "Swatch.h"
#include "TabControl.h"

void Tamsel::ClsButton_Click(Int16)
{
    // The overlay asks for the repaint of the figure under it by itself.
    Scriba.at(currentPage())->Clear();
}

void Tamsel::ColPic_Click()
{
    // The swatch is the only record of where the cycle stands.
    const QColor c = ColPic->BackColor();
    if (c == kWhite)
        ColPic->setBackColor(kRed);
    else if (c == kRed)
        ColPic->setBackColor(kBlue);
    else
        ColPic->setBackColor(kWhite);
    Scriba.at(currentPage())->setForeColor(ColPic->BackColor());
    emit choicesChanged();
}

void Tamsel::choosePenColour(const QColor &colour)
{
    ColPic->setBackColor(colour);
    Scriba.at(currentPage())->setForeColor(ColPic->BackColor());
    emit choicesChanged();
}

void Tamsel::Scriba_RepaintRequest(Int16 index)
{
    switch (index) {
    case 0:
        PolyPic->Refresh();
        break;
    case 1:
        CirPic->Refresh();
        break;
    case 2:
        ccPic->Refresh();
        break;
    default:
        WhPic->Refresh();
        break;
    }
}

void Tamsel::WhPic_Paint(DrawOps &)
{
    redrawOverlay(3);
}
