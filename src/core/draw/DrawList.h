#pragma once

#include "DrawOps.h"

#include <variant>
#include <vector>

namespace core {

// Keeps every resolved drawing call in order instead of drawing it: for a
// front-end that replays them on its own surface, and for tests that check
// figures call by call.
class DrawList : public DrawOps
{
public:
    using Call = std::variant<LineCall, CircleCall, TextCall, BoxCall>;

    DrawList(float width, float height) : DrawOps(m_ownState), m_width(width), m_height(height) {}

    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }

    std::vector<Call> calls;
    std::vector<Color> cleared;

    std::vector<LineCall> lines() const { return only<LineCall>(); }
    std::vector<CircleCall> circles() const { return only<CircleCall>(); }
    std::vector<TextCall> texts() const { return only<TextCall>(); }
    std::vector<BoxCall> boxes() const { return only<BoxCall>(); }

protected:
    void draw(const LineCall &line) override { calls.emplace_back(line); }
    void draw(const CircleCall &circle) override { calls.emplace_back(circle); }
    void draw(const TextCall &text) override { calls.emplace_back(text); }
    void draw(const BoxCall &box) override { calls.emplace_back(box); }
    void clear(const Color &background) override { cleared.push_back(background); }

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

} // namespace core
