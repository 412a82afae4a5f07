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
// The stored choices through `lookup(key)` (a string, or null), each checked.
void readChoices(core::Lesson &lesson, const emscripten::val &lookup);
// [[key, value], …] to store.
emscripten::val writeChoices(const core::Lesson &lesson);

} // namespace WebBoard
