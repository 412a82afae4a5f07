#include "LineWeight.h"

#include <algorithm>

namespace core {

std::optional<LineWeight> LineWeight::fromFactor(int factor)
{
    const bool offered = std::any_of(kChoices.begin(), kChoices.end(), [factor](const Choice &c) { return c.factor == factor; });
    if (!offered)
        return std::nullopt;
    return LineWeight(factor);
}

LineWeight LineWeight::heavier() const
{
    return LineWeight(std::min(m_factor + 1, kChoices.back().factor));
}

LineWeight LineWeight::lighter() const
{
    return LineWeight(std::max(m_factor - 1, kChoices.front().factor));
}

} // namespace core
