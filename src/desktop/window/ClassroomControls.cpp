#include "ClassroomControls.h"

#include "AidFont.h"
#include "DesignFont.h"
#include "DesignGeometry.h"
#include "PageTable.h"
#include "PictureBox.h"
#include "ScrollBar.h"
#include "Swatch.h"
#include "TabControl.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

namespace Design = core::DesignGeometry;

namespace {

void place(QWidget *widget, const core::Rect &r)
{
    if (widget)
        widget->setGeometry(r.x(), r.y(), r.width(), r.height());
}

void place(QWidget *widget, const Design::TwipRect &r, const core::Twips &twips)
{
    if (widget)
        widget->setGeometry(twips.pixelX(r.left), twips.pixelY(r.top), twips.pixelX(r.width), twips.pixelY(r.height));
}

} // namespace

void ClassroomControls::apply(const core::ClassroomLayout &l)
{
    Controls &c = m_controls;
    QFont letters = DesignFont::font(DesignFont::kWindowPointSize);
    letters.setPixelSize(l.labelPx);
    c.tab->tabBar()->setFont(AidFont::font(l.tabLabelPx));
    c.tab->setRowHeight(l.tabRow);
    place(c.tab, l.tab);
    for (std::size_t i = 0; i < c.clear.size(); ++i) {
        c.clear[i]->setFont(letters);
        place(c.clear[i], l.clear[i]);
    }
    place(c.swatch, l.swatch);
    for (std::size_t page = 0; page < c.pages.size() && page < l.pages.size(); ++page) {
        const Page &p = c.pages[page];
        const core::ClassroomLayout::Page &at = l.pages[page];
        place(p.picture, at.picture);
        place(p.scroll, at.scroll);
        place(p.button, at.button);
        place(p.label, at.label);
        place(p.overlay, at.overlay);
        if (p.button)
            p.button->setFont(letters);
        if (p.label)
            p.label->setFont(letters);
        if (p.scroll)
            p.scroll->setFingerSized(true);
    }
}

void ClassroomControls::restoreDesign()
{
    Controls &c = m_controls;
    c.tab->setRowHeight(m_twips.pixelY(Design::kTabRowTwips));
    c.tab->tabBar()->setFont(QApplication::font(c.tab->tabBar()));
    for (QPushButton *button : c.clear)
        button->setFont(QFont());
    for (std::size_t page = 0; page < c.pages.size(); ++page) {
        const Page &p = c.pages[page];
        const core::PageRow &row = core::PageTable::row(int(page));
        const Design::PageDesign &design = row.design;
        place(p.picture, design.picture, m_twips);
        place(p.overlay, design.overlay, m_twips);
        if (p.scroll) {
            place(p.scroll, design.scroll, m_twips);
            p.scroll->setFingerSized(false);
        }
        if (p.label) {
            place(p.label, design.label, m_twips);
            p.label->setFont(DesignFont::font(DesignFont::kValueLabelPointSize));
        }
        if (p.button) {
            place(p.button, design.button, m_twips);
            p.button->setFont(QFont());
            p.button->setText(QString::fromUtf8(row.buttonCaption));
        }
    }
}

void ClassroomControls::setStartLabel(const QString &label)
{
    for (std::size_t page = 0; page < m_controls.pages.size(); ++page)
        if (const Page &p = m_controls.pages[page]; p.button && core::PageTable::row(int(page)).animates)
            p.button->setText(label);
}
