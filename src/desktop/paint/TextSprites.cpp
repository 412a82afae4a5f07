#include "TextSprites.h"

#include "AidFont.h"
#include "Convert.h"
#include "DrawOps.h"

#include <QCache>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace TextSprites {

namespace {

// Enough for every line the aids of every page show at 4K, many times over.
constexpr qsizetype kCacheKiB = 32 * 1024;
constexpr qsizetype kBytesPerKiB = 1024;
// In an image the outline is the letters copied round them in two rings;
// stroking the letters' paths would cost several times more.
constexpr int kOuterCopies = 16;
constexpr int kInnerCopies = 8;
constexpr double kInnerRing = 0.5;

// The outline is stroked first and the letters filled over it, so it only
// widens them outwards.
void drawPath(QPainter &painter, const core::TextCall &text, QPointF topLeft)
{
    const QFont font = AidFont::font(text.pixelSize);
    QPainterPath path;
    path.addText(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent(), font, Convert::toQt(text.text));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.strokePath(path, QPen(Convert::toQt(text.outline), text.outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, Convert::toQt(text.color));
}

QString keyOf(const core::TextCall &text, qreal pixelRatio)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(Convert::toQt(text.text))
        .arg(text.pixelSize)
        .arg(text.color.rgba(), 8, 16)
        .arg(text.outline.rgba(), 8, 16)
        .arg(text.outlineWidth)
        .arg(pixelRatio);
}

QImage blankImage(QSizeF size, qreal pixelRatio)
{
    QImage image((size * pixelRatio).toSize() + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    return image;
}

void drawLetters(QImage &image, const core::TextCall &text, const QColor &color, QPointF baseline)
{
    QPainter painter(&image);
    painter.setFont(AidFont::font(text.pixelSize));
    painter.setPen(color);
    painter.drawText(baseline, Convert::toQt(text.text));
}

// The line with room for its outline all round; `margin` is that room.
QImage *sprite(const core::TextCall &text, qreal pixelRatio, qreal margin)
{
    thread_local QCache<QString, QImage> cache(kCacheKiB);
    const QString key = keyOf(text, pixelRatio);
    if (QImage *found = cache.object(key))
        return found;
    const QSizeF size = QSizeF(text.box.width(), text.box.height()) + QSizeF(2 * margin, 2 * margin);
    const QPointF baseline(margin, margin + QFontMetricsF(AidFont::font(text.pixelSize)).ascent());
    QImage dark = blankImage(size, pixelRatio);
    drawLetters(dark, text, Convert::toQt(text.outline), baseline);
    auto *image = new QImage(blankImage(size, pixelRatio));
    {
        QPainter painter(image);
        const double reach = text.outlineWidth / 2;
        for (const auto &[copies, radius] : {std::pair{kOuterCopies, reach}, std::pair{kInnerCopies, reach * kInnerRing}})
            for (int i = 0; i < copies; ++i) {
                const double angle = 2 * std::numbers::pi * i / copies;
                painter.drawImage(QPointF(radius * std::cos(angle), radius * std::sin(angle)), dark);
            }
    }
    drawLetters(*image, text, Convert::toQt(text.color), baseline);
    const qsizetype cost = image->sizeInBytes() / kBytesPerKiB;
    cache.insert(key, image, cost);
    return cache.object(key);
}

} // namespace

void draw(QPainter &painter, const core::TextCall &text)
{
    const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    if (!raster || painter.worldTransform().isScaling()) {
        drawPath(painter, text, Convert::toQt(text.box.topLeft()));
        return;
    }
    const qreal margin = std::ceil(text.outlineWidth);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QImage *image = sprite(text, ratio, margin);
    // Too large to keep: drawn as paths, slowly but right.
    if (!image) {
        drawPath(painter, text, Convert::toQt(text.box.topLeft()));
        return;
    }
    const QPointF at = Convert::toQt(text.box.topLeft()) - QPointF(margin, margin);
    // Whole device pixels: the copy is then exact, with no resampling.
    painter.drawImage(QPointF(std::round(at.x() * ratio) / ratio, std::round(at.y() * ratio) / ratio), *image);
}

} // namespace TextSprites
