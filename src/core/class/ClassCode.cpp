#include "ClassCode.h"

#include <cstring>

namespace core::ClassCode {

namespace {

constexpr std::size_t kAlphabetSize = std::char_traits<char>::length(kAlphabet);
constexpr const char *kPupilAlphabet = "abcdefghjkmnpqrstuvwxyz23456789";
constexpr std::size_t kPupilAlphabetSize = std::char_traits<char>::length(kPupilAlphabet);
// Full-width ASCII (ＡＢＣ１２３) as a Japanese keyboard types it.
constexpr char32_t kFullWidthFirst = 0xFF01, kFullWidthLast = 0xFF5E, kFullWidthOffset = 0xFEE0;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kLastControl = 0x1F, kDelete = 0x7F, kLastC1 = 0x9F;
constexpr char32_t kMaxCodePoint = 0x10FFFF, kSurrogateFirst = 0xD800, kSurrogateLast = 0xDFFF;

std::string drawn(std::uint64_t random, int length, const char *alphabet, std::size_t size)
{
    std::string out;
    for (int i = 0; i < length; ++i) {
        out += alphabet[random % size];
        random /= size;
    }
    return out;
}

bool allFrom(const std::string &text, std::size_t length, const char *alphabet)
{
    return text.size() == length && text.find_first_not_of(alphabet) == std::string::npos;
}

// The code points of UTF-8 text; nothing for bytes that are not UTF-8.
std::optional<std::u32string> decodeUtf8(const std::string &text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // The lead byte's high bits say how many continuation bytes follow.
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + std::size_t(extra) >= text.size())
            return std::nullopt;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[extra] || c > kMaxCodePoint || (c >= kSurrogateFirst && c <= kSurrogateLast))
            return std::nullopt;
        out += c;
        i += std::size_t(extra) + 1;
    }
    return out;
}

bool isSpace(char32_t c) { return c == U' ' || c == kIdeographicSpace; }

} // namespace

std::string make(std::uint64_t random) { return drawn(random, kLength, kAlphabet, kAlphabetSize); }

bool valid(const std::string &code) { return allFrom(code, kLength, kAlphabet); }

std::optional<std::string> read(const std::string &typed)
{
    const std::optional<std::u32string> chars = decodeUtf8(typed);
    if (!chars)
        return std::nullopt;
    std::string code;
    for (char32_t c : *chars) {
        if (c >= kFullWidthFirst && c <= kFullWidthLast)
            c -= kFullWidthOffset;
        if (isSpace(c) || c == U'-')
            continue;
        if (c >= U'a' && c <= U'z')
            c -= U'a' - U'A';
        if (c > 0x7F || code.size() >= std::size_t(kLength))
            return std::nullopt;
        code += char(c);
    }
    return valid(code) ? std::optional(code) : std::nullopt;
}

std::string makePupilId(std::uint64_t random) { return drawn(random, kPupilIdLength, kPupilAlphabet, kPupilAlphabetSize); }

bool validPupilId(const std::string &id) { return allFrom(id, kPupilIdLength, kPupilAlphabet); }

std::optional<std::string> readName(const std::string &typed)
{
    const std::optional<std::u32string> chars = decodeUtf8(typed);
    if (!chars)
        return std::nullopt;
    std::size_t first = 0, last = chars->size();
    while (first < last && isSpace((*chars)[first]))
        ++first;
    while (last > first && isSpace((*chars)[last - 1]))
        --last;
    if (first == last || last - first > std::size_t(kMaxNameChars))
        return std::nullopt;
    for (std::size_t i = first; i < last; ++i) {
        const char32_t c = (*chars)[i];
        if (c <= kLastControl || (c >= kDelete && c <= kLastC1))
            return std::nullopt;
    }
    // The bytes of the kept characters, as they came.
    std::size_t from = 0, to = 0, seen = 0;
    for (std::size_t i = 0; i <= typed.size(); ++i) {
        if (i < typed.size() && (static_cast<unsigned char>(typed[i]) & 0xC0) == 0x80)
            continue;
        if (seen == first)
            from = i;
        if (seen == last)
            to = i;
        ++seen;
    }
    return typed.substr(from, to - from);
}

} // namespace core::ClassCode
