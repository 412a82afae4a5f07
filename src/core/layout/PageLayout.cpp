#include "PageLayout.h"

#include "ControlGeometry.h"
#include "IntMath.h"
#include "Twips.h"

#include <algorithm>
#include <optional>

namespace core {

namespace PageLayout {

namespace {

using Length = std::optional<float>;

// The page controls seen in twips, as the layout rules read and move them.
class TwipControls
{
public:
    TwipControls(ControlGeometry &page, const Twips &twips) : m_page(page), m_twips(twips) {}

    bool has(Control c) const { return m_page.exists(c); }
    float left(Control c) const { return m_twips.twipsX(float(m_page.rect(c).x())); }
    float top(Control c) const { return m_twips.twipsY(float(m_page.rect(c).y())); }
    float width(Control c) const { return m_twips.twipsX(float(m_page.rect(c).width())); }
    float height(Control c) const { return m_twips.twipsY(float(m_page.rect(c).height())); }

    // A length left out keeps the control's present one.
    void move(Control c, float left, float top, Length width = {}, Length height = {})
    {
        const Rect now = m_page.rect(c);
        m_page.move(c, Rect(m_twips.pixelX(left), m_twips.pixelY(top),
                             width ? m_twips.pixelX(*width) : now.width(),
                             height ? m_twips.pixelY(*height) : now.height()));
    }

private:
    ControlGeometry &m_page;
    const Twips &m_twips;
};

float nonNegative(float twips) { return float(std::max<Int32>(0, round32(twips))); }

} // namespace

void apply(const TabMetrics &tab, const Twips &twips, ControlGeometry &page)
{
    TwipControls c(page, twips);
    const auto twX = [&](float px) { return twips.twipsX(px); };
    const auto twY = [&](float px) { return twips.twipsY(px); };

    const float areaLeft = twX(kMarginPx);
    const float areaTop = twY(tab.rowHeight + kGapUnderRowPx);
    const float areaWidth = twX(float(std::max<Int32>(0, round32(tab.width - kMarginsPx))));
    const float areaHeight = twY(tab.height - tab.rowHeight - kVerticalMarginsPx); // may be negative

    const bool hasRow = c.has(Scroll);
    const float pictureHeight = hasRow ? areaHeight - c.height(Scroll) : areaHeight;
    c.move(Picture, areaLeft, areaTop, areaWidth, nonNegative(pictureHeight));

    if (hasRow) {
        const float buttonWidth = c.has(Button) ? c.width(Button) + twX(kRowGapPx) : 0.0f;
        const float scrollWidth = c.width(Picture) - c.width(Label) - buttonWidth - twX(kRowGapPx);
        c.move(Scroll, c.left(Picture), c.top(Picture) + c.height(Picture) + twY(kRowGapPx), nonNegative(scrollWidth));

        Control beforeLabel = Scroll;
        if (c.has(Button)) {
            c.move(Button, c.left(Scroll) + c.width(Scroll) + twX(kRowGapPx), c.top(Scroll));
            beforeLabel = Button;
        }
        c.move(Label, c.left(beforeLabel) + c.width(beforeLabel) + twX(kRowGapPx), c.top(Scroll));
    }

    c.move(Overlay, c.left(Picture) + twX(kOverlayInsetPx), c.top(Picture) + twY(kOverlayInsetPx),
           nonNegative(c.width(Picture) - twX(2 * kOverlayInsetPx)),
           nonNegative(c.height(Picture) - twY(2 * kOverlayInsetPx)));
}

} // namespace PageLayout

} // namespace core
