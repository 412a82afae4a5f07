#pragma once

#include <array>

// Which pages show their lesson aids, and how many lines of the area formula
// the sectors page has built. Kept until the program closes; never saved.
class AidsState
{
public:
    static constexpr int kPageCount = 4;

    bool shown(int page) const { return m_shown.at(page); }
    void toggle(int page) { m_shown.at(page) = !m_shown.at(page); }
    int formulaLines() const { return m_formulaLines; }
    void clearFormula() { m_formulaLines = 0; }

    // Page Down (+1) or Page Up (-1) on the sectors page, with `step` of
    // `sectors` moved. With the aids shown and every sector placed, the key
    // adds or takes back a line of the formula; otherwise it moves the
    // sectors, and moving them back clears the formula. Returns how far the
    // sectors move.
    int sectorKey(int delta, int step, int sectors);

private:
    std::array<bool, kPageCount> m_shown{};
    int m_formulaLines = 0;
};
