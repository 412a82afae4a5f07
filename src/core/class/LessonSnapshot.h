#pragma once

#include "RecordBytes.h"

#include <vector>

namespace core {

class Lesson;

// What a class follows of the teacher's lesson: the page, each page's value
// and aids, the sectors and the formula, the animation, the line weight, the
// lengths in cm and the squared paper. Pens and ink stay each device's own.
// Taken from a lesson and put on another only through the lesson's commands,
// so a follower keeps every rule of the lesson.
struct LessonSnapshot
{
    // More pages than any lesson will have; a longer list is damaged.
    static constexpr int kMaxPages = 32;

    struct Page
    {
        int value = 0;
        bool aids = false;
        bool operator==(const Page &) const = default;
    };

    int page = 0;
    std::vector<Page> pages;
    int step = 0;
    bool running = false;
    int formulaLines = 0;
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
