#pragma once

#include "InkLayer.h"

// The strokes of a layer drawn on a fresh layer in one go: what its cached
// image must equal, however it got there.
inline core::PixelBuffer freshImage(const core::InkLayer &ink)
{
    core::InkLayer fresh;
    fresh.setFrame(ink.frame());
    fresh.setEdged(ink.edged());
    fresh.canvas().setGround(ink.canvas().ground());
    fresh.resize(ink.size(), ink.devicePixelRatio());
    std::vector<core::Stroke> copy;
    for (const core::Stroke *s : ink.strokes())
        copy.push_back(*s);
    fresh.restore(copy);
    return fresh.image();
}
