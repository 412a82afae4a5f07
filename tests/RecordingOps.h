#pragma once

#include "DrawList.h"

#include <type_traits>
#include <variant>

// The core's record of every resolved drawing call, so tests check figures
// exactly, and whether a heavier weight did nothing but widen them.
class RecordingOps : public core::DrawList
{
public:
    using DrawList::DrawList;

    // Whether `heavier` made these calls, each visible pen `factor` times as wide.
    bool sameCallsWidened(const RecordingOps &heavier, int factor) const
    {
        std::vector<Call> widened = calls;
        for (Call &c : widened)
            std::visit(
                [factor](auto &call) {
                    if constexpr (requires { call.width; })
                        call.width *= call.style == core::DrawStyle::Invisible ? 1 : factor;
                },
                c);
        return widened == heavier.calls;
    }
};
