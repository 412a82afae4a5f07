#pragma once

#include "DrawOps.h"

namespace core {

// Draws a page onto another surface in the colours of white paper, to save
// ink: the board is the paper, lines and letters are dark enough to read, and
// fills are light tints of their colour inside those dark lines. Every
// front-end prints through it.
class PaperDrawOps : public DrawOps
{
public:
    static inline const Color kPaper{255, 255, 255};
    // The most ink a fill may lay in any one channel, as a share of full.
    static constexpr double kFillInkShare = 0.2;

    explicit PaperDrawOps(DrawOps &surface);

    float ScaleWidth() const override { return m_surface.ScaleWidth(); }
    float ScaleHeight() const override { return m_surface.ScaleHeight(); }

    // A fill on paper: its hue, thinned toward white until no channel lays
    // more than kFillInkShare; a fill already that light stays.
    static Color tint(const Color &fill);

protected:
    void draw(const LineCall &line) override;
    void draw(const CircleCall &circle) override;
    void draw(const TextCall &text) override;
    void draw(const BoxCall &box) override;
    void clear(const Color &background) override;

private:
    DrawState m_state;
    DrawOps &m_surface;
};

} // namespace core
