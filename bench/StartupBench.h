#pragma once

#include "Harness.h"

#include <QString>

namespace Bench {

// `tamsel_bench --startup tamsel|floor WxH`: the child side.
inline const QString kStartupMode = QStringLiteral("--startup");
int startupChild(int argc, char **argv, Clock::time_point mainEntered);

// Process start to the first paint of the polygon, and the resident size then,
// beside a tab widget that only fills. False when a child could not run.
bool benchStartup(const Config &config);

} // namespace Bench
