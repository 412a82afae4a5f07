#include "WebLayout.h"

#include "DesignGeometry.h"
#include "GeometryModel.h"
#include "PageLayout.h"
#include "PageTable.h"
#include "WindowLayout.h"

namespace Design = core::DesignGeometry;
namespace PageLayout = core::PageLayout;
namespace WindowLayout = core::WindowLayout;

namespace {

core::Rect placed(const Design::TwipRect &r, const core::Twips &twips)
{
    return core::Rect(twips.pixelX(r.left), twips.pixelY(r.top), twips.pixelX(r.width), twips.pixelY(r.height));
}

WebLayout::Page pageLayout(int index, const PageLayout::TabMetrics &tab, const core::Twips &twips)
{
    const core::PageControls has = core::PageTable::controls(index);
    const Design::PageDesign &design = core::PageTable::row(index).design;
    core::GeometryModel model;
    model.add(PageLayout::Picture, placed(design.picture, twips));
    model.add(PageLayout::Overlay, placed(design.overlay, twips));
    if (has.scroll)
        model.add(PageLayout::Scroll, placed(design.scroll, twips));
    if (has.label)
        model.add(PageLayout::Label, placed(design.label, twips));
    if (has.start)
        model.add(PageLayout::Button, placed(design.button, twips));
    PageLayout::apply(tab, twips, model);

    WebLayout::Page page;
    const auto rect = [&model](PageLayout::Control c) { return model.exists(c) ? model.rect(c) : core::Rect(); };
    page.picture = rect(PageLayout::Picture);
    page.scroll = rect(PageLayout::Scroll);
    page.button = rect(PageLayout::Button);
    page.label = rect(PageLayout::Label);
    page.overlay = rect(PageLayout::Overlay);
    const int frames = 2 * Design::kPictureFramePx;
    page.inner = core::Size(page.picture.width() - frames, page.picture.height() - frames).expandedTo(core::Size(0, 0));
    page.innerOnOverlay = core::Point(page.picture.x() + Design::kPictureFramePx - page.overlay.x(),
                                      page.picture.y() + Design::kPictureFramePx - page.overlay.y());
    return page;
}

} // namespace

WebLayout WebLayout::compute(int clientWidth, int clientHeight, const core::Twips &twips)
{
    core::GeometryModel window;
    window.add(WindowLayout::MainTab, placed(Design::kMainTab, twips));
    window.add(WindowLayout::LeftClear, placed(Design::kClearButtons[0], twips));
    window.add(WindowLayout::RightClear, placed(Design::kClearButtons[1], twips));
    window.add(WindowLayout::Swatch, placed(Design::kSwatch, twips));
    WindowLayout::apply(float(clientWidth), float(clientHeight), window);

    WebLayout out;
    out.tab = window.rect(WindowLayout::MainTab);
    out.tabRow = twips.pixelY(Design::kTabRowTwips);
    out.clear[0] = window.rect(WindowLayout::LeftClear);
    out.clear[1] = window.rect(WindowLayout::RightClear);
    out.swatch = window.rect(WindowLayout::Swatch);
    const PageLayout::TabMetrics tab{float(out.tab.width()), float(out.tab.height()), float(out.tabRow)};
    for (int page = 0; page < core::PageTable::count(); ++page)
        out.pages.push_back(pageLayout(page, tab, twips));
    return out;
}

emscripten::val rectOf(const core::Rect &r)
{
    emscripten::val out = emscripten::val::array();
    for (int n : {r.x(), r.y(), r.width(), r.height()})
        out.call<void>("push", n);
    return out;
}
