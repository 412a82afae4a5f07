// Digests of what the core computes over wide sweeps of its inputs, one named
// line each, written to the file named on the command line. Every toolchain
// builds this same program; the check is that their files agree line for line
// (cmake/CompareDigests.cmake), so no expected value is written here. A part
// of the core joins with a function that adds its lines, listed in main().

#include "ArcFigure.h"
#include "Color.h"
#include "DrawList.h"
#include "GeometryModel.h"
#include "InkFile.h"
#include "InkLayer.h"
#include "Lesson.h"
#include "PageLayout.h"
#include "PageRenderer.h"
#include "ParallelogramFigure.h"
#include "PenPalette.h"
#include "PolygonFigure.h"
#include "StoredChoices.h"
#include "Text.h"
#include "TextMeasure.h"
#include "Twips.h"
#include "WindowLayout.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

using namespace core;

namespace {

// 64-bit FNV-1a over a canonical serialisation: integers as 8 bytes little
// endian, reals by their IEEE bits or on a grid, text by its length and bytes.
class Digest
{
public:
    Digest() = default;
    // Reals rounded to the nearest multiple of 1/grid.
    explicit Digest(double grid) : m_grid(grid) {}

    template <typename T>
        requires std::is_integral_v<T> || std::is_enum_v<T>
    Digest &operator<<(T v)
    {
        auto bits = std::uint64_t(std::int64_t(v));
        for (int i = 0; i < 8; ++i, bits >>= 8)
            m_hash = (m_hash ^ (bits & 0xffu)) * kPrime;
        return *this;
    }
    Digest &operator<<(double v)
    {
        // NaN's sign and payload differ between x86 and WebAssembly: any NaN is one value.
        if (std::isnan(v))
            return *this << kNanBits;
        if (m_grid > 0 && std::fabs(v) < kLargestOnGrid)
            return *this << std::int64_t(std::nearbyint(v * m_grid));
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return *this << bits;
    }
    Digest &operator<<(float v) { return *this << double(v); }
    Digest &operator<<(std::string_view s)
    {
        *this << s.size();
        for (char c : s)
            *this << std::uint8_t(c);
        return *this;
    }
    Digest &operator<<(const std::string &s) { return *this << std::string_view(s); }
    Digest &operator<<(Point p) { return *this << p.x() << p.y(); }
    Digest &operator<<(PointF p) { return *this << p.x() << p.y(); }
    Digest &operator<<(const Rect &r) { return *this << r.x() << r.y() << r.width() << r.height(); }
    Digest &operator<<(const RectF &r) { return *this << r.x() << r.y() << r.width() << r.height(); }
    Digest &operator<<(const Color &c) { return *this << c.rgba(); }
    Digest &operator<<(const Similarity &s) { return *this << s.origin << s.scale; }
    template <typename T>
    Digest &operator<<(const std::vector<T> &items)
    {
        *this << items.size();
        for (const T &item : items)
            *this << item;
        return *this;
    }
    std::uint64_t value() const { return m_hash; }

private:
    static constexpr std::uint64_t kOffsetBasis = 0xcbf29ce484222325u;
    static constexpr std::uint64_t kPrime = 0x100000001b3u;
    static constexpr std::uint64_t kNanBits = 0x7ff8000000000000u;
    static constexpr double kLargestOnGrid = 1e12;
    std::uint64_t m_hash = kOffsetBasis;
    double m_grid = 0;
};

Digest &operator<<(Digest &d, const DrawList::Call &call)
{
    if (const auto *l = std::get_if<LineCall>(&call))
        return d << 'L' << l->from << l->to << l->color << l->width << l->style;
    if (const auto *c = std::get_if<CircleCall>(&call))
        return d << 'C' << c->centre << c->radius << c->shape.whole << c->shape.startDegrees << c->shape.sweepDegrees
                 << c->shape.radiusAtStart << c->shape.radiusAtEnd << c->outline << c->width << c->style
                 << c->fill.has_value() << c->fill.value_or(Color());
    if (const auto *b = std::get_if<BoxCall>(&call))
        return d << 'B' << b->rect << b->fill;
    const auto &t = std::get<TextCall>(call);
    return d << 'T' << t.text << t.box << t.pixelSize << t.color << t.outline << t.outlineWidth;
}

Digest &operator<<(Digest &d, const ParallelogramFigure::MovedSector &m)
{
    return d << m.apex << m.pointUp << m.start << m.end;
}

// The named digests as they are written, one a line.
class Sheet
{
public:
    void add(const std::string &name, const Digest &d) { m_lines.push_back({name, d.value()}); }
    bool write(const char *path) const
    {
        // Binary: the same bytes, line ends included, on Windows.
        std::FILE *file = std::fopen(path, "wb");
        if (!file)
            return false;
        for (const auto &[name, value] : m_lines)
            std::fprintf(file, "%s %016llx\n", name.c_str(), static_cast<unsigned long long>(value));
        return std::fclose(file) == 0;
    }

private:
    std::vector<std::pair<std::string, std::uint64_t>> m_lines;
};

// A reproducible spread of whole numbers in [0, range): Knuth's MMIX
// generator, its well-mixed high bits.
class Lcg
{
public:
    int next(int range)
    {
        m_state = m_state * kMultiplier + kIncrement;
        return int((m_state >> kDroppedBits) % std::uint64_t(range));
    }

private:
    static constexpr std::uint64_t kMultiplier = 6364136223846793005u;
    static constexpr std::uint64_t kIncrement = 1442695040888963407u;
    static constexpr int kDroppedBits = 33;
    std::uint64_t m_state = 20261207;
};

struct Area
{
    float width;
    float height;
    std::string name() const { return Text::fixed(width, 1) + "x" + Text::fixed(height, 1); }
};

// Degenerate, design, odd and even, fractional (a scaled screen), very wide
// and very tall, 4K, then a reproducible spread.
std::vector<Area> areas(int spread)
{
    std::vector<Area> out{{0, 0},        {1, 1},         {3, 2},        {7, 9},       {40, 30},
                          {526, 370},    {527, 371},     {526.5, 370.5}, {370, 526},   {1000, 50},
                          {50, 1000},    {1897.6f, 1011.2f}, {3840, 2160}, {2160, 3840}, {32767, 32767}};
    constexpr int kWidestPx = 4000, kTallestPx = 2500, kQuarters = 4;
    Lcg lcg;
    for (int i = 0; i < spread; ++i) {
        const int width = lcg.next(kWidestPx), widthQuarters = lcg.next(kQuarters);
        const int height = lcg.next(kTallestPx), heightQuarters = lcg.next(kQuarters);
        out.push_back({float(width) + float(widthQuarters) / kQuarters, float(height) + float(heightQuarters) / kQuarters});
    }
    return out;
}

constexpr int kFigureSpread = 45;
constexpr int kPageSpread = 5;

// The C libraries' sin and cos may differ in their last bit: glibc's (GCC,
// Clang) and musl's (Emscripten) do for a few of the sectors' angles, and so do
// the real positions worked out from them, by less than 1e-11 px at any size
// drawn here. Such reals are compared on a grid of 1/65536 px, far finer than
// any surface draws; two values that close fall either side of a grid line
// about once in a million.
constexpr double kSubPixelGrid = 65536;

// A stand-in for a front-end's lettering: ASCII half an em wide, anything
// else (kana, kanji, symbols) a whole em. UTF-8 starts a code point with an
// ASCII byte or a byte 11xxxxxx.
class FixedPitchMeasure : public TextMeasure
{
public:
    static constexpr double kAscentShare = 0.88;
    static constexpr double kHeightShare = 1.16;
    static constexpr double kLineSpacingShare = 1.3;
    static constexpr double kAsciiEms = 0.5;

    Metrics metrics(int px) const override { return {kAscentShare * px, kHeightShare * px, kLineSpacingShare * px}; }
    double advance(std::string_view text, int px) const override
    {
        double ems = 0;
        for (unsigned char c : text)
            ems += c < 0x80 ? kAsciiEms : (c & 0xc0) == 0xc0 ? 1.0 : 0.0;
        return ems * px;
    }
};

void polygons(Sheet &sheet)
{
    for (const Area &a : areas(kFigureSpread)) {
        Digest d;
        for (int n = PolygonFigure::kMinSides; n <= PolygonFigure::kMaxSides; ++n) {
            const PolygonFigure f = PolygonFigure::compute(a.width, a.height, n);
            d << f.diameter << f.radius << f.centre << f.vertices;
        }
        sheet.add("polygon/" + a.name(), d << PolygonFigure::frame(a.width, a.height));
    }
}

void arcs(Sheet &sheet)
{
    for (const Area &a : areas(kFigureSpread)) {
        Digest d;
        for (int degrees = 0; degrees <= ArcFigure::kMaxDegrees; ++degrees) {
            const ArcFigure f = ArcFigure::compute(a.width, a.height, degrees);
            DrawList list(a.width, a.height);
            f.paint(list);
            d << f.diameter << f.radius << f.centre << f.degrees << f.endAngle() << list.calls;
        }
        sheet.add("arc/" + a.name(), d << ArcFigure::frame(a.width, a.height));
    }
}

void parallelograms(Sheet &sheet)
{
    for (const Area &a : areas(kFigureSpread)) {
        Digest d(kSubPixelGrid);
        for (int v = ParallelogramFigure::kMinHalf; v <= ParallelogramFigure::kMaxHalf; ++v)
            for (int step = 0; step <= 2 * v; ++step) {
                const ParallelogramFigure f = ParallelogramFigure::compute(a.width, a.height, v, step);
                d << f.a << f.b << f.R0 << f.R << f.centre << f.half << f.sectors << f.step << f.theta << f.firstApex
                  << f.s << f.c << f.radiusEnds << f.moved;
            }
        sheet.add("parallelogram/" + a.name(), d << ParallelogramFigure::frame(a.width, a.height));
    }
}

// Every page at every value and step, with and without its aids, through the
// one call every front-end draws a page with. The sectors' aids are placed
// from sin and cos, so drawn positions compare on the sub-pixel grid.
void pages(Sheet &sheet)
{
    const FixedPitchMeasure measure;
    const Lesson lesson;
    for (const Area &a : areas(kPageSpread)) {
        const Size inner(int(a.width), int(a.height));
        for (int page = 0; page < lesson.pageCount(); ++page) {
            const ValueRange range = lesson.row(page).range.value_or(ValueRange{});
            const bool animates = lesson.row(page).animates;
            Digest d(kSubPixelGrid);
            for (int value = range.min; value <= range.max; ++value)
                for (int step = 0; step <= (animates ? range.shownPerValue * value : 0); ++step)
                    for (int lines = 0; lines <= (step > 0 && step == range.shownPerValue * value ? Lesson::kFormulaLines : 0);
                         ++lines) {
                        // Weights and aids taken in turn, the formula only where it shows.
                        const auto &weight = LineWeight::kChoices[std::size_t(value + step) % LineWeight::kChoices.size()];
                        const PageView view{page,  inner, value, step, *LineWeight::fromFactor(weight.factor),
                                            value % 2 == 0 || lines > 0, lines};
                        DrawList list(float(inner.width()), float(inner.height()));
                        PageRenderer::paint(list, view, measure);
                        d << list.cleared << list.calls << PageRenderer::inkFrame(page, a.width, a.height);
                    }
            sheet.add("page" + Text::number(page) + "/" + a.name(), d);
        }
    }
}

void layouts(Sheet &sheet)
{
    constexpr Point kWantedAt{100, 80};
    constexpr Rect kScreen{0, 0, 1920, 1040};
    for (const Area &a : areas(kFigureSpread)) {
        GeometryModel window;
        for (int id : {WindowLayout::MainTab, WindowLayout::LeftClear, WindowLayout::RightClear, WindowLayout::Swatch})
            window.add(id, {});
        WindowLayout::apply(a.width, a.height, window);
        Digest d;
        for (int id : {WindowLayout::MainTab, WindowLayout::LeftClear, WindowLayout::RightClear, WindowLayout::Swatch})
            d << window.rect(id);
        const Rect wanted(kWantedAt, Size(int(a.width), int(a.height)));
        d << WindowLayout::fitOnScreen(wanted, kScreen);
        sheet.add("window/" + a.name(), d);
    }
    // Tab metrics as large as the window; screens of square and of uneven pixels.
    constexpr double kDpis[] = {0, 72, 96, 120, 144, 168, 192, 288, 101.5};
    constexpr double kUnevenPixels = 1.25;
    constexpr float kRowHeightPx = 21;
    constexpr int kScrollHeightPx = 17, kLabelWidthPx = 48, kButtonWidthPx = 73;
    enum PageControls { BlankPage, ScrollBar, ScrollBarAndButton, PageKinds };
    for (double dpi : kDpis) {
        const Twips twips = Twips::fromDpi(dpi, dpi * kUnevenPixels);
        Digest d;
        for (const Area &a : areas(kFigureSpread))
            for (int controls = BlankPage; controls < PageKinds; ++controls) {
                GeometryModel page;
                page.add(PageLayout::Picture, {});
                page.add(PageLayout::Overlay, {});
                if (controls >= ScrollBar) {
                    page.add(PageLayout::Scroll, Rect(0, 0, 0, kScrollHeightPx));
                    page.add(PageLayout::Label, Rect(0, 0, kLabelWidthPx, kScrollHeightPx));
                }
                if (controls == ScrollBarAndButton)
                    page.add(PageLayout::Button, Rect(0, 0, kButtonWidthPx, kScrollHeightPx));
                PageLayout::apply({a.width, a.height, kRowHeightPx}, twips, page);
                for (int id = PageLayout::Picture; id <= PageLayout::Overlay; ++id)
                    d << (page.exists(id) ? page.rect(id) : Rect());
            }
        sheet.add("pagelayout/dpi" + Text::fixed(dpi, 1), d);
    }
}

// The lesson after each of a long reproducible run of commands, and what it told.
void lesson(Sheet &sheet)
{
    constexpr int kCommands = 4000;
    constexpr int kCommandsALine = 500;
    // Arguments reach past every page and value at both ends.
    constexpr int kLeastArgument = -10, kArguments = 80;
    constexpr int kCommandKinds = 12;
    Lesson lesson;
    Digest d;
    lesson.listen([&d](Lesson::Change change, int page) { d << change << page; });
    Lcg lcg;
    for (int i = 1; i <= kCommands; ++i) {
        const int arg = kLeastArgument + lcg.next(kArguments);
        switch (lcg.next(kCommandKinds)) {
        case 0: lesson.showPage(arg % (lesson.pageCount() + 2)); break;
        case 1: lesson.nextPage(); break;
        case 2: lesson.previousPage(); break;
        case 3: lesson.setValue(lcg.next(lesson.pageCount()), arg); break;
        case 4: lesson.pressStart(); break;
        case 5: case 6: lesson.tick(); break;
        case 7: lesson.stepSectors(arg % 3); break;
        case 8: lesson.stepLesson(arg % 2 ? 1 : -1); break;
        case 9: lesson.toggleAids(); break;
        case 10: lesson.setWeight(arg % 2 ? lesson.weight().heavier() : lesson.weight().lighter()); break;
        default: arg % 3 ? lesson.cyclePen() : lesson.setPen(PenPalette::pens()[std::size_t(arg) % PenPalette::kPenCount].colour);
        }
        d << lesson.page() << lesson.step() << lesson.running() << lesson.formulaLines() << lesson.weight().factor();
        for (int page = 0; page < lesson.pageCount(); ++page)
            d << lesson.value(page) << lesson.valueText(page) << lesson.aidsShown(page) << lesson.pen(page)
              << lesson.view(page, PageRenderer::kDesignInner).formulaLines;
        if (i % kCommandsALine == 0)
            sheet.add("lesson/" + Text::number(i), d);
    }
}

// A page of ink drawn stroke by stroke with pens of changing pressure, then
// undone, erased and redone; its pixels at each stage, and its file's bytes.
void ink(Sheet &sheet)
{
    constexpr int kStrokes = 60, kMostPoints = 90, kPressures = 100;
    constexpr double kRadiusPx = 150, kStepPx = 9, kPenPx = 4.5, kEraserPx = 12;
    InkLayer layer;
    layer.setFrame({PointF(263, 185), kRadiusPx});
    layer.resize(PageRenderer::kDesignInner, 1.5);
    Lcg lcg;
    const auto pixels = [&layer](Digest &d) {
        const PixelBuffer &image = layer.image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                d << image.pixel(x, y);
    };
    for (int s = 0; s < kStrokes; ++s) {
        // One draw a statement: the order of a call's arguments is the compiler's.
        const int x = lcg.next(PageRenderer::kDesignInner.width());
        PointF at(x, lcg.next(PageRenderer::kDesignInner.height()));
        const PenPalette::Pen &pen = PenPalette::pens()[std::size_t(s) % PenPalette::kPenCount];
        layer.begin(PointerId(s % 3), at, InkLayer::widthFactorForPressure(lcg.next(kPressures) / double(kPressures)),
                    pen.colour, kPenPx);
        for (int i = lcg.next(kMostPoints); i > 0; --i) {
            const int dx = lcg.next(3) - 1;
            at += PointF(dx, lcg.next(3) - 1) * kStepPx;
            layer.extend(PointerId(s % 3), at, InkLayer::widthFactorForPressure(lcg.next(kPressures) / double(kPressures)));
        }
        layer.end(PointerId(s % 3));
    }
    Digest drawn;
    pixels(drawn);
    sheet.add("ink/drawn", drawn);
    for (int i = 0; i < kStrokes / 4; ++i)
        layer.undo();
    layer.eraseAlong(PointF(0, 0), PointF(PageRenderer::kDesignInner.width(), PageRenderer::kDesignInner.height()), kEraserPx);
    layer.endErase();
    layer.undo();
    layer.redo();
    Digest edited;
    pixels(edited);
    sheet.add("ink/edited", edited);

    InkFile::Board board(static_cast<std::size_t>(PageTable::count()));
    for (const Stroke *stroke : layer.strokes())
        board[1].push_back(*stroke);
    const std::optional<InkFile::Bytes> bytes = InkFile::encode(board, PageTable::ids());
    Digest file;
    for (std::uint8_t b : bytes.value_or(InkFile::Bytes()))
        file << b;
    const InkFile::Read back = InkFile::decode(bytes.value_or(InkFile::Bytes()), PageTable::inkPages());
    file << back.problem << back.board.size() << back.board[1].size();
    sheet.add("ink/file", file);
}

// Stored choices back from untrusted text, and the pens' colour rules.
void choices(Sheet &sheet)
{
    const std::vector<std::string> stored{"", "2", " 3 ", "4", "-1", "2x", "999999999999", "#ff0000", "#FFFF00",
                                          "#ff000", "#80e0ff", "#ff80e0ff", "#12345g", "赤", "1 "};
    Digest d;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto lookup = [&](const std::string &) { return std::optional<std::string>(stored[i]); };
        const StoredChoices::Choices c = StoredChoices::read(lookup, int(i) - 1);
        for (const auto &[key, value] : StoredChoices::write(c))
            d << key << value;
    }
    constexpr int kColours = 2000, kChannels = 256;
    const Color board(0, 128, 0);
    Lcg lcg;
    for (int i = 0; i < kColours; ++i) {
        const int red = lcg.next(kChannels), green = lcg.next(kChannels), blue = lcg.next(kChannels);
        const Color c(red, green, blue);
        d << PenPalette::contrastRatio(c, board) << PenPalette::onWhite(c) << PenPalette::nameOf(c);
    }
    sheet.add("choices", d);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <digest file>\n", argv[0]);
        return 2;
    }
    Sheet sheet;
    for (void (*digests)(Sheet &) : {polygons, arcs, parallelograms, pages, layouts, lesson, choices, ink})
        digests(sheet);
    if (!sheet.write(argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
