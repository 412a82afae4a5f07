#pragma once

#include <QObject>

#include <array>

class FullScreen;
class QShortcut;
class Tamsel;

// The window's keys for the classroom: full screen, ink undo and redo, page
// switching, and stepping the sectors of page 2 from a presenter's clicker
// (elsewhere those keys are the focused scroll bar's).
class Shortcuts : public QObject
{
    Q_OBJECT
public:
    explicit Shortcuts(Tamsel &window);

private:
    QShortcut *add(const QKeySequence &keys, void (Shortcuts::*action)());
    void enableSectorKeys();
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
    FullScreen *m_fullScreen;
    std::array<QShortcut *, 3> m_sectorKeys{};
};
