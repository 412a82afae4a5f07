#include "BoardChooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kGapPx = 6;
// A finger's width at least, for the big touch display.
constexpr int kRowPaddingPx = 8;
constexpr int kMinButtonHeightPx = 48;
// Rows in view before the list scrolls.
constexpr int kRowsShown = 3;
const QColor kGapColour(Qt::white);

// A board's pages side by side.
QPixmap strip(const std::vector<QImage> &pages)
{
    int width = 0, height = 0;
    for (const QImage &page : pages) {
        width += page.width() + kGapPx;
        height = std::max(height, page.height());
    }
    if (width == 0)
        return {};
    QPixmap out(width - kGapPx, height);
    out.fill(kGapColour);
    QPainter painter(&out);
    int x = 0;
    for (const QImage &page : pages) {
        painter.drawImage(x, 0, page);
        x += page.width() + kGapPx;
    }
    return out;
}

} // namespace

BoardChooser::BoardChooser(const std::vector<Entry> &entries, QWidget *parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("前回の書き込みを復元"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("復元する書き込みを選んでください（新しい順）。")));
    QSize icons;
    int rowsHeight = 0;
    for (const Entry &entry : entries) {
        const QPixmap pages = strip(entry.pages);
        icons = icons.expandedTo(pages.size());
        auto *item = new QListWidgetItem(QIcon(pages), timeText(entry.savedAt), m_list);
        item->setSizeHint(QSize(0, pages.height() + 2 * kRowPaddingPx));
        if (int(m_ids.size()) < kRowsShown)
            rowsHeight += item->sizeHint().height() + kRowPaddingPx;
        m_ids.push_back(entry.id);
    }
    m_list->setIconSize(icons);
    m_list->setSpacing(kRowPaddingPx / 2);
    m_list->setCurrentRow(0);
    m_list->setMinimumSize(icons.width() + m_list->fontMetrics().horizontalAdvance(timeText(QDateTime::currentDateTime())) * 2,
                           rowsHeight + 2 * m_list->frameWidth());
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("復元"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    for (QAbstractButton *button : buttons->buttons())
        button->setMinimumHeight(kMinButtonHeightPx);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
}

QString BoardChooser::chosen() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(m_ids.size()) ? m_ids[std::size_t(row)] : QString();
}

QString BoardChooser::timeText(const QDateTime &at)
{
    if (!at.isValid())
        return QStringLiteral("日時不明");
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(at, QStringLiteral("M月d日（ddd） H:mm"));
}
