#pragma once

#include "DrawOps.h"

#include <type_traits>
#include <variant>
#include <vector>

// Records every resolved drawing call, so tests check figures exactly.
class RecordingOps : public DrawOps
{
public:
    using Call = std::variant<LineCall, CircleCall, TextCall>;

    RecordingOps(float width, float height) : DrawOps(m_ownState), m_width(width), m_height(height) {}

    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }

    std::vector<Call> calls;
    std::vector<QColor> cleared;

    std::vector<LineCall> lines() const { return only<LineCall>(); }
    std::vector<CircleCall> circles() const { return only<CircleCall>(); }
    std::vector<TextCall> texts() const { return only<TextCall>(); }

    // Whether `heavier` made these calls, each visible pen `factor` times as wide.
    bool sameCallsWidened(const RecordingOps &heavier, int factor) const
    {
        std::vector<Call> widened = calls;
        for (Call &c : widened)
            std::visit(
                [factor](auto &call) {
                    if constexpr (!std::is_same_v<std::decay_t<decltype(call)>, TextCall>)
                        call.width *= call.style == DrawStyle::Invisible ? 1 : factor;
                },
                c);
        return widened == heavier.calls;
    }

protected:
    void draw(const LineCall &line) override { calls.emplace_back(line); }
    void draw(const CircleCall &circle) override { calls.emplace_back(circle); }
    void draw(const TextCall &text) override { calls.emplace_back(text); }
    void clear(const QColor &background) override { cleared.push_back(background); }

private:
    template <typename T>
    std::vector<T> only() const
    {
        std::vector<T> out;
        for (const Call &c : calls)
            if (const T *t = std::get_if<T>(&c))
                out.push_back(*t);
        return out;
    }

    DrawState m_ownState;
    float m_width;
    float m_height;
};
