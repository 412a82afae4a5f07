#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include <string>

class QAction;

namespace core {
struct Command;
}

// A big button of the classroom toolbar: the command's icon over or beside its short
// label, marked when checked (the pen in use, an aid shown) and greyed when
// it cannot act. It gives its action's state and triggers its action.
class ToolButton : public QAbstractButton
{
    Q_OBJECT
public:
    ToolButton(QAction *action, const core::Command &command, QWidget *parent);

    const core::Command &command() const { return m_command; }
    QAction *action() const { return m_action; }
    void setSizes(int iconPx, int labelPx, bool iconBeside);
    // The icon the command shows now (the start button shows pause while running).
    void setIconName(const std::string &icon);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void follow();
    const QPixmap &iconPixmap();

    QAction *m_action;
    const core::Command &m_command;
    std::string m_icon;
    int m_iconPx = 0;
    int m_labelPx = 0;
    bool m_iconBeside = false;
    QPixmap m_pixmap;
    bool m_pixmapEnabled = true;
};
