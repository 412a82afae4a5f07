#pragma once

#include "ClassroomLayout.h"
#include "IntMath.h"
#include "Lesson.h"
#include "Twips.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class ClassroomControls;
class ClassroomToolbar;
class CommandActions;
class FullScreen;
class HelpOverlay;
class PageMenu;
class PictureBox;
class QLabel;
class QPushButton;
class Scriba;
class ScrollBar;
class Swatch;
class TabControl;
class Timer;

using core::Int16;

// The program's one window: a tab control with a page for each of the lesson's
// pages, two clear buttons and the pen-colour swatch, and the classroom
// toolbar where the lesson asks for it. It shows the lesson and sends it what
// its controls are asked to do; the lesson's state, the page in view
// included, is the lesson's. Handlers are named after control and event.
class Tamsel : public QWidget
{
    Q_OBJECT
public:
    using Overlay = ::Scriba; // the control array below takes the class's name
    static inline const QColor kFigureBackground{0, 128, 0};
    static inline const QColor kWhite{255, 255, 255};
    static inline const QColor kRed{255, 0, 0};
    static inline const QColor kBlue{0, 0, 255};

    explicit Tamsel(QWidget *parent = nullptr);
    ~Tamsel() override;

    core::Lesson &lesson() { return m_lesson; }
    const core::Lesson &lesson() const { return m_lesson; }
    // Ink shown under each page's own, placed with it (a class's teacher's), and its changes shown.
    void followInk(core::LessonInk *under);
    void showFollowedInk();
    const core::Twips &twips() const { return m_twips; }
    int pageCount() const { return m_lesson.pageCount(); }

    // The controls, as created with their design values.
    TabControl *MainTab;
    std::array<QPushButton *, 2> ClsButton;
    Swatch *ColPic;
    Timer *MainTimer;
    PictureBox *PolyPic;
    ScrollBar *PolyScroll;
    QLabel *PolyLabel;
    PictureBox *CirPic;
    ScrollBar *CirScroll;
    QLabel *CirLabel;
    PictureBox *ccPic;
    ScrollBar *ccScroll;
    QPushButton *ccButton;
    QLabel *ccLabel;
    PictureBox *WhPic;
    std::vector<Overlay *> Scriba;

    // Main window and layout.
    void Form_Load();
    void Form_Resize();
    void MainTab_Click(Int16 previousTab);

    // Clear buttons, pen colour and overlay refresh.
    void ClsButton_Click(Int16 index);
    void ColPic_Click();
    void Scriba_RepaintRequest(Int16 index);

    // Figure pages and the animation. A picture draws its page itself, from
    // the lesson; its paint handler lets the overlay show its strokes again.
    void PolyPic_Paint();
    void PolyPic_Resize();
    void PolyScroll_Change();
    void PolyScroll_Scroll();
    void CirPic_Paint();
    void CirPic_Resize();
    void CirScroll_Change();
    void CirScroll_Scroll();
    void ccPic_Paint();
    void ccPic_Resize();
    void ccScroll_Change();
    void ccScroll_Scroll();
    void ccButton_Click();
    void MainTimer_Timer();
    void WhPic_Paint();

    void openPageMenu(QPoint globalPos);
    PageMenu *pageMenu() const { return m_pageMenu; }
    FullScreen &fullScreen() const { return *m_fullScreen; }
    HelpOverlay *help() const { return m_help; }
    CommandActions &commands() const { return *m_commands; }
    ClassroomToolbar *toolbar() const { return m_toolbar; }
    // Whether the toolbar shows, with the controls grown for the classroom.
    bool classroom() const { return m_classroom.has_value(); }
    // The page in view as the screen shows it, ink included, at the screen's resolution.
    QImage pageImage() const;
    // The first start's line: where the menu and the help are.
    void showFirstStartHint();

    PictureBox *picture(int page) const { return m_pages.at(std::size_t(page)).picture; }
    // The inner size the page's picture has, or would take when shown at the
    // window's present size.
    core::Size innerSize(int page) const;
    core::PageView pageView(int page) const { return m_lesson.view(page, innerSize(page)); }

signals:
    // The weight, a pen colour or the pens' sharing changed, by the menu, a key or the swatch.
    void choicesChanged();
    // The finished strokes of some page changed.
    void inkChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct PageControls
    {
        PictureBox *picture = nullptr;
        ScrollBar *scroll = nullptr;
        QPushButton *button = nullptr;
        QLabel *label = nullptr;
    };

    void createControls();
    void connectHandlers();
    void setFocusOrder();
    void nameControls();
    void createPageMenu();
    void follow(core::Lesson::Change change, int page);
    // A scroll bar's value to the lesson.
    void scrollChanged(int page);
    void showValue(int page);
    // The last step of every paint: the overlay shows its strokes again over
    // its whole area, given in pixels.
    void redrawOverlay(int page);
    void placeInk(int page);
    Int16 currentPage() const;
    void createCommands();
    // The window's and the page's controls where the classroom layout puts them.
    void layOutClassroom();
    // Back to the design's fonts and sizes, for the design's layouts to place.
    void restoreDesign();
    // With the toolbar the start button says what a press does: start, pause, resume.
    void showStart();

    core::Lesson m_lesson;
    core::LessonInk *m_followedInk = nullptr;
    core::Twips m_twips;
    std::vector<PageControls> m_pages;
    FullScreen *m_fullScreen = nullptr;
    PageMenu *m_pageMenu = nullptr;
    HelpOverlay *m_help = nullptr;
    CommandActions *m_commands = nullptr;
    ClassroomToolbar *m_toolbar = nullptr;
    std::optional<core::ClassroomLayout> m_classroom;
    std::unique_ptr<ClassroomControls> m_classroomControls;
    bool m_closing = false;
};
