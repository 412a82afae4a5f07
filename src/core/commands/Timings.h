#pragma once

namespace core {

// Times and distances both front-ends keep to, so a finger or a pen behaves
// the same on the desktop and in the browser.
namespace Timings {

// A saved board lands within 2 s of a change.
inline constexpr int kAutosaveMs = 1500;
// A press held this long opens the menu…
inline constexpr int kHoldMs = 600;
// …if it stays this close to where it began.
inline constexpr double kHoldStillPx = 6;
// A pen seen this recently is near the screen: touches then are a palm.
inline constexpr int kPenRecentMs = 500;

} // namespace Timings

} // namespace core
