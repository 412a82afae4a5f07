#include "Workers.h"

#include "Parallel.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <numeric>
#include <vector>

namespace Workers {

void install()
{
    core::Parallel::setRunner(
        [](int count, const core::Parallel::Piece &piece) {
            std::vector<int> pieces(static_cast<std::size_t>(count));
            std::iota(pieces.begin(), pieces.end(), 0);
            QtConcurrent::blockingMap(pieces, [&piece](int index) { piece(index); });
        },
        QThread::idealThreadCount());
}

} // namespace Workers
