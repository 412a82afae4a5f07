#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace core {

// The short code a class is known by, a pupil's id and a pupil's nickname:
// what a class's topics and gallery are named with, made and checked here.
namespace ClassCode {

// Letters and digits a pupil cannot misread when typing from the projector:
// no 0/O, 1/I/L, 2/Z, 5/S, 8/B.
constexpr const char *kAlphabet = "ACDEFGHJKMNPQRTUVWXY34679";
constexpr int kLength = 6;
constexpr int kPupilIdLength = 10;
// In characters: a number or a short nickname, never a full name.
constexpr int kMaxNameChars = 16;

// A code from the caller's random number.
std::string make(std::uint64_t random);
// What a pupil typed (spaces, hyphens, lower case, full-width letters), as a
// code, or nothing when it cannot be one.
std::optional<std::string> read(const std::string &typed);
bool valid(const std::string &code);

// A pupil's id, also its client id at the broker.
std::string makePupilId(std::uint64_t random);
bool validPupilId(const std::string &id);

// The nickname as shown, trimmed; nothing when empty, too long, not UTF-8 or
// holding control characters.
std::optional<std::string> readName(const std::string &typed);

} // namespace ClassCode

} // namespace core
