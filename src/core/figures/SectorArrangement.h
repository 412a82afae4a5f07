#pragma once

#include "PointF.h"

#include <optional>
#include <vector>

namespace core {

// Where one sector lies once taken out of the circle: its apex in the
// figure's units (radii from the picture's left edge at the circle's height),
// the direction from its apex to the middle of its arc (radians counter-
// clockwise on the screen), and whether it has been turned upside down.
struct SectorPose
{
    PointF apex;
    double angle = 0;
    bool flipped = false;

    double axis() const;
    bool operator==(const SectorPose &) const = default;
};

// The sectors as a pupil has arranged them by hand: for each sector of the
// circle, in the order the animation takes them, where it lies, or nothing
// while it is still in the circle; and the sectors taken out in the order
// they were last put down, the last on top. A plain value, to copy, compare
// and send.
struct SectorArrangement
{
    // Sectors of one circle, and how far from the picture's edge a sector may lie, in radii.
    static constexpr int kMinSectors = 4;
    static constexpr int kMaxSectors = 64;
    static constexpr double kMaxReachRadii = 64;

    std::vector<std::optional<SectorPose>> poses;
    std::vector<int> stack;

    static SectorArrangement inCircle(int sectors);
    int sectors() const { return int(poses.size()); }
    bool out(int sector) const { return sector >= 0 && sector < sectors() && poses[std::size_t(sector)].has_value(); }
    // Whether an arrangement from elsewhere can be shown: a count on offer,
    // finite numbers within reach, and each sector out stacked exactly once.
    bool valid() const;

    bool operator==(const SectorArrangement &) const = default;
};

} // namespace core
