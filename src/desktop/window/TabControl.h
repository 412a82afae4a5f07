#pragma once

#include <QWidget>

#include <vector>

class QTabBar;

// A tab control whose tab row lies inside its own frame, along the top. Page
// controls are children of page widgets that cover the whole control, so they
// are placed relative to the control's top-left corner; only the current
// page's controls are shown.
class TabControl : public QWidget
{
    Q_OBJECT
public:
    TabControl(const QStringList &captions, int rowHeightPx, QWidget *parent = nullptr);

    QWidget *page(int index) const { return m_pages.at(index); }
    int pageCount() const { return int(m_pages.size()); }
    int Tab() const;
    void setTab(int index);
    // A hidden page's tab is gone from the row; the others share its width.
    void setTabShown(int index, bool shown);
    int TabHeight() const { return m_rowHeightPx; }
    void setRowHeight(int px);
    QTabBar *tabBar() const { return m_bar; }

signals:
    // A tab was chosen; the page changes when setTab() says so.
    void tabRequested(int index);
    // The current page has changed; passes the page that was current before.
    void Click(int previousTab);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showPage(int index);

    QTabBar *m_bar;
    std::vector<QWidget *> m_pages;
    int m_rowHeightPx;
    int m_current = 0;
};
