#include "HelpOverlay.h"

#include "AidFont.h"
#include "HelpText.h"

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
const QColor kClosing{200, 200, 200};
// The share of the window's width and height the text may take.
constexpr qreal kUsedShare = 0.9;
// Sizes against the lines' own, and the gaps, in the lines' heights or ems.
constexpr qreal kTitleScale = 1.25;
constexpr qreal kClosingScale = 0.8;
constexpr qreal kGapLines = 0.5;
constexpr qreal kColumnGapEm = 1;
// Text is measured at this size and scaled, as the face's widths nearly are.
constexpr int kMeasurePx = 100;

QString qt(const std::string &text) { return QString::fromStdString(text); }

struct Block
{
    qreal whatWidth = 0;
    qreal width = 0;
    qreal height = 0;
};

// The help's extent at a text size, the title and closing lines included.
Block measure(int pixelSize)
{
    const QFontMetricsF body(AidFont::font(pixelSize));
    const QFontMetricsF title(AidFont::font(int(std::lround(pixelSize * kTitleScale))));
    const QFontMetricsF closing(AidFont::font(int(std::lround(pixelSize * kClosingScale))));
    Block b;
    qreal howWidth = 0;
    const std::vector<core::HelpText::Line> lines = core::HelpText::lines();
    for (const core::HelpText::Line &line : lines) {
        b.whatWidth = std::max(b.whatWidth, body.horizontalAdvance(qt(line.what)));
        howWidth = std::max(howWidth, body.horizontalAdvance(qt(line.how)));
    }
    b.width = std::max({b.whatWidth + kColumnGapEm * pixelSize + howWidth,
                        title.horizontalAdvance(qt(core::HelpText::title())),
                        closing.horizontalAdvance(qt(core::HelpText::closing()))});
    b.height = title.lineSpacing() + closing.lineSpacing() + body.lineSpacing() * (qreal(lines.size()) + 2 * kGapLines);
    return b;
}

} // namespace

HelpOverlay::HelpOverlay(QWidget &window) : QWidget(&window)
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

int HelpOverlay::fittingPixelSize() const
{
    const Block reference = measure(kMeasurePx);
    const qreal scale = std::min(kUsedShare * width() / reference.width, kUsedShare * height() / reference.height);
    return std::max(1, int(std::floor(kMeasurePx * scale)));
}

void HelpOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kShade);
    const int px = fittingPixelSize();
    const Block b = measure(px);
    const QFont bodyFont = AidFont::font(px);
    const QFont titleFont = AidFont::font(int(std::lround(px * kTitleScale)));
    const QFont closingFont = AidFont::font(int(std::lround(px * kClosingScale)));
    const qreal left = (width() - b.width) / 2;
    const qreal howLeft = left + b.whatWidth + kColumnGapEm * px;
    qreal top = (height() - b.height) / 2;
    const auto line = [&](const QFont &font, const QColor &colour, qreal x, const QString &text) {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPointF(x, top + QFontMetricsF(font).ascent()), text);
    };

    line(titleFont, kHeading, left, qt(core::HelpText::title()));
    top += QFontMetricsF(titleFont).lineSpacing();
    const qreal bodyLine = QFontMetricsF(bodyFont).lineSpacing();
    top += kGapLines * bodyLine;
    for (const core::HelpText::Line &l : core::HelpText::lines()) {
        line(bodyFont, kHeading, left, qt(l.what));
        line(bodyFont, kBody, howLeft, qt(l.how));
        top += bodyLine;
    }
    top += kGapLines * bodyLine;
    line(closingFont, kClosing, left, qt(core::HelpText::closing()));
}
