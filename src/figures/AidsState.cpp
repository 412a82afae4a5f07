#include "AidsState.h"

#include "LessonAids.h"

#include <algorithm>

int AidsState::sectorKey(int delta, int step, int sectors)
{
    if (shown(LessonAids::kSectorsPage) && step == sectors) {
        if (delta > 0) {
            m_formulaLines = std::min(m_formulaLines + 1, LessonAids::kFormulaLines);
            return 0;
        }
        if (m_formulaLines > 0) {
            --m_formulaLines;
            return 0;
        }
    }
    // Sectors moving back undo the finished figure the formula stands on.
    if (delta < 0)
        clearFormula();
    return delta;
}
