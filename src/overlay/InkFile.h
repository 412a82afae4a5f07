#pragma once

#include "InkStroke.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The board's ink on disk: every page's finished strokes in figure units, with
// their colours and widths (the line weight they were drawn at included).
//
// Little-endian throughout:
//   header   8 bytes of magic "\x89TamInk\n", u16 version, u16 page count,
//            u32 length of the body in bytes
//   body     per page: u32 strokes; per stroke: u32 colour (ARGB), f32 width,
//            u32 points, then per point f32 x, f32 y, f32 width factor
//   trailer  u32 CRC-32 (IEEE) of every byte before it
//
// The file comes from outside: its size, counts, version and every number are
// checked before use, and nothing is allocated beyond what its length justifies.
// A file it accepts is exactly the one it would write for that board.
class InkFile
{
public:
    static constexpr int kPageCount = 4;
    static constexpr quint16 kVersion = 1;
    static constexpr qint64 kMaxBytes = qint64(64) << 20;
    // Far beyond any figure, in its units (radii, or pixels on the blank page).
    static constexpr float kMaxCoordinate = 1e6f;
    static constexpr float kMaxWidth = 1e4f;
    static constexpr float kMaxWidthFactor = 4;
    using Board = std::array<std::vector<Stroke>, kPageCount>;

    enum class Problem { None, Missing, Unreadable, TooLarge, NotInkFile, NewerVersion, Damaged };
    struct Read
    {
        Board board;
        Problem problem = Problem::None;
    };

    // Nothing for a board too large to read back.
    static std::optional<QByteArray> encode(const Board &board);
    static Read decode(const QByteArray &bytes);
    static Read load(const QString &path);
    // Through QSaveFile: the path holds the old file or the new one, never a mix.
    // The reason, when it could not.
    static std::optional<QString> save(const QString &path, const QByteArray &bytes);

    // One line for the teacher, and one for the command line.
    static QString message(Problem problem);
    static QString englishMessage(Problem problem);
};
