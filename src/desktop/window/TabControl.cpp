#include "TabControl.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {

// Tabs in one row that share the row's width equally.
class EqualTabBar : public QTabBar
{
public:
    EqualTabBar(int heightPx, QWidget *parent) : QTabBar(parent), m_heightPx(heightPx)
    {
        setExpanding(false);
        setUsesScrollButtons(false);
        setElideMode(Qt::ElideRight);
        setDrawBase(false);
        // The design gives the captions no font; the platform's fits the row.
        setFont(QApplication::font(this));
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        // The first tabs take the pixels that do not divide evenly.
        int tabs = 0, before = 0;
        for (int i = 0; i < count(); ++i)
            if (isTabVisible(i)) {
                before += i < index ? 1 : 0;
                ++tabs;
            }
        tabs = std::max(1, tabs);
        const int share = width() / tabs + (before < width() % tabs ? 1 : 0);
        return QSize(share, m_heightPx);
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

public:
    void setHeight(int px)
    {
        m_heightPx = px;
        updateGeometry();
    }

private:
    int m_heightPx;
};

} // namespace

TabControl::TabControl(const QStringList &captions, int rowHeightPx, QWidget *parent)
    : QWidget(parent), m_bar(new EqualTabBar(rowHeightPx, this)), m_rowHeightPx(rowHeightPx)
{
    for (const QString &caption : captions) {
        m_bar->addTab(caption);
        auto *page = new QWidget(this);
        page->hide();
        m_pages.push_back(page);
    }
    m_pages.front()->show();
    m_bar->raise();
    connect(m_bar, &QTabBar::currentChanged, this, &TabControl::tabRequested);
}

int TabControl::Tab() const { return m_bar->currentIndex(); }

// A hidden tab cannot be chosen, as it cannot be clicked.
void TabControl::setTab(int index)
{
    if (!m_bar->isTabVisible(index))
        return;
    m_bar->setCurrentIndex(index);
    showPage(index);
}

void TabControl::setTabShown(int index, bool shown) { m_bar->setTabVisible(index, shown); }

void TabControl::setRowHeight(int px)
{
    if (px == m_rowHeightPx)
        return;
    m_rowHeightPx = px;
    static_cast<EqualTabBar *>(m_bar)->setHeight(px);
    resizeEvent(nullptr);
    update();
}

void TabControl::showPage(int index)
{
    const int previous = m_current;
    if (index < 0 || index == previous)
        return;
    m_pages.at(previous)->hide();
    m_current = index;
    m_pages.at(index)->show();
    emit Click(previous);
}

void TabControl::resizeEvent(QResizeEvent *)
{
    m_bar->setGeometry(0, 0, width(), m_rowHeightPx);
    for (QWidget *page : m_pages)
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, m_rowHeightPx, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
