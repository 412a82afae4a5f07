#include "ToolButton.h"

#include "AidFont.h"
#include "ClassroomLayout.h"
#include "Command.h"
#include "Convert.h"
#include "PainterDrawOps.h"
#include "PenPalette.h"
#include "ToolIcons.h"

#include <QAction>
#include <QPainter>

namespace {

const QColor kFace{248, 248, 248};
const QColor kEdge{128, 128, 128};
const QColor kPressed{200, 200, 200};
// A checked button stands out from across the room: a chalk-yellow face in a heavy dark frame.
const QColor kChecked{255, 224, 96};
const QColor kCheckedEdge{0, 0, 0};
const QColor kText{0, 0, 0};
const core::Color kGreyInk{170, 170, 170};
const QColor kGreyText{150, 150, 150};
// Against the label's letters: the frame, its rounding and the checked frame.
constexpr qreal kEdgeShare = 0.05;
constexpr qreal kCheckedEdgeShare = 0.14;
constexpr qreal kRoundingShare = 0.25;

} // namespace

ToolButton::ToolButton(QAction *action, const core::Command &command, QWidget *parent)
    : QAbstractButton(parent), m_action(action), m_command(command), m_icon(command.icon)
{
    setCheckable(action->isCheckable());
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QString::fromStdString(command.label));
    setToolTip(action->toolTip());
    connect(this, &QAbstractButton::clicked, action, [action] { action->trigger(); });
    connect(action, &QAction::changed, this, &ToolButton::follow);
    follow();
}

void ToolButton::follow()
{
    setEnabled(m_action->isEnabled());
    setChecked(m_action->isChecked());
    setText(m_action->iconText());
    update();
}

void ToolButton::setSizes(int iconPx, int labelPx, bool iconBeside)
{
    if (iconPx == m_iconPx && labelPx == m_labelPx && iconBeside == m_iconBeside)
        return;
    m_iconPx = iconPx;
    m_labelPx = labelPx;
    m_iconBeside = iconBeside;
    m_pixmap = QPixmap();
    update();
}

void ToolButton::setIconName(const std::string &icon)
{
    if (icon == m_icon)
        return;
    m_icon = icon;
    m_pixmap = QPixmap();
    update();
}

// Drawn once a size, a state and an icon.
const QPixmap &ToolButton::iconPixmap()
{
    const qreal ratio = devicePixelRatioF();
    const int side = int(m_iconPx * ratio);
    if (!m_pixmap.isNull() && m_pixmap.width() == side && m_pixmapEnabled == isEnabled())
        return m_pixmap;
    m_pixmapEnabled = isEnabled();
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    core::DrawState state;
    PainterDrawOps ops(painter, state, float(side), float(side));
    const bool pen = m_command.family == "pen";
    const core::Color colour = pen ? core::PenPalette::pens()[std::size_t(m_command.argument)].colour : core::ToolIcons::kInk;
    core::ToolIcons::paint(ops, m_icon, isEnabled() ? core::ToolIcons::kInk : kGreyInk, colour);
    painter.end();
    m_pixmap = QPixmap::fromImage(image);
    m_pixmap.setDevicePixelRatio(ratio);
    return m_pixmap;
}

void ToolButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal edge = std::max(1.0, m_labelPx * (isChecked() ? kCheckedEdgeShare : kEdgeShare));
    const QRectF face = QRectF(rect()).adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2);
    painter.setPen(QPen(isChecked() ? kCheckedEdge : kEdge, edge));
    painter.setBrush(isDown() ? kPressed : isChecked() ? kChecked : kFace);
    const qreal rounding = m_labelPx * kRoundingShare;
    painter.drawRoundedRect(face, rounding, rounding);

    const int line = int(m_labelPx * core::ClassroomLayout::kLineShare);
    painter.setFont(AidFont::font(m_labelPx));
    painter.setPen(isEnabled() ? kText : kGreyText);
    if (m_iconBeside) {
        // The icon at the left, the label in the rest, both on the middle line.
        const int left = (height() - m_iconPx) / 2;
        painter.drawPixmap(left, left, iconPixmap());
        painter.drawText(QRect(left + m_iconPx, 0, width() - left - m_iconPx, height()), Qt::AlignCenter, text());
        return;
    }
    const int top = (height() - m_iconPx - line) / 2;
    painter.drawPixmap((width() - m_iconPx) / 2, top, iconPixmap());
    painter.drawText(QRect(0, top + m_iconPx, width(), line), Qt::AlignCenter, text());
}
