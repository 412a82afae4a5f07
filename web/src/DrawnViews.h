#pragma once

#include "PageView.h"

#include <optional>
#include <vector>

namespace core {
class Lesson;
}

// What each page's picture last showed, so the page draws it again only when
// the view differs: every field of PageView counts, as on the desktop.
class DrawnViews
{
public:
    // Whether the page's view at this inner size and pixel ratio differs from
    // the one last drawn; it is then taken as drawn.
    bool changed(const core::Lesson &lesson, int page, int width, int height, double ratio);
    // Everything draws again, once the aids' face has loaded.
    void forget() { m_drawn.clear(); }

private:
    struct Drawn
    {
        core::PageView view;
        double ratio = 0;
    };
    std::vector<std::optional<Drawn>> m_drawn;
};
