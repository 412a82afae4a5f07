#include "Shortcuts.h"

#include "FullScreen.h"
#include "Lesson.h"

#include <QShortcut>
#include <QWidget>

Shortcuts::Shortcuts(QWidget &window, core::Lesson &lesson, FullScreen &fullScreen)
    : QObject(&window), m_window(window), m_lesson(lesson)
{
    // F11 everywhere, and whatever the platform calls full screen besides.
    QList<QKeySequence> fullScreenKeys{Qt::Key_F11};
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::FullScreen))
        if (!fullScreenKeys.contains(keys))
            fullScreenKeys.append(keys);
    add(fullScreenKeys, [&fullScreen] { fullScreen.toggle(); });
    add({Qt::Key_Escape}, [&fullScreen] { fullScreen.leave(); });
    add({QKeySequence::Undo}, [this] { m_lesson.undo(); });
    add({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}, [this] { m_lesson.redo(); });
    add({Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown}, [this] { m_lesson.nextPage(); });
    add({Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::Key_Backtab, Qt::CTRL | Qt::Key_PageUp},
        [this] { m_lesson.previousPage(); });
    // A clicker sends Page Down and Page Up.
    m_sectorKeys = {add({Qt::Key_PageDown}, [this] { m_lesson.stepLesson(1); }),
                    add({Qt::Key_PageUp}, [this] { m_lesson.stepLesson(-1); }),
                    add({Qt::Key_Home}, [this] { m_lesson.returnAllSectors(); })};
    m_lesson.listen([this](core::Lesson::Change change, int) {
        using Change = core::Lesson::Change;
        if (change == Change::Page || change == Change::Grid || change == Change::Aids)
            enableSectorKeys();
    });
    enableSectorKeys();
}

QShortcut *Shortcuts::add(const QList<QKeySequence> &keys, std::function<void()> action)
{
    auto *shortcut = new QShortcut(&m_window);
    shortcut->setKeys(keys);
    connect(shortcut, &QShortcut::activated, this, std::move(action));
    return shortcut;
}

// Where the page has no steps the keys reach the focused control, as a scroll bar expects.
void Shortcuts::enableSectorKeys()
{
    const int page = m_lesson.page();
    for (QShortcut *shortcut : m_sectorKeys)
        shortcut->setEnabled(shortcut == m_sectorKeys.back() ? page == m_lesson.animatedPage() : m_lesson.steps(page));
}
