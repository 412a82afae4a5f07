#pragma once

#include "DrawList.h"
#include "PageView.h"
#include "Rect.h"

#include <QImage>

// A page's picture as the screen shows it: the inner area at a device pixel
// ratio, drawn through the core's one way of drawing a page.
namespace PageImage {

QImage render(const core::PageView &view, qreal devicePixelRatio = 1);
// Into an image of the right size already there.
void renderInto(QImage &image, const core::PageView &view);
// A page drawn before into `image`, drawn again from its calls where `area`
// says (all of it when empty); the rest of the image keeps its pixels.
void redraw(QImage &image, const core::PageView &view, const core::DrawList &drawing,
            const std::vector<core::Rect> &area = {});

} // namespace PageImage
