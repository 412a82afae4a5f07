#pragma once

#include "LineWeight.h"

#include <QObject>
#include <QPoint>

#include <optional>
#include <vector>

class QAction;
class QColor;
class QKeySequence;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

// The context menu of every page: line weight, pen colour, the lesson aids and
// full screen.
// Each item shows its key; the keys work with the menu closed too.
class PageMenu : public QObject
{
    Q_OBJECT
public:
    explicit PageMenu(QWidget &window);

    // Marks the weight and pen in use, then opens at a point of the screen.
    void popup(QPoint globalPos, LineWeight weight, const QColor &pen);
    QMenu *menu() const { return m_menu; }
    // Whether the page in view has aids, and shows them.
    void markAids(bool available, bool shown);
    // One line where the menu last opened (before it ever opened, at the
    // window's corner), for a few seconds.
    void notify(const QString &line);

signals:
    void openRequested(); // from the keyboard, which has no point to open at
    void weightChosen(LineWeight weight);
    void weightStepped(int steps);
    void penChosen(const QColor &pen);
    void fullScreenToggled();
    void aidsToggled();
    void saveImageRequested();
    void printRequested();
    void savePdfRequested();
    void printCutOutRequested();
    void restoreRequested();

private:
    void addWeights();
    void addPens();
    void addKeeping();
    // The keys reach the action from anywhere in the window.
    void bind(QAction *action, const QList<QKeySequence> &keys);

    QWidget &m_window;
    QMenu *m_menu;
    std::vector<QAction *> m_weights;
    std::vector<QAction *> m_pens;
    QAction *m_aids = nullptr;
    std::optional<QPoint> m_openedAt;
    QLabel *m_notice;
    QTimer *m_noticeShown;
};
