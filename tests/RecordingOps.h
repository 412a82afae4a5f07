#pragma once

#include "DrawList.h"
#include "LineWeight.h"

#include <type_traits>
#include <variant>

// The core's record of every resolved drawing call, so tests check figures
// exactly, and whether a heavier weight did nothing but widen them.
class RecordingOps : public core::DrawList
{
public:
    using DrawList::DrawList;

    // Whether `heavier` made these calls, each visible pen as wide as `weight` makes it.
    bool sameCallsWidened(const RecordingOps &heavier, core::LineWeight weight) const
    {
        std::vector<Call> widened = calls;
        for (Call &c : widened)
            std::visit(
                [weight](auto &call) {
                    if constexpr (requires { call.width; })
                        call.width = call.style == core::DrawStyle::Invisible ? call.width : weight.px(call.width);
                },
                c);
        return widened == heavier.calls;
    }
};
