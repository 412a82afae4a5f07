#include "Parallel.h"

#include <algorithm>

namespace core {

namespace {

Parallel::Runner &runner()
{
    static Parallel::Runner r;
    return r;
}

int &workerCount()
{
    static int n = 1;
    return n;
}

} // namespace

void Parallel::setRunner(Runner r, int workers)
{
    runner() = std::move(r);
    workerCount() = runner() ? std::max(1, workers) : 1;
}

int Parallel::workers() { return workerCount(); }

void Parallel::each(int count, const Piece &piece)
{
    if (count > 1 && runner()) {
        runner()(count, piece);
        return;
    }
    for (int i = 0; i < count; ++i)
        piece(i);
}

} // namespace core
