#pragma once

#include "DrawOps.h"

#include <initializer_list>
#include <string>
#include <vector>

// Keeps a page's resolved drawing calls as flat numbers that the page's
// script replays on a canvas without a call into WebAssembly per shape; the
// script reads the opcodes and lengths from here (drawCallFormat).
// Each call is an opcode and a fixed count of numbers (colours as 0xAARRGGBB):
//   Clear  colour
//   Line   x1 y1 x2 y2 colour width style
//   Circle cx cy radius whole startDegrees sweepDegrees radiusAtStart
//          radiusAtEnd outline width style fill (−1: none)
//   Text   index into `texts`, left top width height pixelSize colour outline outlineWidth
//   Box    left top width height colour
class FlatDrawOps : public core::DrawOps
{
public:
    enum Op { Clear = 1, Line = 2, Circle = 3, Text = 4, Box = 5 };
    // A call's numbers, its opcode included, by opcode.
    static constexpr int kLength[] = {0, 2, 8, 13, 10, 6};
    static constexpr double kNoFill = -1;

    FlatDrawOps(float width, float height);

    float ScaleWidth() const override { return m_width; }
    float ScaleHeight() const override { return m_height; }

    std::vector<double> numbers;
    std::vector<std::string> texts;

protected:
    void draw(const core::LineCall &line) override;
    void draw(const core::CircleCall &circle) override;
    void draw(const core::TextCall &text) override;
    void draw(const core::BoxCall &box) override;
    void clear(const core::Color &background) override;

private:
    void put(Op op, std::initializer_list<double> values);

    core::DrawState m_state;
    float m_width;
    float m_height;
};
