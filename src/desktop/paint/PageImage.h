#pragma once

#include "PageView.h"

#include <QImage>

// A page's picture as the screen shows it: the inner area at a device pixel
// ratio, drawn through the core's one way of drawing a page.
namespace PageImage {

QImage render(const core::PageView &view, qreal devicePixelRatio = 1);
// Into an image of the right size already there.
void renderInto(QImage &image, const core::PageView &view);

} // namespace PageImage
