#pragma once

#include <QObject>

class QShortcut;
class Tamsel;

// The window's keys for the classroom: full screen, ink undo and redo, page
// switching, and stepping the sectors of page 2 from a presenter's clicker.
class Shortcuts : public QObject
{
    Q_OBJECT
public:
    explicit Shortcuts(Tamsel &window);

private:
    void add(const QKeySequence &keys, void (Shortcuts::*action)());
    void toggleFullScreen();
    void leaveFullScreen();
    void undo();
    void redo();
    void nextPage();
    void previousPage();
    void stepForward();
    void stepBack();
    void returnAllSectors();

    Tamsel &m_window;
};
