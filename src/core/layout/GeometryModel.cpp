#include "GeometryModel.h"

#include <algorithm>

namespace core {

void GeometryModel::move(int id, const Rect &rect)
{
    m_rects.at(id) = Rect(rect.x(), rect.y(), std::max(0, rect.width()), std::max(0, rect.height()));
}

} // namespace core
