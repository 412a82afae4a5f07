#include "Shortcuts.h"

#include "FullScreen.h"
#include "Scriba.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QShortcut>

namespace {
constexpr int kSectorPage = 2;
}

Shortcuts::Shortcuts(Tamsel &window) : QObject(&window), m_window(window), m_fullScreen(new FullScreen(window))
{
    add(Qt::Key_F11, &Shortcuts::toggleFullScreen);
    add(Qt::Key_Escape, &Shortcuts::leaveFullScreen);
    add(QKeySequence::Undo, &Shortcuts::undo);
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &Shortcuts::redo);
    add(Qt::CTRL | Qt::Key_Y, &Shortcuts::redo);
    add(Qt::CTRL | Qt::Key_Tab, &Shortcuts::nextPage);
    add(Qt::CTRL | Qt::Key_PageDown, &Shortcuts::nextPage);
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, &Shortcuts::previousPage);
    add(Qt::CTRL | Qt::Key_Backtab, &Shortcuts::previousPage);
    add(Qt::CTRL | Qt::Key_PageUp, &Shortcuts::previousPage);
    // A clicker sends Page Down and Page Up.
    m_sectorKeys = {add(Qt::Key_PageDown, &Shortcuts::stepForward), add(Qt::Key_PageUp, &Shortcuts::stepBack),
                    add(Qt::Key_Home, &Shortcuts::returnAllSectors)};
    connect(window.MainTab, &TabControl::Click, this, &Shortcuts::enableSectorKeys);
    enableSectorKeys();
}

QShortcut *Shortcuts::add(const QKeySequence &keys, void (Shortcuts::*action)())
{
    auto *shortcut = new QShortcut(keys, &m_window);
    connect(shortcut, &QShortcut::activated, this, action);
    return shortcut;
}

// Off page 2 the keys reach the focused control, as a scroll bar expects.
void Shortcuts::enableSectorKeys()
{
    for (QShortcut *shortcut : m_sectorKeys)
        shortcut->setEnabled(m_window.MainTab->Tab() == kSectorPage);
}

void Shortcuts::toggleFullScreen() { m_fullScreen->toggle(); }
void Shortcuts::leaveFullScreen() { m_fullScreen->leave(); }

void Shortcuts::undo() { m_window.Scriba.at(m_window.MainTab->Tab())->undo(); }
void Shortcuts::redo() { m_window.Scriba.at(m_window.MainTab->Tab())->redo(); }

void Shortcuts::nextPage()
{
    const int pages = m_window.MainTab->pageCount();
    m_window.MainTab->setTab((m_window.MainTab->Tab() + 1) % pages);
}

void Shortcuts::previousPage()
{
    const int pages = m_window.MainTab->pageCount();
    m_window.MainTab->setTab((m_window.MainTab->Tab() + pages - 1) % pages);
}

void Shortcuts::stepForward() { m_window.stepLesson(1); }
void Shortcuts::stepBack() { m_window.stepLesson(-1); }
void Shortcuts::returnAllSectors() { m_window.stepSectors(-m_window.ccStep); }
