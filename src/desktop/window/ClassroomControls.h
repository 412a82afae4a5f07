#pragma once

#include "ClassroomLayout.h"
#include "Twips.h"

#include <QString>

#include <array>
#include <vector>

class PictureBox;
class QLabel;
class QPushButton;
class QWidget;
class ScrollBar;
class Swatch;
class TabControl;

// The window's own controls as the classroom toolbar wants them: where the
// classroom layout puts them, in letters grown with the screen, a finger's
// scroll bars; and back to the design's places, sizes and letters.
class ClassroomControls
{
public:
    struct Page
    {
        PictureBox *picture = nullptr;
        ScrollBar *scroll = nullptr;
        QPushButton *button = nullptr;
        QLabel *label = nullptr;
        QWidget *overlay = nullptr;
    };
    struct Controls
    {
        TabControl *tab = nullptr;
        std::array<QPushButton *, 2> clear{};
        Swatch *swatch = nullptr;
        std::vector<Page> pages;
    };

    ClassroomControls(Controls controls, const core::Twips &twips) : m_controls(std::move(controls)), m_twips(twips) {}

    void apply(const core::ClassroomLayout &layout);
    // The design's places and letters, each page's button with its own caption.
    void restoreDesign();
    void setStartLabel(const QString &label);

private:
    Controls m_controls;
    const core::Twips &m_twips;
};
