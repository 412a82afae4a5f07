#pragma once

#include "PageView.h"

#include <QString>

#include <optional>
#include <vector>

namespace core {
struct Stroke;
}

// The class's board as a pupil's screen shows it, taken once: joins the class
// on the pupils' listener, waits for the teacher's lesson and ink, then
// leaves and takes its own board off the broker again.
class ClassSnapshot
{
public:
    static constexpr int kWaitMs = 10000;

    struct Taken
    {
        core::PageView view;
        std::vector<core::Stroke> ink;
        QString problem;
    };
    // `broker` is HOST:PORT; the view is of this inner size.
    static Taken take(const QString &code, const QString &broker, const QString &name, core::Size inner);
};
