#pragma once

class QPainter;

namespace core {
struct TextCall;
}

// Draws outlined text. Qt draws letters this large as paths, and stroking the
// outline of a line of them costs several milliseconds at 4K; on a raster
// surface each line is drawn once into an image, kept, and copied on every
// later paint. Other surfaces (PDF, printers) get the paths themselves.
namespace TextSprites {

void draw(QPainter &painter, const core::TextCall &text);

} // namespace TextSprites
