#include "PageTable.h"

#include "ArcAids.h"
#include "ArcFigure.h"
#include "DrawOps.h"
#include "ParallelogramFigure.h"
#include "PageView.h"
#include "PolygonAids.h"
#include "PolygonFigure.h"
#include "PracticeFigure.h"
#include "PracticeProblem.h"
#include "RealLengthAids.h"
#include "SectorsPage.h"

#include <array>

namespace core {

namespace {

constexpr int kStartHalf = 4;
constexpr int kSectorsPerHalf = 2;
constexpr int kFormulaLines = 5;

void paintPolygon(DrawOps &ops, const PageView &view)
{
    PolygonFigure::compute(ops.ScaleWidth(), ops.ScaleHeight(), view.value).paint(ops, view.weight, !view.grid);
}

void paintArc(DrawOps &ops, const PageView &view)
{
    ArcFigure::compute(ops.ScaleWidth(), ops.ScaleHeight(), view.value).paint(ops, view.weight, !view.grid);
}

// The circle the sectors are cut from, where it stands before any moves.
Similarity sectorsCircle(float scaleWidth, float scaleHeight)
{
    const ParallelogramFigure f =
        ParallelogramFigure::compute(scaleWidth, scaleHeight, ParallelogramFigure::kMinHalf, 0);
    return {PointF(f.centre), double(f.R)};
}

int sectorSteps(int half) { return half * kSectorsPerHalf; }

void paintPractice(DrawOps &ops, const PageView &view) { PracticeFigure::compute(view).paint(ops); }

void paintPracticeWords(DrawOps &ops, const PageView &view, const TextMeasure &measure)
{
    PracticeFigure::compute(view, &measure).paintWords(ops);
}

const std::array<const char *, PracticeProblem::kKinds> &practiceNames()
{
    static const std::array<const char *, PracticeProblem::kKinds> names = [] {
        std::array<const char *, PracticeProblem::kKinds> n{};
        for (int kind = 0; kind < PracticeProblem::kKinds; ++kind)
            n[std::size_t(kind)] = PracticeProblem::kind(kind).name;
        return n;
    }();
    return names;
}

std::optional<ValueRange> practiceSecond(int choice)
{
    const std::optional<PracticeProblem::Given> &second = PracticeProblem::kind(choice).second;
    if (!second)
        return std::nullopt;
    return ValueRange{second->min, second->max, second->start, 1, second->name};
}

int practiceStart(int choice) { return PracticeProblem::kind(choice).first.start; }

constexpr const char *kFirstIds[] = {"polygon", "arc", "sectors", "blank"};

} // namespace

namespace PageTable {

const std::vector<PageRow> &rows()
{
    namespace Design = DesignGeometry;
    static const std::vector<PageRow> kRows = {
        {.id = "polygon", .caption = "正多角形",
         .range = ValueRange{PolygonFigure::kMinSides, PolygonFigure::kMaxSides, PolygonFigure::kMinSides, 1},
         .valueName = "辺の数", .valueDescription = "正多角形の辺の数: ", .valueUnit = "", .animates = false,
         .paintFigure = paintPolygon, .frame = PolygonFigure::frame, .addAids = PolygonAids::add,
         .addRealLengths = RealLengthAids::addPolygon, .circle = PolygonFigure::frame, .boundingSquares = true,
         .design = Design::kPages[0]},
        {.id = "arc", .caption = "円弧", .range = ValueRange{0, ArcFigure::kMaxDegrees, ArcFigure::kMaxDegrees, 1},
         .valueName = "中心角", .valueDescription = "扇形の中心角: ", .valueUnit = " 度", .animates = false,
         .paintFigure = paintArc, .frame = ArcFigure::frame, .addAids = ArcAids::add,
         .addRealLengths = RealLengthAids::addSector, .circle = ArcFigure::frame,
         .countedQuarters = ArcAids::countedQuarters, .design = Design::kPages[1]},
        {.id = "sectors", .caption = "円→平行四辺形",
         .range = ValueRange{ParallelogramFigure::kMinHalf, ParallelogramFigure::kMaxHalf, kStartHalf, kSectorsPerHalf},
         .valueName = "扇形の数", .valueDescription = "円を分ける扇形の数: ", .valueUnit = "", .animates = true,
         .paintFigure = SectorsPage::paint, .frame = ParallelogramFigure::frame, .addAids = SectorsPage::addAids,
         .addRealLengths = SectorsPage::addRealLengths, .circle = sectorsCircle, .design = Design::kPages[2],
         .steps = sectorSteps, .formulaLines = kFormulaLines, .buttonCaption = "開始"},
        {.id = "blank", .caption = "白紙", .range = std::nullopt, .valueName = "", .valueDescription = "",
         .valueUnit = "", .animates = false, .paintFigure = nullptr, .frame = nullptr, .addAids = nullptr,
         .addRealLengths = nullptr, .design = Design::kPages[3]},
        {.id = "practice", .caption = "練習問題",
         .range = ValueRange{PracticeProblem::kMinCm, PracticeProblem::kMaxCm, PracticeProblem::kind(0).first.start, 1},
         .valueName = "長さ", .valueDescription = "図の長さ: ", .valueUnit = " cm", .animates = false,
         .paintFigure = paintPractice, .frame = PracticeFigure::frame, .addAids = nullptr, .addRealLengths = nullptr,
         .design = Design::kPages[2], .steps = PracticeFigure::steps, .buttonCaption = "次へ", .shownAtFirst = false,
         .paintWorked = paintPracticeWords, .choices = practiceNames(), .valueStart = practiceStart, .secondRange = practiceSecond,
         .holdValues = PracticeProblem::hold},
    };
    return kRows;
}

const PageRow &row(int page)
{
    const std::vector<PageRow> &all = rows();
    return all[std::size_t(page >= 0 && page < count() ? page : blank())];
}

std::optional<int> find(std::string_view id)
{
    const std::vector<PageRow> &all = rows();
    for (std::size_t page = 0; page < all.size(); ++page)
        if (id == all[page].id)
            return int(page);
    return std::nullopt;
}

int blank()
{
    static const int page = find("blank").value_or(count() - 1);
    return page;
}

std::vector<std::string> ids()
{
    std::vector<std::string> out;
    for (const PageRow &r : rows())
        out.emplace_back(r.id);
    return out;
}

std::span<const char *const> firstIds() { return kFirstIds; }

InkFile::Pages inkPages() { return {ids(), InkFile::PageIds(std::begin(kFirstIds), std::end(kFirstIds))}; }

PageControls controls(int page)
{
    const PageRow &r = row(page);
    return {r.range.has_value(), r.range.has_value(), r.range.has_value() && r.buttonCaption != nullptr};
}

} // namespace PageTable

} // namespace core
