#include "CommandActions.h"

#include "CommandHelp.h"
#include "CommandTable.h"
#include "Convert.h"
#include "KeyChord.h"
#include "Lesson.h"
#include "PenPalette.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QWidget>

namespace {

constexpr qreal kDotShareOfSide = 0.5;

// The pen's colour in a frame; the style draws an icon instead of the check
// mark, so the checked one carries a dot of whichever of black and white reads on it.
QIcon swatchIcon(const QColor &colour, int sidePx)
{
    QIcon icon;
    for (const QIcon::State state : {QIcon::Off, QIcon::On}) {
        QPixmap pixmap(sidePx, sidePx);
        pixmap.fill(colour);
        QPainter painter(&pixmap);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, sidePx - 1, sidePx - 1);
        if (state == QIcon::On) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Convert::toQt(core::PenPalette::markOn(Convert::toCore(colour))));
            const qreal inset = sidePx * (1 - kDotShareOfSide) / 2;
            painter.drawEllipse(QRectF(pixmap.rect()).adjusted(inset, inset, -inset, -inset));
        }
        painter.end();
        icon.addPixmap(pixmap, QIcon::Normal, state);
        icon.addPixmap(pixmap, QIcon::Active, state);
    }
    return icon;
}

QString menuText(const core::Command &c)
{
    const QString label = QString::fromStdString(c.label);
    if (!c.mnemonic)
        return label;
    // The access key goes before an ellipsis: 印刷(&I)…
    const QString ellipsis = QStringLiteral("…");
    const bool dialog = label.endsWith(ellipsis);
    return (dialog ? label.chopped(1) : label) + QStringLiteral("(&%1)").arg(QChar::fromLatin1(c.mnemonic)) +
           (dialog ? ellipsis : QString());
}

} // namespace

CommandActions::CommandActions(QWidget &window, core::Lesson &lesson, std::function<bool()> classroom)
    : QObject(&window), m_lesson(lesson), m_window(window), m_classroom(std::move(classroom))
{
}

void CommandActions::handle(const std::string &id, Handler handler) { m_handlers[id] = std::move(handler); }

QList<QKeySequence> CommandActions::keySequences(const std::string &key)
{
    core::KeyChord chord = core::KeyChord::parse(key);
    static const std::map<std::string, QString> qtNames{
        {"PageDown", "PgDown"}, {"PageUp", "PgUp"}, {"Escape", "Esc"}};
    const auto named = qtNames.find(chord.key);
    const QString name = named == qtNames.end() ? QString::fromStdString(chord.key) : named->second;
    const QString modifiers = QString(chord.ctrl ? "Ctrl+" : "") + (chord.shift ? "Shift+" : "") + (chord.alt ? "Alt+" : "");
    QList<QKeySequence> out{QKeySequence::fromString(modifiers + name, QKeySequence::PortableText)};
    // Qt calls Shift+Tab Backtab, with or without the Shift it came with.
    if (chord.key == "Tab" && chord.shift) {
        const QString ctrl = chord.ctrl ? "Ctrl+" : "";
        out << QKeySequence::fromString(ctrl + "Shift+Backtab") << QKeySequence::fromString(ctrl + "Backtab");
    }
    return out;
}

void CommandActions::create()
{
    const int iconPx = m_window.style()->pixelMetric(QStyle::PM_SmallIconSize);
    for (const core::Command &c : core::CommandTable::rows()) {
        const auto handler = m_handlers.find(c.id);
        if (!c.run && handler == m_handlers.end() && c.opens == core::Menu::None)
            continue;
        auto *action = new QAction(menuText(c), this);
        action->setObjectName(QString::fromStdString(c.id));
        action->setIconText(QString::fromStdString(c.shortLabel));
        action->setToolTip(QString::fromStdString(c.tip.empty() ? c.label : c.tip));
        if (c.family == "pen")
            action->setIcon(swatchIcon(Convert::toQt(core::PenPalette::pens()[std::size_t(c.argument)].colour), iconPx));
        QList<QKeySequence> keys;
        for (const std::string &key : c.keys)
            keys << keySequences(key);
        action->setShortcuts(keys);
        if (!keys.isEmpty())
            m_window.addAction(action);
        const bool checkable =
            (handler != m_handlers.end() && handler->second.checked) || (c.state && core::CommandTable::state(m_lesson, c).checkable);
        action->setCheckable(checkable);
        if (c.run)
            connect(action, &QAction::triggered, this, [this, id = c.id] {
                core::CommandTable::run(m_lesson, id, m_classroom() ? 1 : 0);
                refresh();
            });
        else if (handler != m_handlers.end())
            connect(action, &QAction::triggered, this, [this, run = handler->second.run] {
                run();
                refresh();
            });
        m_actions[c.id] = action;
    }
    // The window's controls go before the lesson: a change they make as they go reaches no one.
    m_lesson.listen([self = QPointer<CommandActions>(this)](core::Lesson::Change, int) {
        if (self)
            self->refresh();
    });
    refresh();
}

QAction *CommandActions::action(const std::string &id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CommandActions::fill(QMenu *menu, core::Menu list) const
{
    int section = -1;
    for (const core::Command *c : core::CommandTable::menu(list)) {
        QAction *action = this->action(c->id);
        if (!action)
            continue;
        if (section >= 0 && c->section != section)
            menu->addSeparator();
        section = c->section;
        if (c->opens != core::Menu::None) {
            QMenu *sub = menu->addMenu(action->text());
            fill(sub, c->opens);
            continue;
        }
        // The menu shows each item's keys; the first is the one people know.
        menu->addAction(action);
    }
}

void CommandActions::refresh()
{
    const int argument = m_classroom() ? 1 : 0;
    for (const auto &[id, action] : m_actions) {
        const core::Command &c = *core::CommandTable::find(id);
        const auto handler = m_handlers.find(id);
        if (handler == m_handlers.end()) {
            const core::CommandState s = core::CommandTable::state(m_lesson, c, argument);
            action->setEnabled(s.enabled);
            if (action->isCheckable())
                action->setChecked(s.checked);
            action->setIconText(QString::fromStdString(s.shortLabel));
        } else {
            if (handler->second.enabled)
                action->setEnabled(handler->second.enabled());
            if (handler->second.checked)
                action->setChecked(handler->second.checked());
        }
    }
    emit refreshed();
}
