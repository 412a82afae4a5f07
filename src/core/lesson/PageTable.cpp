#include "PageTable.h"

#include "ArcAids.h"
#include "ArcFigure.h"
#include "DrawOps.h"
#include "ParallelogramAids.h"
#include "ParallelogramFigure.h"
#include "PageView.h"
#include "PolygonAids.h"
#include "PolygonFigure.h"
#include "RealLengthAids.h"

namespace core {

namespace {

constexpr int kStartHalf = 4;
constexpr int kSectorsPerHalf = 2;

void paintPolygon(DrawOps &ops, const PageView &view)
{
    PolygonFigure::compute(ops.ScaleWidth(), ops.ScaleHeight(), view.value).paint(ops, view.weight);
}

void paintArc(DrawOps &ops, const PageView &view)
{
    ArcFigure::compute(ops.ScaleWidth(), ops.ScaleHeight(), view.value).paint(ops, view.weight);
}

void paintSectors(DrawOps &ops, const PageView &view)
{
    ParallelogramFigure::compute(ops.ScaleWidth(), ops.ScaleHeight(), view.value, view.step).paint(ops, view.weight);
}

// The circle the sectors are cut from, where it stands before any moves.
Similarity sectorsCircle(float scaleWidth, float scaleHeight)
{
    const ParallelogramFigure f =
        ParallelogramFigure::compute(scaleWidth, scaleHeight, ParallelogramFigure::kMinHalf, 0);
    return {PointF(f.centre), double(f.R)};
}

} // namespace

namespace PageTable {

const std::vector<PageRow> &rows()
{
    static const std::vector<PageRow> kRows = {
        {"正多角形", ValueRange{PolygonFigure::kMinSides, PolygonFigure::kMaxSides, PolygonFigure::kMinSides, 1},
         "辺の数", "正多角形の辺の数: ", "", false, paintPolygon, PolygonFigure::frame, PolygonAids::add,
         RealLengthAids::addPolygon, PolygonFigure::frame, true},
        {"円弧", ValueRange{0, ArcFigure::kMaxDegrees, ArcFigure::kMaxDegrees, 1}, "中心角", "扇形の中心角: ", " 度",
         false, paintArc, ArcFigure::frame, ArcAids::add, RealLengthAids::addSector, ArcFigure::frame},
        {"円→平行四辺形",
         ValueRange{ParallelogramFigure::kMinHalf, ParallelogramFigure::kMaxHalf, kStartHalf, kSectorsPerHalf},
         "扇形の数", "円を分ける扇形の数: ", "", true, paintSectors, ParallelogramFigure::frame, ParallelogramAids::add,
         RealLengthAids::addParallelogram, sectorsCircle},
        {"白紙", std::nullopt, "", "", "", false, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    return kRows;
}

const PageRow &row(int page)
{
    const std::vector<PageRow> &all = rows();
    return all[page >= 0 && page < count() ? std::size_t(page) : all.size() - 1];
}

PageControls controls(int page)
{
    const PageRow &r = row(page);
    return {r.range.has_value(), r.range.has_value(), r.range.has_value() && r.animates};
}

} // namespace PageTable

} // namespace core
