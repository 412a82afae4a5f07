#include "Tamsel.h"

#include "ArcFigure.h"
#include "BoardOutput.h"
#include "DesignFont.h"
#include "FigureFrame.h"
#include "FocusRing.h"
#include "LessonAids.h"
#include "GeometryModel.h"
#include "PageMenu.h"
#include "PageLayout.h"
#include "ParallelogramFigure.h"
#include "PictureBox.h"
#include "PolygonFigure.h"
#include "PressAndHold.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "Shortcuts.h"
#include "Swatch.h"
#include "TabControl.h"
#include "Timer.h"
#include "WidgetGeometry.h"
#include "WindowLayout.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

namespace {

const QString kCaption = QStringLiteral("正多角形と円の面積の学習");
const QStringList kPageCaptions = {QStringLiteral("正多角形"), QStringLiteral("円弧"),
                                   QStringLiteral("円→平行四辺形"), QStringLiteral("白紙")};
const QString kClearCaption = QStringLiteral("消去");
const QString kStartCaption = QStringLiteral("開始");

// Where the window's client area opens, and its size, in pixels.
constexpr QRect kStartGeometry(145, 116, 548, 469);
constexpr int kTabRowTwips = 300;

// Design geometry in twips: window controls relative to the client area, page
// controls relative to the tab control.
struct TwipRect
{
    int left, top, width, height;
};
constexpr TwipRect kMainTab{0, 0, 8175, 6495};
constexpr TwipRect kClsButton[2]{{120, 6600, 1095, 375}, {1320, 6600, 1095, 375}};
constexpr TwipRect kColPic{2520, 6600, 5055, 375};
constexpr TwipRect kPolyPic{3960, 500, 4095, 5415};
constexpr TwipRect kPolyScroll{120, 6020, 7095, 375};
constexpr TwipRect kPolyLabel{7320, 6020, 735, 375};
constexpr TwipRect kCirPic{4080, 500, 3975, 5415};
constexpr TwipRect kCirScroll{120, 6020, 7095, 375};
constexpr TwipRect kCirLabel{7320, 6020, 735, 375};
constexpr TwipRect kCcPic{3960, 500, 4095, 5415};
constexpr TwipRect kCcScroll{120, 6020, 5895, 375};
constexpr TwipRect kCcButton{6120, 6020, 975, 375};
constexpr TwipRect kCcLabel{7200, 6020, 735, 375};
constexpr TwipRect kWhPic{3840, 720, 4095, 5415};
constexpr TwipRect kScriba[Tamsel::kPageCount]{
    {240, 500, 3615, 5295}, {240, 500, 3615, 5295}, {120, 500, 3615, 5295}, {240, 600, 3615, 5295}};

constexpr int kPolyStart = 3, kCirStart = 360, kCcStart = 4;

template <typename W>
W *placed(W *widget, const TwipRect &r, const Twips &twips)
{
    widget->setGeometry(twips.pixelX(r.left), twips.pixelY(r.top), twips.pixelX(r.width), twips.pixelY(r.height));
    return widget;
}

QLabel *valueLabel(const QString &text, QWidget *page)
{
    auto *label = new QLabel(text, page);
    label->setFont(DesignFont::font(DesignFont::kValueLabelPointSize));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Tamsel::kWhite);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    return label;
}

static_assert(InkFile::kPageCount == Tamsel::kPageCount && PageRenderer::kPageCount == Tamsel::kPageCount);

} // namespace

Tamsel::Tamsel(QWidget *parent) : QWidget(parent)
{
    DesignFont::registerSubstitutes();
    if (const QScreen *s = screen())
        m_twips = Twips::fromDpi(s->logicalDotsPerInchX(), s->logicalDotsPerInchY());

    setWindowTitle(kCaption);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tamsel-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    setFont(DesignFont::font(DesignFont::kWindowPointSize));
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
    setAutoFillBackground(true);

    createControls();
    connectHandlers();
    setFocusOrder();
    nameControls();
    new Shortcuts(*this);
    new FocusRing(*this);
    createPageMenu();
    new BoardOutput(*this);
    const QScreen *s = screen();
    setGeometry(s ? WindowLayout::fitOnScreen(kStartGeometry, s->availableGeometry()) : kStartGeometry);
    Form_Load();
}

// The overlays are taken down after this part of the window; the ink they end
// as they go has nowhere to be reported.
Tamsel::~Tamsel()
{
    for (Overlay *overlay : Scriba)
        disconnect(overlay, &Overlay::InkChanged, this, nullptr);
}

void Tamsel::createControls()
{
    const Twips &t = m_twips;
    MainTab = placed(new TabControl(kPageCaptions, t.pixelY(kTabRowTwips), this), kMainTab, t);
    for (int i = 0; i < 2; ++i)
        ClsButton[i] = placed(new QPushButton(kClearCaption, this), kClsButton[i], t);
    ColPic = placed(new Swatch(kWhite, this), kColPic, t);
    MainTimer = new Timer(kTimerIntervalMs, this);

    QWidget *page0 = MainTab->page(0);
    PolyPic = placed(new PictureBox(kFigureBackground, page0), kPolyPic, t);
    PolyScroll = placed(new ScrollBar(PolygonFigure::kMinSides, PolygonFigure::kMaxSides, kPolyStart, page0), kPolyScroll, t);
    PolyLabel = placed(valueLabel(QString::number(kPolyStart), page0), kPolyLabel, t);

    QWidget *page1 = MainTab->page(1);
    CirPic = placed(new PictureBox(kFigureBackground, page1), kCirPic, t);
    CirScroll = placed(new ScrollBar(0, ArcFigure::kMaxDegrees, kCirStart, page1), kCirScroll, t);
    CirLabel = placed(valueLabel(QString::number(kCirStart), page1), kCirLabel, t);

    QWidget *page2 = MainTab->page(2);
    ccPic = placed(new PictureBox(kFigureBackground, page2), kCcPic, t);
    ccScroll = placed(new ScrollBar(ParallelogramFigure::kMinHalf, ParallelogramFigure::kMaxHalf, kCcStart, page2), kCcScroll, t);
    ccButton = placed(new QPushButton(kStartCaption, page2), kCcButton, t);
    ccLabel = placed(valueLabel(QString::number(2 * kCcStart), page2), kCcLabel, t);

    WhPic = placed(new PictureBox(kFigureBackground, MainTab->page(3)), kWhPic, t);

    for (int i = 0; i < kPageCount; ++i)
        Scriba[i] = placed(new Overlay(i, m_twips, MainTab->page(i)), kScriba[i], t);

    m_pages = {PageControls{PolyPic, PolyScroll, nullptr, PolyLabel}, PageControls{CirPic, CirScroll, nullptr, CirLabel},
               PageControls{ccPic, ccScroll, ccButton, ccLabel}, PageControls{WhPic, nullptr, nullptr, nullptr}};
}

void Tamsel::connectHandlers()
{
    connect(MainTab, &TabControl::Click, this, [this](int previous) { MainTab_Click(saturate16(previous)); });
    for (int i = 0; i < 2; ++i)
        connect(ClsButton[i], &QPushButton::clicked, this, [this, i] { ClsButton_Click(Int16(i)); });
    connect(ColPic, &Swatch::Click, this, &Tamsel::ColPic_Click);
    for (Overlay *overlay : Scriba) {
        connect(overlay, &Overlay::RepaintRequest, this, [this](int i) { Scriba_RepaintRequest(saturate16(i)); });
        connect(overlay, &Overlay::InkChanged, this, &Tamsel::inkChanged);
    }
    connect(WhPic, &PictureBox::Paint, this, &Tamsel::WhPic_Paint);

    connect(PolyPic, &PictureBox::Paint, this, &Tamsel::PolyPic_Paint);
    connect(PolyPic, &PictureBox::Resize, this, &Tamsel::PolyPic_Resize);
    connect(PolyScroll, &ScrollBar::Change, this, &Tamsel::PolyScroll_Change);
    connect(PolyScroll, &ScrollBar::Scroll, this, &Tamsel::PolyScroll_Scroll);
    connect(CirPic, &PictureBox::Paint, this, &Tamsel::CirPic_Paint);
    connect(CirPic, &PictureBox::Resize, this, &Tamsel::CirPic_Resize);
    connect(CirScroll, &ScrollBar::Change, this, &Tamsel::CirScroll_Change);
    connect(CirScroll, &ScrollBar::Scroll, this, &Tamsel::CirScroll_Scroll);
    connect(ccPic, &PictureBox::Paint, this, &Tamsel::ccPic_Paint);
    connect(ccPic, &PictureBox::Resize, this, &Tamsel::ccPic_Resize);
    connect(ccScroll, &ScrollBar::Change, this, &Tamsel::ccScroll_Change);
    connect(ccScroll, &ScrollBar::Scroll, this, &Tamsel::ccScroll_Scroll);
    connect(ccButton, &QPushButton::clicked, this, &Tamsel::ccButton_Click);
    connect(MainTimer, &Timer::Tick, this, &Tamsel::MainTimer_Timer);
}

void Tamsel::setFocusOrder()
{
    QWidget *order[] = {MainTab->tabBar(), PolyScroll, CirScroll, ccScroll, ccButton, ClsButton[0], ClsButton[1], ColPic};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Tamsel::nameControls()
{
    MainTab->tabBar()->setAccessibleName(QStringLiteral("ページ"));
    MainTab->tabBar()->setAccessibleDescription(QStringLiteral("表示するページを選びます"));
    for (QPushButton *button : ClsButton)
        button->setAccessibleDescription(QStringLiteral("このページの書き込みを消します（Ctrl+Z で元に戻せます）"));
    ColPic->setAccessibleName(QStringLiteral("ペンの色"));
    ccButton->setAccessibleDescription(QStringLiteral("扇形の並べ替えを開始、一時停止、再開します"));

    const QString pageNames[kPageCount] = {QStringLiteral("正多角形"), QStringLiteral("円弧"),
                                           QStringLiteral("円→平行四辺形"), QStringLiteral("白紙")};
    PictureBox *pictures[kPageCount] = {PolyPic, CirPic, ccPic, WhPic};
    for (int i = 0; i < kPageCount; ++i) {
        pictures[i]->setAccessibleName(pageNames[i] + QStringLiteral("の図"));
        Scriba[i]->setAccessibleName(QStringLiteral("書き込み（") + pageNames[i] + QStringLiteral("）"));
        Scriba[i]->setAccessibleDescription(QStringLiteral("マウス、ペン、指で書き込めます"));
    }

    // Each scroll bar says what it sets and its value; its label repeats the value.
    struct Setting
    {
        ScrollBar *scroll;
        QLabel *label;
        QString name;
        QString description; // %1 is the value shown
        int shownPerStep;
    };
    const Setting settings[] = {
        {PolyScroll, PolyLabel, QStringLiteral("辺の数"), QStringLiteral("正多角形の辺の数: %1"), 1},
        {CirScroll, CirLabel, QStringLiteral("中心角"), QStringLiteral("扇形の中心角: %1 度"), 1},
        {ccScroll, ccLabel, QStringLiteral("扇形の数"), QStringLiteral("円を分ける扇形の数: %1"), 2},
    };
    for (const Setting &s : settings) {
        s.scroll->setAccessibleName(s.name);
        s.label->setAccessibleName(s.name);
        const auto describe = [s] { s.scroll->setAccessibleDescription(s.description.arg(s.scroll->value() * s.shownPerStep)); };
        describe();
        connect(s.scroll, &QScrollBar::valueChanged, this, describe);
    }
}

void Tamsel::createPageMenu()
{
    m_pageMenu = new PageMenu(*this);
    // Right clicks that no control of the page takes come up to the window.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](QPoint pos) { openPageMenu(mapToGlobal(pos)); });
    for (Overlay *overlay : Scriba) {
        auto *hold = new PressAndHold(overlay);
        connect(hold, &PressAndHold::held, overlay, [overlay](QPoint at) {
            overlay->dropStillStrokes(overlay->mapFromGlobal(QPointF(at)), PressAndHold::kStillWithinPx);
        });
        connect(hold, &PressAndHold::held, this, &Tamsel::openPageMenu);
    }
    connect(m_pageMenu, &PageMenu::openRequested, this, [this] {
        const QWidget *picture = m_pages.at(currentPage()).picture;
        openPageMenu(picture->mapToGlobal(picture->rect().center()));
    });
    connect(m_pageMenu, &PageMenu::weightChosen, this, &Tamsel::setLineWeight);
    connect(m_pageMenu, &PageMenu::weightStepped, this, [this](int steps) {
        setLineWeight(steps > 0 ? m_lineWeight.heavier() : m_lineWeight.lighter());
    });
    connect(m_pageMenu, &PageMenu::penChosen, this, &Tamsel::choosePenColour);
    connect(m_pageMenu, &PageMenu::aidsToggled, this, &Tamsel::toggleAids);
    connect(m_pageMenu, &PageMenu::fullScreenToggled, this, [this] { isFullScreen() ? showNormal() : showFullScreen(); });
}

void Tamsel::openPageMenu(QPoint globalPos) { m_pageMenu->popup(globalPos, m_lineWeight, ColPic->BackColor()); }

Settings::Choices Tamsel::choices() const
{
    Settings::Choices c{m_lineWeight, {}};
    for (const Overlay *overlay : Scriba)
        c.pens.append(overlay->ForeColor());
    return c;
}

void Tamsel::restoreChoices(const Settings::Choices &choices)
{
    for (int i = 0; i < kPageCount && i < choices.pens.size(); ++i)
        Scriba[i]->setForeColor(choices.pens[i]);
    ColPic->setBackColor(Scriba[currentPage()]->ForeColor());
    setLineWeight(choices.weight);
}

// A page not in view is laid out when shown; its picture takes the size that
// layout would give it at the window's present size.
PageView Tamsel::pageView(int page) const
{
    const PageControls &c = m_pages.at(page);
    GeometryModel model;
    model.add(PageLayout::Picture, c.picture->geometry());
    model.add(PageLayout::Overlay, Scriba[page]->geometry());
    const std::pair<PageLayout::Control, const QWidget *> row[] = {
        {PageLayout::Scroll, c.scroll}, {PageLayout::Button, c.button}, {PageLayout::Label, c.label}};
    for (const auto &[id, widget] : row)
        if (widget)
            model.add(id, widget->geometry());
    const PageLayout::TabMetrics tab{float(MainTab->width()), float(MainTab->height()), float(MainTab->TabHeight())};
    PageLayout::apply(tab, m_twips, model);
    const int frames = 2 * PictureBox::kFramePx;
    const QSize inner = model.rect(PageLayout::Picture).size() - QSize(frames, frames);
    PageView view{page, inner.expandedTo(QSize(0, 0)), c.scroll ? c.scroll->value() : 0, 0, m_lineWeight,
                  m_aids.shown(page), 0};
    if (c.picture == ccPic) {
        view.step = ccStep;
        view.formulaLines = m_aids.formulaLines();
    }
    return view;
}

InkFile::Board Tamsel::board() const
{
    InkFile::Board board;
    for (int page = 0; page < kPageCount; ++page)
        for (const Stroke *stroke : Scriba[page]->ink().strokes())
            board.at(page).push_back(*stroke);
    return board;
}

void Tamsel::restoreBoard(InkFile::Board board)
{
    for (int page = 0; page < kPageCount; ++page)
        Scriba[page]->restore(std::move(board.at(page)));
}

void Tamsel::Form_Load()
{
    PolyScroll->setValue(kPolyStart);
    CirScroll->setValue(kCirStart);
    ccScroll->setValue(kCcStart);
    ccStep = 0;
    MainTimer->setEnabled(false);
    for (Overlay *overlay : Scriba)
        overlay->raise();
}

void Tamsel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Tamsel::Form_Resize()
{
    WidgetGeometry controls;
    controls.add(WindowLayout::MainTab, MainTab);
    controls.add(WindowLayout::LeftClear, ClsButton[0]);
    controls.add(WindowLayout::RightClear, ClsButton[1]);
    controls.add(WindowLayout::Swatch, ColPic);
    WindowLayout::apply(float(width()), float(height()), controls);
    MainTab_Click(currentPage());
}

void Tamsel::MainTab_Click(Int16)
{
    MainTimer->setEnabled(false);

    const int page = currentPage();
    const PageControls &c = m_pages.at(page);
    WidgetGeometry controls;
    controls.add(PageLayout::Picture, c.picture);
    controls.add(PageLayout::Scroll, c.scroll);
    controls.add(PageLayout::Button, c.button);
    controls.add(PageLayout::Label, c.label);
    controls.add(PageLayout::Overlay, Scriba[page]);
    const PageLayout::TabMetrics tab{float(MainTab->width()), float(MainTab->height()), float(MainTab->TabHeight())};
    PageLayout::apply(tab, m_twips, controls);

    ColPic->setBackColor(Scriba[page]->ForeColor());
    placeInk(page);
    markAidsItem();
}

// The ink of a page is kept in its figure's units, so it follows the figure.
void Tamsel::placeInk(int page)
{
    const PictureBox *picture = m_pages.at(page).picture;
    Overlay *overlay = Scriba.at(page);
    const QPoint innerOnOverlay =
        picture->geometry().topLeft() + picture->contentsRect().topLeft() - overlay->geometry().topLeft();
    Similarity frame = FigureFrame::of(page, picture->ScaleWidth(), picture->ScaleHeight());
    frame.origin += innerOnOverlay;
    overlay->setFrame(frame);
}

void Tamsel::markAidsItem()
{
    const int page = currentPage();
    m_pageMenu->markAids(page <= LessonAids::kSectorsPage, m_aids.shown(page));
}

Int16 Tamsel::currentPage() const { return saturate16(MainTab->Tab()); }

void Tamsel::redrawOverlay(int page)
{
    Overlay *overlay = Scriba.at(page);
    const float widthTwips = overlay->Width();
    const float heightTwips = overlay->Height();
    overlay->RedrawRect(0, 0, round32(m_twips.ScaleX(widthTwips)), round32(m_twips.ScaleY(heightTwips)));
}
