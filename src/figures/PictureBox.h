#pragma once

#include "DrawOps.h"

#include <QFrame>

// A drawing area: a flat one-pixel frame around an inner area that keeps no
// image. Every paint erases to the background and asks its handler to draw the
// whole figure through DrawOps; the drawing state outlives the paint.
class PictureBox : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kFramePx = 1;

    explicit PictureBox(const QColor &background, QWidget *parent = nullptr);

    float ScaleWidth() const { return float(contentsRect().width()); }
    float ScaleHeight() const { return float(contentsRect().height()); }

    // Erases and runs the paint handler before returning (when visible).
    void Refresh() { repaint(); }
    // Lines heavier than designed may be drawn the faster way.
    void setFastWideLines(bool fast) { m_fastWideLines = fast; }

signals:
    void Paint(DrawOps &ops);
    void Resize();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    DrawState m_state;
    bool m_fastWideLines = false;
};
