#include "ClassTopics.h"

#include "ClassCode.h"

namespace core::ClassTopics {

namespace {

const std::string kRoot = "tamsel/";
const std::string kPupils = "/pupil/";

std::string classRoot(const std::string &code) { return kRoot + code; }

} // namespace

std::string lesson(const std::string &code) { return classRoot(code) + "/lesson"; }
std::string ink(const std::string &code) { return classRoot(code) + "/ink"; }
std::string live(const std::string &code) { return classRoot(code) + "/live"; }
std::string pupilBoard(const std::string &code, const std::string &pupil) { return classRoot(code) + kPupils + pupil + "/board"; }
std::string pupilLive(const std::string &code, const std::string &pupil) { return classRoot(code) + kPupils + pupil + "/live"; }
std::string everyPupil(const std::string &code) { return classRoot(code) + kPupils + "#"; }

Parsed parse(const std::string &topic, const std::string &code)
{
    if (topic == lesson(code))
        return {Kind::Lesson, {}};
    if (topic == ink(code))
        return {Kind::Ink, {}};
    if (topic == live(code))
        return {Kind::Live, {}};
    const std::string pupils = classRoot(code) + kPupils;
    if (topic.compare(0, pupils.size(), pupils) != 0)
        return {};
    const std::string rest = topic.substr(pupils.size());
    const std::size_t slash = rest.find('/');
    if (slash == std::string::npos)
        return {};
    const std::string pupil = rest.substr(0, slash), leaf = rest.substr(slash + 1);
    if (!ClassCode::validPupilId(pupil))
        return {};
    if (leaf == "board")
        return {Kind::PupilBoard, pupil};
    if (leaf == "live")
        return {Kind::PupilLive, pupil};
    return {};
}

} // namespace core::ClassTopics
