#pragma once

#include <QObject>

#include <functional>

#include <array>

class FullScreen;
class QKeySequence;
class QShortcut;
class QWidget;

namespace core {
class Lesson;
}

// The window's keys for the classroom: full screen, ink undo and redo, page
// switching, and stepping the lesson from a presenter's clicker where the
// page has steps: the sectors, the formula, the squares counted (elsewhere
// those keys are the focused scroll bar's).
class Shortcuts : public QObject
{
    Q_OBJECT
public:
    Shortcuts(QWidget &window, core::Lesson &lesson, FullScreen &fullScreen);

private:
    QShortcut *add(const QList<QKeySequence> &keys, std::function<void()> action);
    void enableSectorKeys();

    QWidget &m_window;
    core::Lesson &m_lesson;
    std::array<QShortcut *, 3> m_sectorKeys{};
};
