#include "GeometryModel.h"

#include <algorithm>

void GeometryModel::move(int id, const QRect &rect)
{
    m_rects.at(id) = QRect(rect.x(), rect.y(), std::max(0, rect.width()), std::max(0, rect.height()));
}
