#pragma once

#include "CommandHelp.h"

#include <QPointer>
#include <QWidget>

class CommandActions;

// The one-screen help over the whole window, light on dark in a large Gothic
// face: every command the window offers, with its button's icon, its label
// and its keys, under the pages that have it, in as many columns as let the
// letters be largest. The next key or click only closes it: nothing under
// it, no shortcut, sees that key or click.
class HelpOverlay : public QWidget
{
    Q_OBJECT
public:
    HelpOverlay(QWidget &window, const core::Lesson &lesson, const CommandActions &actions);

    // Covers the window and takes the keys.
    void open();
    // Gives the keys back to the control that had them.
    void dismiss();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Fit
    {
        int pixelSize = 1;
        int columns = 1;
    };
    // The text's size in pixels, and the columns, at which every line fits the window largest.
    Fit fit() const;

    std::vector<core::CommandHelp::Section> m_sections;
    QPointer<QWidget> m_focusBefore;
};
