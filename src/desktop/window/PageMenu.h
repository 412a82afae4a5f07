#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class CommandActions;
class FullScreen;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

// The context menu of every page, made from the command table: line weight,
// pen colour, the lesson aids and their lengths in cm, squared paper, the
// squares around the circle, pages and steps, full screen and the toolbar,
// the board's files and the help. Each item shows its key, and the keys work
// with the menu closed too. It asks the window for what only a window can do.
class PageMenu : public QObject
{
    Q_OBJECT
public:
    // Supplies the handlers of the window's commands; build() after the actions are made.
    PageMenu(QWidget &window, CommandActions &actions, FullScreen &fullScreen);
    void build();

    // Reads every item's state, then opens at a point of the screen.
    void popup(QPoint globalPos);
    QMenu *menu() const { return m_menu; }
    // One line where the menu last opened (before it ever opened, at the
    // window's corner), for a few seconds.
    void notify(const QString &line);
    // The same, at a point of the screen.
    void notify(const QString &line, QPoint globalPos);
    // With the toolbar its letters grow with the screen; 0: the platform's.
    void setLetterPx(int px);

signals:
    void openRequested(); // from the keyboard or the toolbar, which have no point to open at
    void saveImageRequested();
    void printRequested();
    void savePdfRequested();
    void printCutOutRequested();
    void restoreRequested();
    void helpRequested();
    void shareClassRequested();
    void joinClassRequested();

private:
    QWidget &m_window;
    CommandActions &m_actions;
    QMenu *m_menu;
    std::optional<QPoint> m_openedAt;
    QLabel *m_notice;
    QTimer *m_noticeShown;
};
