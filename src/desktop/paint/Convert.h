#pragma once

#include "Color.h"
#include "PixelBuffer.h"
#include "PointF.h"
#include "RectF.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <string>

// The core's plain types and Qt's, both ways, at the desktop's edge.
namespace Convert {

inline QPoint toQt(core::Point p) { return {p.x(), p.y()}; }
inline QPointF toQt(core::PointF p) { return {p.x(), p.y()}; }
inline QSize toQt(core::Size s) { return {s.width(), s.height()}; }
inline QRect toQt(const core::Rect &r) { return {r.x(), r.y(), r.width(), r.height()}; }
inline QRectF toQt(const core::RectF &r) { return {r.x(), r.y(), r.width(), r.height()}; }
inline QColor toQt(const core::Color &c) { return QColor(c.red(), c.green(), c.blue(), c.alpha()); }
inline QString toQt(const std::string &utf8) { return QString::fromStdString(utf8); }

inline core::Point toCore(QPoint p) { return {p.x(), p.y()}; }
inline core::PointF toCore(QPointF p) { return {p.x(), p.y()}; }
inline core::Size toCore(QSize s) { return {s.width(), s.height()}; }
inline core::Rect toCore(const QRect &r) { return {r.x(), r.y(), r.width(), r.height()}; }
inline core::Color toCore(const QColor &c) { return core::Color(c.red(), c.green(), c.blue(), c.alpha()); }

// The buffer's pixels as an image, without copying them: the image lives no
// longer than the buffer stays unchanged.
inline QImage wrap(const core::PixelBuffer &buffer)
{
    return QImage(reinterpret_cast<const uchar *>(buffer.data()), buffer.width(), buffer.height(),
                  qsizetype(buffer.stride() * sizeof(core::Rgba)), QImage::Format_ARGB32_Premultiplied);
}

} // namespace Convert
