#pragma once

#include <emscripten/val.h>

#include <string>

namespace core {
class Lesson;
}

// What the browser keeps between visits: the board's ink as the core's file
// bytes (in IndexedDB) and the weight and pens as text (in local storage).
// Whatever comes back is untrusted and goes through the core's checks.
namespace WebBoard {

// Every page's finished strokes as file bytes (a Uint8Array), or null when
// the board is too large to read back.
emscripten::val save(const core::Lesson &lesson);
// Puts stored bytes (a Uint8Array; null when none were kept, anything else
// when they could not be read) back on every page, one undoable step each.
// Empty on success, else the one line the teacher sees.
std::string restore(core::Lesson &lesson, const emscripten::val &bytes);
// What stored bytes hold, for a lesson of `pageCount` pages: {hasInk, problem},
// the problem empty unless they cannot be read as a board.
emscripten::val inspect(const emscripten::val &bytes, int pageCount);
// The stored choices through `lookup(key)` (a string, or null), each checked.
void readChoices(core::Lesson &lesson, const emscripten::val &lookup);
// [[key, value], …] to store.
emscripten::val writeChoices(const core::Lesson &lesson);

// The kept boards of earlier visits as the page describes them, each
// {id, savedAt, bytes, hasInk, thisVisit}: whether one can be believed, the
// ids to let go, the ids to offer (newest first), and a thumbnail's [width,
// height] for a figure area. Descriptions that cannot be believed are left out.
bool plausible(const emscripten::val &board);
emscripten::val toDrop(const emscripten::val &boards);
emscripten::val offers(const emscripten::val &boards);
emscripten::val thumbnailSize(int width, int height);
// Far more than are ever kept; a longer list is read no further.
inline constexpr int kMaxListed = 1000;

} // namespace WebBoard
