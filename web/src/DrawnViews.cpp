#include "DrawnViews.h"

#include "Lesson.h"

bool DrawnViews::changed(const core::Lesson &lesson, int page, int width, int height, double ratio)
{
    if (!lesson.has(page))
        return false;
    if (m_drawn.size() < std::size_t(lesson.pageCount()))
        m_drawn.resize(std::size_t(lesson.pageCount()));
    const core::PageView view = lesson.view(page, core::Size(width, height));
    std::optional<Drawn> &drawn = m_drawn[std::size_t(page)];
    if (drawn && drawn->view == view && drawn->ratio == ratio)
        return false;
    drawn = Drawn{view, ratio};
    return true;
}
