#pragma once

#include "Fraction.h"

#include <optional>
#include <string>
#include <vector>

namespace core {

// One practice figure as a problem in whole centimetres: its given lengths,
// the figures a pupil knows that it is cut into, the expression with 3.14 and
// its answer, each written as a pupil writes them.
class PracticeProblem
{
public:
    static constexpr int kMinCm = 1;
    static constexpr int kMaxCm = 20;
    static constexpr int kKinds = 9;

    enum class Shape { HalfCircle, QuarterCircle, Sector, SquareLessQuarter, Leaf, Ring, Track };

    // A length the figure gives, as its label names it, and the range it may take.
    struct Given
    {
        const char *name;
        int min;
        int max;
        int start;
    };

    struct Kind
    {
        const char *id;   // ASCII, for the command line
        const char *name; // the list's words, UTF-8
        Shape shape;
        int degrees;      // a sector's central angle
        Given first;
        std::optional<Given> second;
    };

    // A kind outside the list gives the first.
    static const Kind &kind(int index);
    static std::optional<int> find(const std::string &id);
    // Holds both lengths within the kind's ranges; a ring's hole stays inside it.
    static void hold(int kind, int &first, int &second);

    PracticeProblem(int kind, int first, int second);

    const Kind &kind() const { return *m_kind; }
    int first() const { return m_first; }
    int second() const { return m_second; }
    // "10 cm", and the second length's; the angle "60°" on a sector.
    std::string firstLabel() const;
    std::string secondLabel() const;
    std::string angleLabel() const;
    // How it is cut: "1/4 円 × 2 − 正方形", and a half circle's radius worked out.
    std::vector<std::string> cut() const;
    std::string expression() const;
    Fraction answer() const;
    // "57", or "52.333…" where the decimals go on.
    std::string answerWorked() const;
    // "57 cm²", or "約 52.3 cm²" rounded to a tenth.
    std::string answerText() const;

private:
    const Kind *m_kind;
    int m_first;
    int m_second;
};

} // namespace core
