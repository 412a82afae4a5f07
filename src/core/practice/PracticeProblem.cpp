#include "PracticeProblem.h"

#include "Text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace core {

namespace {

using Shape = PracticeProblem::Shape;
using Given = PracticeProblem::Given;
constexpr int kMin = PracticeProblem::kMinCm;
constexpr int kMax = PracticeProblem::kMaxCm;

const std::array<PracticeProblem::Kind, PracticeProblem::kKinds> kTable{{
    {"half", "半円", Shape::HalfCircle, 180, {"直径", kMin, kMax, 10}, std::nullopt},
    {"quarter", "1/4 円", Shape::QuarterCircle, 90, {"半径", kMin, kMax, 10}, std::nullopt},
    {"sector60", "おうぎ形 60°", Shape::Sector, 60, {"半径", kMin, kMax, 6}, std::nullopt},
    {"sector90", "おうぎ形 90°", Shape::Sector, 90, {"半径", kMin, kMax, 8}, std::nullopt},
    {"sector120", "おうぎ形 120°", Shape::Sector, 120, {"半径", kMin, kMax, 3}, std::nullopt},
    {"square-quarter", "正方形から 1/4 円を除いた形", Shape::SquareLessQuarter, 90, {"一辺", kMin, kMax, 10}, std::nullopt},
    {"leaf", "2 つの 1/4 円が重なった形", Shape::Leaf, 90, {"一辺", kMin, kMax, 10}, std::nullopt},
    {"ring", "輪（中心が同じ 2 つの円）", Shape::Ring, 360, {"外側の半径", kMin + 1, kMax, 10}, Given{"内側の半径", kMin, kMax - 1, 5}},
    {"track", "トラック（長方形と 2 つの半円）", Shape::Track, 180, {"半径", kMin, kMax, 5}, Given{"まっすぐな部分", kMin, kMax, 10}},
}};

const Fraction kPi(314, 100);
constexpr int kFullTurn = 360;
// Enough for a half circle of odd diameter: 2.5 × 2.5 × 3.14 ÷ 2 has four.
constexpr int kMostDecimals = 6;
constexpr int kWorkedDecimals = 3;
constexpr int kRoundedDecimals = 1;

const std::string kTimes = " × ";
const std::string kDivide = " ÷ ";
const std::string kMinus = " − ";
const std::string kPlus = " ＋ ";

std::string numberText(const Fraction &f) { return f.decimal(kMostDecimals).value_or(Text::fixed(f.value(), kMostDecimals)); }
std::string wholeText(int n) { return Text::number(n); }
std::string cm(const std::string &n) { return n + " cm"; }

} // namespace

const PracticeProblem::Kind &PracticeProblem::kind(int index)
{
    return kTable[std::size_t(index >= 0 && index < kKinds ? index : 0)];
}

std::optional<int> PracticeProblem::find(const std::string &id)
{
    for (int k = 0; k < kKinds; ++k)
        if (id == kTable[std::size_t(k)].id)
            return k;
    return std::nullopt;
}

void PracticeProblem::hold(int index, int &first, int &second)
{
    const Kind &k = kind(index);
    first = std::clamp(first, k.first.min, k.first.max);
    if (!k.second) {
        second = 0;
        return;
    }
    second = std::clamp(second, k.second->min, k.second->max);
    if (k.shape == Shape::Ring)
        second = std::min(second, first - 1);
}

PracticeProblem::PracticeProblem(int index, int first, int second) : m_kind(&kind(index)), m_first(first), m_second(second)
{
    hold(index, m_first, m_second);
}

std::string PracticeProblem::firstLabel() const { return cm(wholeText(m_first)); }
std::string PracticeProblem::secondLabel() const { return m_kind->second ? cm(wholeText(m_second)) : std::string(); }
std::string PracticeProblem::angleLabel() const
{
    return m_kind->shape == Shape::Sector ? wholeText(m_kind->degrees) + "°" : std::string();
}

std::vector<std::string> PracticeProblem::cut() const
{
    switch (m_kind->shape) {
    case Shape::HalfCircle:
        return {"円の面積 ÷ 2", "半径 " + wholeText(m_first) + kDivide + "2 ＝ " + cm(numberText(Fraction(m_first, 2)))};
    case Shape::QuarterCircle:
        return {"円の面積 ÷ 4"};
    case Shape::Sector:
        return {"円の面積 × " + wholeText(m_kind->degrees) + kDivide + wholeText(kFullTurn)};
    case Shape::SquareLessQuarter:
        return {"正方形 − 1/4 円"};
    case Shape::Leaf:
        return {"1/4 円 × 2 − 正方形"};
    case Shape::Ring:
        return {"大きい円 − 小さい円"};
    case Shape::Track:
        return {"長方形 ＋ 円（半円 2 つ）"};
    }
    return {};
}

std::string PracticeProblem::expression() const
{
    const std::string a = wholeText(m_first), b = wholeText(m_second);
    const std::string pi = kTimes + "3.14";
    switch (m_kind->shape) {
    case Shape::HalfCircle: {
        const std::string r = numberText(Fraction(m_first, 2));
        return r + kTimes + r + pi + kDivide + "2";
    }
    case Shape::QuarterCircle:
        return a + kTimes + a + pi + kDivide + "4";
    case Shape::Sector:
        return a + kTimes + a + pi + kTimes + wholeText(m_kind->degrees) + kDivide + wholeText(kFullTurn);
    case Shape::SquareLessQuarter:
        return a + kTimes + a + kMinus + a + kTimes + a + pi + kDivide + "4";
    case Shape::Leaf:
        return a + kTimes + a + pi + kDivide + "4" + kTimes + "2" + kMinus + a + kTimes + a;
    case Shape::Ring:
        return a + kTimes + a + pi + kMinus + b + kTimes + b + pi;
    case Shape::Track:
        return b + kTimes + a + kTimes + "2" + kPlus + a + kTimes + a + pi;
    }
    return {};
}

Fraction PracticeProblem::answer() const
{
    const Fraction a(m_first), b(m_second);
    switch (m_kind->shape) {
    case Shape::HalfCircle: {
        const Fraction r = a / 2;
        return r * r * kPi / 2;
    }
    case Shape::QuarterCircle:
        return a * a * kPi / 4;
    case Shape::Sector:
        return a * a * kPi * m_kind->degrees / kFullTurn;
    case Shape::SquareLessQuarter:
        return a * a - a * a * kPi / 4;
    case Shape::Leaf:
        return a * a * kPi / 4 * 2 - a * a;
    case Shape::Ring:
        return a * a * kPi - b * b * kPi;
    case Shape::Track:
        return b * a * 2 + a * a * kPi;
    }
    return {};
}

std::string PracticeProblem::answerWorked() const
{
    const Fraction f = answer();
    if (const std::optional<std::string> exact = f.decimal(kMostDecimals))
        return *exact;
    const double shown = std::trunc(f.value() * std::pow(10, kWorkedDecimals)) / std::pow(10, kWorkedDecimals);
    return Text::fixed(shown, kWorkedDecimals) + "…";
}

std::string PracticeProblem::answerText() const
{
    const Fraction f = answer();
    if (const std::optional<std::string> exact = f.decimal(kMostDecimals))
        return *exact + " cm²";
    return "約 " + Text::fixed(f.value(), kRoundedDecimals) + " cm²";
}

} // namespace core
