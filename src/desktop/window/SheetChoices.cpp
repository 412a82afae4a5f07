#include "SheetChoices.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Two choices in a titled box, the first checked.
QRadioButton *pair(QVBoxLayout *into, const QString &title, const QString &first, const QString &second)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    auto *keep = new QRadioButton(first);
    auto *other = new QRadioButton(second);
    keep->setChecked(true);
    layout->addWidget(keep);
    layout->addWidget(other);
    into->addWidget(box);
    return other;
}

} // namespace

SheetChoices::SheetChoices(int pageCount, QWidget *parent) : QWidget(parent)
{
    // The print dialog names its tab after this.
    setWindowTitle(QStringLiteral("色"));
    auto *layout = new QVBoxLayout(this);
    if (pageCount > 0)
        m_allPages = pair(layout, QStringLiteral("ページ"), QStringLiteral("このページ(&T)"),
                          QStringLiteral("%1 ページすべて(&A)").arg(pageCount));
    // White paper first: a page in the board's colours is a page of toner.
    m_boardColours = pair(layout, QStringLiteral("色"), QStringLiteral("白い紙に濃い線（インクの節約）(&W)"),
                          QStringLiteral("黒板の色のまま(&B)"));
    layout->addStretch();
}

SheetChoices::Choice SheetChoices::choice() const
{
    return {m_allPages && m_allPages->isChecked(),
            m_boardColours->isChecked() ? PainterDrawOps::Look::Board : PainterDrawOps::Look::DarkOnWhite};
}

std::optional<SheetChoices::Choice> SheetChoices::ask(QWidget *parent, const QString &title, int pageCount)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto *layout = new QVBoxLayout(&dialog);
    auto *choices = new SheetChoices(pageCount);
    layout->addWidget(choices);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return choices->choice();
}
