#pragma once

namespace core {

class ControlGeometry;
class Twips;

// Fits the controls of one tab page into the tab control. Page controls are
// placed in twips relative to the tab control's top-left corner; the rules are
// stated in pixels and converted along their own axis. Computed in 32 bits, so
// pages wider or taller than 32,767 twips (4K screens) lay out exactly.
namespace PageLayout {

enum Control { Picture, Scroll, Button, Label, Overlay };

// Tab control metrics, in pixels.
struct TabMetrics
{
    float width = 0;
    float height = 0;
    float rowHeight = 0;
};

inline constexpr int kMarginPx = 5;
inline constexpr int kGapUnderRowPx = 5;
inline constexpr int kMarginsPx = 10;
inline constexpr int kVerticalMarginsPx = 12;
inline constexpr int kRowGapPx = 2;
inline constexpr int kOverlayInsetPx = 2;

// Lays out a page whose controls are given; a page without scroll bar (the blank
// page) gets a picture over the whole page area.
void apply(const TabMetrics &tab, const Twips &twips, ControlGeometry &page);

} // namespace PageLayout

} // namespace core
