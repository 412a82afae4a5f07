#pragma once

#include "RecordBytes.h"

#include <string>
#include <vector>

namespace core {

class Lesson;

// What a class follows of the teacher's lesson: the page, each page's value,
// figure, aids and steps, the paper's counting and the formula, the
// animation and how its sectors lie, the line weight, the lengths in cm and
// the squared paper. Pens and ink stay each device's own.
// Taken from a lesson and put on another only through the lesson's commands,
// so a follower keeps every rule of the lesson.
struct LessonSnapshot
{
    // More pages than any lesson will have; a longer list is damaged.
    static constexpr int kMaxPages = 32;
    static constexpr std::size_t kMaxIdBytes = 32;
    // More lines than any formula has.
    static constexpr int kMaxFormulaLines = 16;

    // Named by its id, so a lesson whose pages lie in another order still
    // finds each one.
    struct Page
    {
        std::string id;
        int value = 0;
        bool aids = false;
        bool shown = true;
        int choice = 0;
        int second = 0;
        int step = 0;
        int formulaLines = 0;
        int paperStep = 0;
        bool operator==(const Page &) const = default;
    };

    // The page in view, among `pages`.
    int page = 0;
    std::vector<Page> pages;
    bool running = false;
    int layout = 0; // among SectorLayouts::kChoices
    bool quarterCount = false;
    bool diameterFormula = false;
    int weight = 1;
    bool realLengths = false;
    int radiusCm = 0;
    bool grid = false;
    bool squares = false;

    bool operator==(const LessonSnapshot &) const = default;

    static LessonSnapshot of(const Lesson &lesson);
    // Pages the lesson lacks and values it does not offer are left out; the
    // rest arrives as the teacher's commands would bring it.
    void applyTo(Lesson &lesson) const;

    void write(RecordBytes::Writer &out) const;
    // Nothing valid read leaves the reader failed.
    static LessonSnapshot read(RecordBytes::Reader &in);
};

} // namespace core
