#include "KeptBoards.h"

#include <algorithm>

namespace core {

bool KeptBoards::plausible(const Board &board)
{
    const std::int64_t most = InkFile::kMaxBytes + kMaxPages * kMaxThumbnailBytes;
    return !board.id.empty() && board.id.size() <= kMaxIdLength && board.savedAtMs >= 0 &&
           board.savedAtMs <= kLatestMs && board.bytes >= 0 && board.bytes <= most;
}

// A board of unknown time is older than any dated one; among equals the given order stands.
void KeptBoards::newestFirst(std::vector<Board> &boards)
{
    std::stable_sort(boards.begin(), boards.end(),
                     [](const Board &a, const Board &b) { return a.savedAtMs > b.savedAtMs; });
}

std::vector<std::string> KeptBoards::toDrop(std::vector<Board> boards)
{
    newestFirst(boards);
    std::vector<std::string> dropped;
    int kept = 0;
    std::int64_t bytes = 0;
    for (const Board &board : boards) {
        if (board.thisVisit)
            continue;
        const bool fits = kept < kAlways || (kept < kMost && bytes + board.bytes <= kMostBytes);
        if (!board.keptApart || (board.hasInk && fits)) {
            ++kept;
            bytes += board.bytes;
        } else {
            dropped.push_back(board.id);
        }
    }
    return dropped;
}

std::vector<KeptBoards::Board> KeptBoards::offers(std::vector<Board> boards)
{
    std::erase_if(boards, [](const Board &b) { return b.thisVisit || !b.hasInk; });
    newestFirst(boards);
    return boards;
}

bool KeptBoards::hasInk(const InkFile::Board &board)
{
    return std::any_of(board.begin(), board.end(), [](const auto &page) { return !page.empty(); });
}

Size KeptBoards::thumbnailSize(Size inner)
{
    if (inner.isEmpty())
        return {};
    const double scale = std::min(double(kThumbnailWidthPx) / inner.width(), double(kThumbnailHeightPx) / inner.height());
    return {std::clamp(int(inner.width() * scale + 0.5), 1, kThumbnailWidthPx),
            std::clamp(int(inner.height() * scale + 0.5), 1, kThumbnailHeightPx)};
}

std::string KeptBoards::refusal(const Lesson &lesson, InkFile::Problem problem, const Lesson::PreparedBoard &board)
{
    if (problem != InkFile::Problem::None)
        return InkFile::message(problem);
    const bool empty = std::all_of(board.begin(), board.end(), [](const auto &page) { return page.empty(); });
    if (empty)
        return InkFile::message(InkFile::Problem::Missing);
    // Beyond what one file holds nothing more would be saved: the teacher
    // keeps the board being drawn on, and it stays saved.
    if (!lesson.keepsWith(board)) {
        bool drawnOn = false;
        for (int page = 0; page < lesson.pageCount() && !drawnOn; ++page)
            drawnOn = !lesson.ink(page).strokes().empty();
        if (!drawnOn)
            return InkFile::message(InkFile::Problem::TooLarge);
        return "今の書き込みに前回の書き込みを加えると多すぎて保存できなくなるため、"
               "復元しません。今の書き込みを消してから復元してください。";
    }
    return {};
}

} // namespace core
