#include "SectorArrangement.h"

#include "FigureMath.h"

#include <algorithm>
#include <cmath>

namespace core {

double SectorPose::axis() const { return flipped ? angle + kPi : angle; }

SectorArrangement SectorArrangement::inCircle(int sectors)
{
    SectorArrangement a;
    a.poses.resize(std::size_t(std::max(0, sectors)));
    return a;
}

bool SectorArrangement::valid() const
{
    if (sectors() < kMinSectors || sectors() > kMaxSectors || sectors() % 2 != 0)
        return false;
    std::vector<int> seen(poses.size(), 0);
    for (const int s : stack) {
        if (!out(s) || seen[std::size_t(s)]++)
            return false;
    }
    for (int s = 0; s < sectors(); ++s) {
        const std::optional<SectorPose> &p = poses[std::size_t(s)];
        if (!p)
            continue;
        if (!seen[std::size_t(s)] || !p->apex.isFinite() || !std::isfinite(p->angle) ||
            std::abs(p->apex.x()) > kMaxReachRadii || std::abs(p->apex.y()) > kMaxReachRadii || p->angle < 0 ||
            p->angle > 2 * kPi)
            return false;
    }
    return true;
}

} // namespace core
