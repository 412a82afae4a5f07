#pragma once

#include "PainterDrawOps.h"

#include <QWidget>

#include <optional>

class QRadioButton;

// What goes on paper: the page in view or all four, and dark lines on white
// paper or the board's own colours.
class SheetChoices : public QWidget
{
    Q_OBJECT
public:
    struct Choice
    {
        bool allPages = false;
        PainterDrawOps::Look look = PainterDrawOps::Look::DarkOnWhite;
    };

    // The pages (one, or all `pageCount`) are asked only where no print
    // dialog asks for them.
    explicit SheetChoices(int pageCount = 0, QWidget *parent = nullptr);
    Choice choice() const;
    // In a dialog of its own, with the pages; nothing when cancelled.
    static std::optional<Choice> ask(QWidget *parent, const QString &title, int pageCount);

private:
    QRadioButton *m_allPages = nullptr;
    QRadioButton *m_boardColours;
};
