#pragma once

#include "Harness.h"

#include <QString>

namespace Bench {

// `tamsel_bench --idle MS`: the child side.
inline const QString kIdleMode = QStringLiteral("--idle");
int idleChild(int argc, char **argv);

// Every paint event in the application for a while after the start-up paints.
void benchIdle(const Config &config);

} // namespace Bench
