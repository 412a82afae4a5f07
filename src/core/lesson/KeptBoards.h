#pragma once

#include "InkFile.h"
#include "Lesson.h"
#include "Size.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The boards of the last several visits (or runs), and which of them the
// teacher is offered. A visit saves only to a board of its own, so a stray
// touch after a reload never writes over the lesson before it; these rules
// say which boards stay, which is offered on opening and whether one may go
// back on the board.
//
// Plain data in and out: each front-end keeps the boards where it can
// (records in IndexedDB, files on the desktop), names each by an id of its
// own, makes a thumbnail of each page with ink (PNG or straight RGBA bytes,
// within thumbnailSize() and kMaxThumbnailBytes) and describes every board
// as a Board: its id, when it was saved, its bytes, whether it has ink.
// Descriptions read back from storage are untrusted: plausible() first.
class KeptBoards
{
public:
    // The version of a kept board's record, stored with it.
    static constexpr int kFormat = 1;
    // The newest boards of earlier visits stay whatever their size (each is
    // bounded by the ink file's limit); older ones, up to kMost in all, while
    // all of them stay within kMostBytes.
    static constexpr int kAlways = 5;
    static constexpr int kMost = 8;
    static constexpr std::int64_t kMostBytes = std::int64_t(32) << 20;
    // A page's thumbnail, as large as fits this box in the figure's shape.
    static constexpr int kThumbnailWidthPx = 160;
    static constexpr int kThumbnailHeightPx = 120;
    static constexpr std::int64_t kMaxThumbnailBytes = std::int64_t(kThumbnailWidthPx) * kThumbnailHeightPx * 4;
    // Far beyond any lesson's pages, and a front-end's ids.
    static constexpr int kMaxPages = 64;
    static constexpr std::size_t kMaxIdLength = 64;
    // Milliseconds since 1970: anything later is a broken clock or a broken record.
    static constexpr std::int64_t kLatestMs = std::int64_t(1) << 45;

    struct Board
    {
        std::string id;
        std::int64_t savedAtMs = 0; // 0: not known (saved before boards were kept)
        std::int64_t bytes = 0;     // its ink's bytes with its thumbnails'
        bool hasInk = false;
        bool thisVisit = false;     // the board this visit saves to
        bool keptApart = true;      // false while a new visit would still save over it
    };

    // Whether a description read back can be believed: an id, a time and a size within bounds.
    static bool plausible(const Board &board);
    // The ids of the boards to let go: earlier boards with no ink (an empty
    // board counts as none), then the oldest beyond the bounds. This visit's
    // board, and one not yet kept apart, are never let go.
    static std::vector<std::string> toDrop(std::vector<Board> boards);
    // What the teacher may bring back, newest first: earlier boards with ink.
    // The first is offered on opening.
    static std::vector<Board> offers(std::vector<Board> boards);

    static bool hasInk(const InkFile::Board &board);
    static Size thumbnailSize(Size inner);
    // Why a board read back (with the problem its reading met) may not go on
    // the lesson's board, as the teacher reads it; empty when it may.
    static std::string refusal(const Lesson &lesson, InkFile::Problem problem, const Lesson::PreparedBoard &board);

private:
    static void newestFirst(std::vector<Board> &boards);
};

} // namespace core
