#pragma once

#include <string>
#include <string_view>

namespace core {

// A key of the command table as each front-end reads it: the modifiers and
// the key's portable name (a character, F1…F12, PageDown, PageUp, Home,
// Escape, Tab, Menu). "Ctrl++" is Ctrl with the + key.
struct KeyChord
{
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    std::string key;

    static KeyChord parse(std::string_view text);
    bool operator==(const KeyChord &) const = default;
};

} // namespace core
