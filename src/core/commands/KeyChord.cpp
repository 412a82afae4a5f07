#include "KeyChord.h"

namespace core {

KeyChord KeyChord::parse(std::string_view text)
{
    KeyChord chord;
    const struct
    {
        std::string_view prefix;
        bool KeyChord::*flag;
    } modifiers[] = {{"Ctrl+", &KeyChord::ctrl}, {"Shift+", &KeyChord::shift}, {"Alt+", &KeyChord::alt}};
    for (bool found = true; found;) {
        found = false;
        for (const auto &m : modifiers)
            // What is left after a modifier is never empty: "Ctrl++" keeps its +.
            if (text.size() > m.prefix.size() && text.substr(0, m.prefix.size()) == m.prefix) {
                chord.*m.flag = true;
                text.remove_prefix(m.prefix.size());
                found = true;
            }
    }
    chord.key = std::string(text);
    return chord;
}

} // namespace core
