#pragma once

#include "DesignGeometry.h"
#include "DrawList.h"
#include "PageView.h"

#include <QFrame>
#include <QImage>
#include <QRegion>

#include <functional>
#include <memory>
#include <optional>

// A drawing area: a flat one-pixel frame around an inner area that shows a
// page of the lesson. The page is drawn anew only when what it shows changes
// (its view, its size, the screen's pixel ratio), and where only part of it
// changed (a sector moved) only that part; every other paint, under a moving
// pen for one, copies the pixels kept from then.
class PictureBox : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kFramePx = core::DesignGeometry::kPictureFramePx;
    // What the page shows in an inner area of this size.
    using ViewSource = std::function<core::PageView(core::Size inner)>;

    PictureBox(const QColor &background, ViewSource view, QWidget *parent = nullptr);

    float ScaleWidth() const { return float(contentsRect().width()); }
    float ScaleHeight() const { return float(contentsRect().height()); }

    // Erases and paints before returning (when visible): where the page
    // changed, or all of it.
    void Refresh();
    // The inner area as the screen shows it, at the screen's resolution.
    const QImage &picture();

signals:
    // After every paint.
    void Paint();
    void Resize();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawPicture();

    ViewSource m_view;
    QImage m_picture;
    std::optional<core::PageView> m_drawn;
    std::unique_ptr<core::DrawList> m_calls;
    // Drawn into the kept pixels and not yet shown: some places, or all.
    QRegion m_unshown;
    bool m_unshownWhole = false;
};
