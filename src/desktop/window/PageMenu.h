#pragma once

#include <QObject>
#include <QPoint>

#include <optional>
#include <vector>

class FullScreen;
class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

namespace core {
class Lesson;
}

// The context menu of every page: line weight, pen colour, the lesson aids and
// their lengths in cm, squared paper, the squares around the circle, full
// screen, the board's files and the help. The lesson's choices are made here
// directly; each item shows its key, and the keys work with the menu closed too.
class PageMenu : public QObject
{
    Q_OBJECT
public:
    PageMenu(QWidget &window, core::Lesson &lesson, FullScreen &fullScreen);

    // Marks the weight, the pen, the aids and full screen as they are, then
    // opens at a point of the screen.
    void popup(QPoint globalPos);
    QMenu *menu() const { return m_menu; }
    // One line where the menu last opened (before it ever opened, at the
    // window's corner), for a few seconds.
    void notify(const QString &line);

signals:
    void openRequested(); // from the keyboard, which has no point to open at
    void saveImageRequested();
    void printRequested();
    void savePdfRequested();
    void printCutOutRequested();
    void restoreRequested();
    void helpRequested();

private:
    void addWeights();
    void addPens();
    void addLengths();
    void addKeeping();
    // The keys reach the action from anywhere in the window.
    void bind(QAction *action, const QList<QKeySequence> &keys);
    void markAids();
    void markLengths();
    void addPaper();
    void markPaper();

    QWidget &m_window;
    core::Lesson &m_lesson;
    FullScreen &m_fullScreen;
    QMenu *m_menu;
    std::vector<QAction *> m_weights;
    std::vector<QAction *> m_pens;
    QAction *m_aids = nullptr;
    QAction *m_lengths = nullptr;
    std::vector<QAction *> m_radii;
    QAction *m_sharedPen = nullptr;
    QAction *m_grid = nullptr;
    QAction *m_squares = nullptr;
    QAction *m_quarterCount = nullptr;
    QAction *m_diameterFormula = nullptr;
    QAction *m_fullScreenItem = nullptr;
    std::optional<QPoint> m_openedAt;
    QLabel *m_notice;
    QTimer *m_noticeShown;
};
