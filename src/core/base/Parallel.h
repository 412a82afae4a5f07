#pragma once

#include <functional>

namespace core {

// Runs independent pieces of work at once where a front-end has threads to
// offer, one after another where it has none; the core itself starts no thread.
class Parallel
{
public:
    using Piece = std::function<void(int index)>;
    // Runs piece(0) … piece(count - 1) and returns when all are done.
    using Runner = std::function<void(int count, const Piece &piece)>;

    static void setRunner(Runner runner, int workers);
    // How many pieces are worth making: 1 without a runner.
    static int workers();
    static void each(int count, const Piece &piece);
};

} // namespace core
