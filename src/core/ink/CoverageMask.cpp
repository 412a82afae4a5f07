#include "CoverageMask.h"

#include <algorithm>
#include <cstring>

namespace core {

namespace {
constexpr std::pair<int, int> kUntouched{1, 0};
} // namespace

void CoverageMask::reset(const Rect &rect)
{
    for (int y = m_rect.top(); y <= m_rect.bottom(); ++y) {
        const auto [first, last] = span(y);
        if (first <= last)
            std::memset(row(y) + (first - m_rect.x()), 0, std::size_t(last - first + 1));
    }
    m_rect = rect.isEmpty() ? Rect() : rect;
    m_alpha.resize(std::size_t(m_rect.width()) * std::size_t(m_rect.height()));
    m_spans.assign(std::size_t(m_rect.height()), kUntouched);
}

void CoverageMask::touch(int y, int first, int last)
{
    auto &s = m_spans[std::size_t(y - m_rect.y())];
    s = s.first > s.second ? std::pair(first, last) : std::pair(std::min(s.first, first), std::max(s.second, last));
}

void CoverageMask::include(const Rect &rect)
{
    if (rect.isEmpty() || m_rect.contains(rect))
        return;
    if (m_rect.isEmpty()) {
        reset(rect);
        return;
    }
    CoverageMask grown;
    grown.reset(m_rect | rect);
    for (int y = m_rect.top(); y <= m_rect.bottom(); ++y) {
        const auto [first, last] = span(y);
        if (first > last)
            continue;
        std::memcpy(grown.row(y) + (first - grown.m_rect.x()), row(y) + (first - m_rect.x()), std::size_t(last - first + 1));
        grown.touch(y, first, last);
    }
    *this = std::move(grown);
}

} // namespace core
