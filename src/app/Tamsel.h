#pragma once

#include "AidsState.h"
#include "InkFile.h"
#include "IntMath.h"
#include "LineWeight.h"
#include "PageRenderer.h"
#include "Settings.h"
#include "Twips.h"

#include <QWidget>

#include <array>

class DrawOps;
class PageMenu;
class PictureBox;
class QLabel;
class QPushButton;
class Scriba;
class ScrollBar;
class Swatch;
class TabControl;
class Timer;

// The program's one window: a tab control with four pages, two clear buttons and
// the pen-colour swatch. Its handlers are named after control and event; those
// of the overlay and of the figure pages live beside their subsystems.
class Tamsel : public QWidget
{
    Q_OBJECT
public:
    using Overlay = ::Scriba; // the control array below takes the class's name
    static constexpr int kPageCount = 4;
    static constexpr int kTimerIntervalMs = 350;
    static inline const QColor kFigureBackground{0, 128, 0};
    static inline const QColor kWhite{255, 255, 255};
    static inline const QColor kRed{255, 0, 0};
    static inline const QColor kBlue{0, 0, 255};

    explicit Tamsel(QWidget *parent = nullptr);
    ~Tamsel() override;

    const Twips &twips() const { return m_twips; }

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
    std::array<Overlay *, kPageCount> Scriba;

    // Sectors of page 2 already moved into the parallelogram, 0 to 2 × ccScroll.
    Int16 ccStep = 0;

    // Main window and layout.
    void Form_Load();
    void Form_Resize();
    void MainTab_Click(Int16 previousTab);

    // Clear buttons, pen colour and overlay refresh.
    void ClsButton_Click(Int16 index);
    void ColPic_Click();
    void Scriba_RepaintRequest(Int16 index);
    void WhPic_Paint(DrawOps &ops);

    // Figure pages and the animation.
    void PolyPic_Paint(DrawOps &ops);
    void PolyPic_Resize();
    void PolyScroll_Change();
    void PolyScroll_Scroll();
    void CirPic_Paint(DrawOps &ops);
    void CirPic_Resize();
    void CirScroll_Change();
    void CirScroll_Scroll();
    void ccPic_Paint(DrawOps &ops);
    void ccPic_Resize();
    void ccScroll_Change();
    void ccScroll_Scroll();
    void ccButton_Click();
    void MainTimer_Timer();
    // Moves sectors by hand (keys, clicker): pauses a run, then steps within 0..N.
    void stepSectors(int delta);
    // Page Down (+1) and Page Up (-1) on page 2: the formula's lines once the
    // aids show a finished figure, else the sectors.
    void stepLesson(int delta);

    // The lesson aids of the page in view, on or off (F2, the page menu).
    void toggleAids();
    const AidsState &aids() const { return m_aids; }

    // The page menu's choices; the weight is the same on every page, the pen
    // colour is the page's own.
    LineWeight lineWeight() const { return m_lineWeight; }
    void setLineWeight(LineWeight weight);
    void choosePenColour(const QColor &colour);
    void openPageMenu(QPoint globalPos);
    PageMenu *pageMenu() const { return m_pageMenu; }
    Settings::Choices choices() const;
    void restoreChoices(const Settings::Choices &choices);

    // What a page shows now, for files and paper.
    PageView pageView(int page) const;
    // Every page's finished strokes, copied; and saved ones put back, one undoable step a page.
    InkFile::Board board() const;
    void restoreBoard(InkFile::Board board);

signals:
    // The weight or a pen colour changed, by the menu, a key or the swatch.
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
    // The last step of every paint handler: the overlay shows its strokes again
    // over its whole area, given in pixels.
    void redrawOverlay(int page);
    void placeInk(int page);
    // Above the figure, below the ink, when the page shows its aids.
    void paintAids(int page, DrawOps &ops, int value, int step = 0);
    void markAidsItem();
    Int16 currentPage() const;

    Twips m_twips;
    std::array<PageControls, kPageCount> m_pages;
    PageMenu *m_pageMenu = nullptr;
    LineWeight m_lineWeight;
    AidsState m_aids;
};
