#pragma once

#include "InkLayer.h"

#include <QImage>

// The strokes of a layer drawn on a fresh layer in one go: what its cached
// image must equal, however it got there.
inline QImage freshImage(const InkLayer &ink)
{
    InkLayer fresh;
    fresh.setFrame(ink.frame());
    fresh.resize(ink.size(), ink.devicePixelRatio());
    std::vector<Stroke> copy;
    for (const Stroke *s : ink.strokes())
        copy.push_back(*s);
    fresh.restore(copy);
    return fresh.image();
}
