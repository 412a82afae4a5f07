#include "PagesMenu.h"

#include "CommandTable.h"
#include "Lesson.h"

#include <QMenu>

namespace {

QString itemText(const core::Command &c)
{
    const QString label = QString::fromStdString(c.label);
    return c.mnemonic ? QStringLiteral("%1(&%2)").arg(label, QChar::fromLatin1(c.mnemonic)) : label;
}

} // namespace

PagesMenu::PagesMenu(QMenu &menu, core::Lesson &lesson) : QObject(&menu), m_lesson(lesson)
{
    menu.addSeparator();
    for (const char *id : {"menu.pages", "menu.practice"})
        if (const core::Command *opener = core::CommandTable::find(id)) {
            QMenu *list = menu.addMenu(itemText(*opener));
            addList(*list, opener->opens);
        }
    connect(&menu, &QMenu::aboutToShow, this, &PagesMenu::mark);
}

void PagesMenu::addList(QMenu &into, core::Menu list)
{
    int section = 0;
    for (const core::Command *c : core::CommandTable::menu(list)) {
        if (c->section != section) {
            into.addSeparator();
            section = c->section;
        }
        if (c->opens != core::Menu::None) {
            QMenu *sub = into.addMenu(itemText(*c));
            m_items.emplace_back(sub->menuAction(), c);
            addList(*sub, c->opens);
            continue;
        }
        QAction *item = into.addAction(itemText(*c));
        item->setToolTip(QString::fromStdString(c->tip));
        const std::string id = c->id;
        connect(item, &QAction::triggered, this, [this, id] { core::CommandTable::run(m_lesson, id); });
        m_items.emplace_back(item, c);
    }
}

void PagesMenu::mark()
{
    for (const auto &[item, command] : m_items) {
        const core::CommandState s = core::CommandTable::state(m_lesson, *command);
        item->setCheckable(s.checkable);
        item->setChecked(s.checked);
        item->setEnabled(s.enabled);
        item->setVisible(s.available || command->has == nullptr);
    }
}
