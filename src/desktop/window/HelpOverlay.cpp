#include "HelpOverlay.h"

#include "AidFont.h"
#include "CommandActions.h"
#include "HelpText.h"
#include "PainterDrawOps.h"
#include "ToolIcons.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The board shows through faintly, so the teacher sees the help is over it.
const QColor kShade{0, 0, 0, 224};
const QColor kHeading{255, 255, 160};
const QColor kBody{255, 255, 255};
const QColor kKeys{200, 220, 255};
const QColor kClosing{200, 200, 200};
const QColor kIconFace{240, 240, 240};
const core::Color kIconInk{32, 32, 32};
// The pen's icon in the help: the chalk yellow, which reads on the light face.
const core::Color kPenShown{255, 255, 0};
// The share of the window's width and height the text may take.
constexpr qreal kUsedShare = 0.94;
// Sizes against the lines' own, and the gaps, in the lines' heights or ems.
constexpr qreal kTitleScale = 1.25;
constexpr qreal kClosingScale = 0.8;
constexpr qreal kGapLines = 0.4;
constexpr qreal kColumnGapEm = 1.5;
constexpr qreal kCellGapEm = 0.6;
constexpr qreal kIconShare = 0.9;
constexpr int kMostColumns = 4;
// Text is measured at this size and scaled, as the face's widths nearly are.
constexpr int kMeasurePx = 100;

QString qt(const std::string &text) { return QString::fromStdString(text); }

// A row of the help: a section's title, or a command.
struct Row
{
    const core::CommandHelp::Section *section = nullptr;
    const core::CommandHelp::Line *line = nullptr;
};

std::vector<Row> rowsOf(const std::vector<core::CommandHelp::Section> &sections)
{
    std::vector<Row> rows;
    for (const auto &section : sections) {
        rows.push_back({&section, nullptr});
        for (const auto &line : section.lines)
            rows.push_back({nullptr, &line});
    }
    return rows;
}

struct Column
{
    qreal labelWidth = 0;
    qreal width = 0;
};

struct Block
{
    std::vector<Column> columns;
    qreal width = 0;
    qreal height = 0;
    int perColumn = 0;
};

// The help's extent at a text size in columns, the title and closing lines
// included; each column as wide as its own lines.
Block measure(const std::vector<Row> &rows, int pixelSize, int columns)
{
    const QFontMetricsF body(AidFont::font(pixelSize));
    const QFontMetricsF title(AidFont::font(int(std::lround(pixelSize * kTitleScale))));
    const QFontMetricsF closing(AidFont::font(int(std::lround(pixelSize * kClosingScale))));
    Block b;
    b.perColumn = int(std::ceil(qreal(rows.size()) / columns));
    b.columns.resize(std::size_t(columns));
    std::vector<qreal> keysWidth(b.columns.size()), headingWidth(b.columns.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t c = i / std::size_t(b.perColumn);
        const Row &r = rows[i];
        if (r.section) {
            headingWidth[c] = std::max(headingWidth[c], body.horizontalAdvance(qt(r.section->title)));
            continue;
        }
        b.columns[c].labelWidth = std::max(b.columns[c].labelWidth, body.horizontalAdvance(qt(r.line->label)));
        keysWidth[c] = std::max(keysWidth[c], body.horizontalAdvance(qt(r.line->keys)));
    }
    const qreal cell = kCellGapEm * pixelSize;
    qreal all = 0;
    for (std::size_t c = 0; c < b.columns.size(); ++c) {
        Column &column = b.columns[c];
        column.width = std::max(headingWidth[c], pixelSize * kIconShare + cell + column.labelWidth + cell + keysWidth[c]);
        all += column.width + (c > 0 ? kColumnGapEm * pixelSize : 0);
    }
    b.width = std::max({all, title.horizontalAdvance(qt(core::HelpText::title())),
                        closing.horizontalAdvance(qt(core::HelpText::closing()))});
    b.height = title.lineSpacing() + closing.lineSpacing() + body.lineSpacing() * (b.perColumn + 2 * kGapLines);
    return b;
}

} // namespace

HelpOverlay::HelpOverlay(QWidget &window, const core::Lesson &lesson, const CommandActions &actions)
    : QWidget(&window),
      m_sections(core::CommandHelp::sections(lesson, [&actions](const core::Command &c) { return actions.offers(c); }))
{
    setAccessibleName(qt(core::HelpText::title()));
    setFocusPolicy(Qt::StrongFocus);
    // A right click must not reach the window's own menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    hide();
    window.installEventFilter(this);
}

void HelpOverlay::open()
{
    if (isVisible())
        return;

    m_focusBefore = QApplication::focusWidget();
    setGeometry(parentWidget()->rect());
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
}

void HelpOverlay::dismiss()
{
    if (!isVisible())
        return;
    hide();
    if (m_focusBefore)
        m_focusBefore->setFocus(Qt::OtherFocusReason);
}

bool HelpOverlay::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed, so no shortcut of the window acts on this key.
        event->accept();
        return true;
    case QEvent::KeyPress:
        // Before the focus chain takes Tab; a held key's repeats close nothing.
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
            dismiss();
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

bool HelpOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

// A press is held back so its release, the click's end, closes the help here.
void HelpOverlay::mousePressEvent(QMouseEvent *event) { event->accept(); }
void HelpOverlay::mouseDoubleClickEvent(QMouseEvent *event) { event->accept(); }
void HelpOverlay::wheelEvent(QWheelEvent *event) { event->accept(); }

void HelpOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    dismiss();
}

HelpOverlay::Fit HelpOverlay::fit() const
{
    const std::vector<Row> rows = rowsOf(m_sections);
    Fit best;
    for (int columns = 1; columns <= kMostColumns; ++columns) {
        const Block reference = measure(rows, kMeasurePx, columns);
        const qreal scale = std::min(kUsedShare * width() / reference.width, kUsedShare * height() / reference.height);
        const int px = std::max(1, int(std::floor(kMeasurePx * scale)));
        if (px > best.pixelSize)
            best = {px, columns};
    }
    return best;
}

void HelpOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kShade);
    const Fit f = fit();
    const int px = f.pixelSize;
    const std::vector<Row> rows = rowsOf(m_sections);
    const Block b = measure(rows, px, f.columns);
    const QFont bodyFont = AidFont::font(px);
    const QFont titleFont = AidFont::font(int(std::lround(px * kTitleScale)));
    const QFont closingFont = AidFont::font(int(std::lround(px * kClosingScale)));
    const qreal left = (width() - b.width) / 2;
    qreal top = (height() - b.height) / 2;
    const auto text = [&](const QFont &font, const QColor &colour, qreal x, qreal y, const QString &t) {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPointF(x, y + QFontMetricsF(font).ascent()), t);
    };

    text(titleFont, kHeading, left, top, qt(core::HelpText::title()));
    top += QFontMetricsF(titleFont).lineSpacing();
    const qreal bodyLine = QFontMetricsF(bodyFont).lineSpacing();
    top += kGapLines * bodyLine;
    const qreal icon = px * kIconShare, cell = kCellGapEm * px;
    qreal x = left;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t column = i / std::size_t(b.perColumn);
        if (i > 0 && i % std::size_t(b.perColumn) == 0)
            x += b.columns[column - 1].width + kColumnGapEm * px;
        const qreal y = top + qreal(i % std::size_t(b.perColumn)) * bodyLine;
        const Row &r = rows[i];
        if (r.section) {
            text(bodyFont, kHeading, x, y, qt(r.section->title));
            continue;
        }
        if (core::ToolIcons::has(r.line->icon)) {
            const QRectF iconBox(x, y + (bodyLine - icon) / 2, icon, icon);
            painter.setPen(Qt::NoPen);
            painter.setBrush(kIconFace);
            painter.drawRoundedRect(iconBox, icon / 8, icon / 8);
            painter.save();
            painter.translate(iconBox.topLeft());
            painter.setRenderHint(QPainter::Antialiasing);
            core::DrawState state;
            PainterDrawOps ops(painter, state, float(icon), float(icon));
            core::ToolIcons::paint(ops, r.line->icon, kIconInk, kPenShown);
            painter.restore();
        }
        text(bodyFont, kBody, x + icon + cell, y, qt(r.line->label));
        text(bodyFont, kKeys, x + icon + cell + b.columns[column].labelWidth + cell, y, qt(r.line->keys));
    }
    top += (b.perColumn + kGapLines) * bodyLine;
    text(closingFont, kClosing, left, top, qt(core::HelpText::closing()));
}
