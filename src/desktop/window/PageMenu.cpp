#include "PageMenu.h"

#include "AidFont.h"
#include "CommandActions.h"
#include "FullScreen.h"

#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int kNoticeMs = 6000;
constexpr int kNoticeMarginPx = 4;

} // namespace

PageMenu::PageMenu(QWidget &window, CommandActions &actions, FullScreen &fullScreen)
    : QObject(&window), m_window(window), m_actions(actions), m_menu(new QMenu(&window)),
      m_notice(new QLabel(&window, Qt::ToolTip)), m_noticeShown(new QTimer(this))
{
    const auto signal = [this](void (PageMenu::*which)()) {
        return CommandActions::Handler{[this, which] { emit(this->*which)(); }};
    };
    actions.handle("file.saveImage", signal(&PageMenu::saveImageRequested));
    actions.handle("file.print", signal(&PageMenu::printRequested));
    actions.handle("file.savePdf", signal(&PageMenu::savePdfRequested));
    actions.handle("file.printCutOut", signal(&PageMenu::printCutOutRequested));
    actions.handle("board.restore", signal(&PageMenu::restoreRequested));
    actions.handle("help", signal(&PageMenu::helpRequested));
    actions.handle("menu.open", signal(&PageMenu::openRequested));
    actions.handle("class.share", signal(&PageMenu::shareClassRequested));
    actions.handle("class.join", signal(&PageMenu::joinClassRequested));
    // Without a window manager F11 and the menu take the same way in and out.
    actions.handle("window.fullScreen",
                   {[&fullScreen] { fullScreen.toggle(); }, [&fullScreen] { return fullScreen.active(); }});
    actions.handle("window.leaveFullScreen",
                   {[&fullScreen] { fullScreen.leave(); }, {}, [&fullScreen] { return fullScreen.active(); }});

    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setAutoFillBackground(true);
    m_notice->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_notice->setMargin(kNoticeMarginPx);
    m_notice->setWordWrap(true);
    // A line to read, never in the way of a finger or a pen.
    m_notice->setWindowFlag(Qt::WindowTransparentForInput);
    m_noticeShown->setSingleShot(true);
    m_noticeShown->setInterval(kNoticeMs);
    connect(m_noticeShown, &QTimer::timeout, m_notice, &QWidget::hide);
}

void PageMenu::build() { m_actions.fill(m_menu, core::Menu::Page); }

void PageMenu::setLetterPx(int px)
{
    // The lesson's Gothic measures its letters as it draws them, so no item is cut.
    const QFont font = px > 0 ? AidFont::font(px) : QFont();
    QList<QMenu *> menus = m_menu->findChildren<QMenu *>();
    menus.append(m_menu);
    for (QMenu *menu : menus) {
        menu->setFont(font);
        // The style leaves a plain item's text short of the check column it keeps for others.
        menu->setMinimumWidth(0);
        if (px > 0)
            menu->setMinimumWidth(menu->sizeHint().width() + 2 * px);
    }
    m_notice->setFont(font);
    m_notice->adjustSize();
}

// A tooltip would go at the first focus change, and closing the menu makes one.
void PageMenu::notify(const QString &line)
{
    notify(line, m_openedAt.value_or(m_window.mapToGlobal(QPoint(kNoticeMarginPx, kNoticeMarginPx))));
}

void PageMenu::notify(const QString &line, QPoint globalPos)
{
    m_notice->setText(line);
    // Wrapped within the window, however large its letters.
    const int right = m_window.mapToGlobal(m_window.rect().topRight()).x();
    m_notice->setMaximumWidth(std::max(m_notice->minimumSizeHint().height(), right - globalPos.x() - kNoticeMarginPx));
    m_notice->adjustSize();
    m_notice->move(globalPos);
    m_notice->show();
    m_noticeShown->start();
}

void PageMenu::popup(QPoint globalPos)
{
    m_actions.refresh();
    m_openedAt = globalPos;
    m_menu->popup(globalPos);
}
