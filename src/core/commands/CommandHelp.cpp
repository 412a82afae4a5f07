#include "CommandHelp.h"

#include "CommandTable.h"
#include "KeyChord.h"
#include "Lesson.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace core::CommandHelp {

namespace {

const std::string kKeySeparator = "・";
const std::map<std::string, std::string> kKeyNames = {
    {"PageDown", "Page Down"}, {"PageUp", "Page Up"}, {"Escape", "Esc"}};

// A family's keys, a run of digits as "1〜6".
std::string keysOf(const std::vector<const Command *> &members)
{
    std::vector<std::string> keys;
    for (const Command *c : members)
        for (const std::string &k : c->keys)
            keys.push_back(keyText(k));
    const bool digits = keys.size() > 2 && std::all_of(keys.begin(), keys.end(), [](const std::string &k) {
        return k.size() == 1 && k[0] >= '0' && k[0] <= '9';
    });
    if (digits)
        return keys.front() + "〜" + keys.back();
    std::string out;
    for (const std::string &k : keys)
        out += (out.empty() ? "" : kKeySeparator) + k;
    return out;
}

std::string familyLabel(const Command &member)
{
    for (const Command &c : CommandTable::rows())
        if (c.opens == member.menu && c.opens != Menu::None)
            return c.label;
    return member.label;
}

} // namespace

std::string keyText(const std::string &key)
{
    KeyChord chord = KeyChord::parse(key);
    const auto named = kKeyNames.find(chord.key);
    std::string out = chord.ctrl ? "Ctrl+" : "";
    out += chord.shift ? "Shift+" : "";
    out += chord.alt ? "Alt+" : "";
    return out + (named == kKeyNames.end() ? chord.key : named->second);
}

std::vector<Section> sections(const Lesson &lesson, const ClassroomLayout::Offers &offers)
{
    const int pages = lesson.pageCount();
    const std::uint64_t every = pages >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << pages) - 1;
    std::vector<std::pair<std::uint64_t, Section>> grouped{
        {every,
         {"どのページでも",
          {{"pen", "書く", "図の上をマウス・ペン・指でなぞる"},
           {"menu", "メニュー", "図を長押し・「メニュー」ボタン・右クリック"}}}}};
    std::map<std::string, bool> familyDone;
    for (const Command &c : CommandTable::rows()) {
        if (c.opens != Menu::None || !offers(c) || (!c.family.empty() && familyDone[c.family]))
            continue;
        std::vector<const Command *> members{&c};
        if (!c.family.empty()) {
            familyDone[c.family] = true;
            for (const Command &other : CommandTable::rows())
                if (&other != &c && other.family == c.family)
                    members.push_back(&other);
        }
        std::uint64_t mask = 0;
        for (int page = 0; page < pages && page < 64; ++page)
            if (!c.has || c.has(lesson, page))
                mask |= std::uint64_t(1) << page;
        if (mask == 0)
            continue;
        auto group = std::find_if(grouped.begin(), grouped.end(), [mask](const auto &g) { return g.first == mask; });
        if (group == grouped.end()) {
            std::string title;
            for (int page = 0; page < pages && page < 64; ++page)
                if (mask & (std::uint64_t(1) << page))
                    title += (title.empty() ? "「" : "」「") + std::string(lesson.row(page).caption);
            grouped.push_back({mask, {title + "」のページ", {}}});
            group = grouped.end() - 1;
        }
        group->second.lines.push_back({c.icon, c.family.empty() ? c.label : familyLabel(c), keysOf(members)});
    }
    std::vector<Section> out;
    for (auto &[mask, section] : grouped)
        out.push_back(std::move(section));
    return out;
}

} // namespace core::CommandHelp
