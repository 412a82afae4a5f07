#include "Tamsel.h"

#include "BoardOutput.h"
#include "ClassRoom.h"
#include "ClassroomControls.h"
#include "ClassroomToolbar.h"
#include "CommandActions.h"
#include "CommandTable.h"
#include "Convert.h"
#include "DesignFont.h"
#include "DesignGeometry.h"
#include "FocusRing.h"
#include "FullScreen.h"
#include "GeometryModel.h"
#include "HelpOverlay.h"
#include "HelpText.h"
#include "InkView.h"
#include "PageLayout.h"
#include "PageMenu.h"
#include "PageRenderer.h"
#include "PictureBox.h"
#include "PressAndHold.h"
#include "QtTextMeasure.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "Swatch.h"
#include "TabControl.h"
#include "Timer.h"
#include "WidgetGeometry.h"
#include "WindowLayout.h"

#include <QIcon>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

using Convert::toQt;
namespace PageLayout = core::PageLayout;
namespace WindowLayout = core::WindowLayout;

namespace {

const QString kCaption = QStringLiteral("正多角形と円の面積の学習");
const QString kClearCaption = QStringLiteral("消去");

namespace Design = core::DesignGeometry;
using Design::TwipRect;

template <typename W>
W *placed(W *widget, const TwipRect &r, const core::Twips &twips)
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

} // namespace

Tamsel::Tamsel(QWidget *parent) : QWidget(parent)
{
    DesignFont::registerSubstitutes();
    if (const QScreen *s = screen())
        m_twips = core::Twips::fromDpi(s->logicalDotsPerInchX(), s->logicalDotsPerInchY());

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
    m_fullScreen = new FullScreen(*this);
    new FocusRing(*this);
    createCommands();
    m_lesson.listen([this](core::Lesson::Change change, int page) { follow(change, page); });
    const QScreen *s = screen();
    setGeometry(s ? Convert::toQt(WindowLayout::fitOnScreen(Design::kStartGeometry,
                                                            Convert::toCore(s->availableGeometry())))
                  : Convert::toQt(Design::kStartGeometry));
    Form_Load();
}

// The controls go before the lesson they show: nothing they do as they go
// may reach it.
Tamsel::~Tamsel()
{
    m_closing = true;
    qDeleteAll(findChildren<QObject *>(QString(), Qt::FindDirectChildrenOnly));
}

void Tamsel::createControls()
{
    const core::Twips &t = m_twips;
    QStringList captions;
    for (int page = 0; page < pageCount(); ++page)
        captions << QString::fromUtf8(m_lesson.row(page).caption);
    MainTab = placed(new TabControl(captions, t.pixelY(Design::kTabRowTwips), this), Design::kMainTab, t);
    for (int i = 0; i < 2; ++i)
        ClsButton[i] = placed(new QPushButton(kClearCaption, this), Design::kClearButtons[i], t);
    ColPic = placed(new Swatch(kWhite, this), Design::kSwatch, t);
    MainTimer = new Timer(core::Lesson::kTickMs, this);

    for (int page = 0; page < pageCount(); ++page) {
        const core::PageRow &row = m_lesson.row(page);
        const Design::PageDesign &design = row.design;
        QWidget *tab = MainTab->page(page);
        PageControls c;
        c.picture = placed(new PictureBox(kFigureBackground,
                                          [this, page](core::Size inner) { return m_lesson.view(page, inner); }, tab),
                           design.picture, t);
        const core::PageControls has = core::PageTable::controls(page);
        if (has.scroll)
            c.scroll = placed(new ScrollBar(row.range->min, row.range->max, m_lesson.value(page), tab), design.scroll, t);
        if (has.start)
            c.button = placed(new QPushButton(QString::fromUtf8(row.buttonCaption), tab), design.button, t);
        if (has.label)
            c.label = placed(valueLabel(QString::fromStdString(m_lesson.valueText(page)), tab), design.label, t);
        m_pages.push_back(c);
        Scriba.push_back(placed(new Overlay(page, m_lesson, m_twips, tab), design.overlay, t));
        MainTab->setTabShown(page, m_lesson.shown(page));
    }
    PolyPic = m_pages[0].picture;
    PolyScroll = m_pages[0].scroll;
    PolyLabel = m_pages[0].label;
    CirPic = m_pages[1].picture;
    CirScroll = m_pages[1].scroll;
    CirLabel = m_pages[1].label;
    ccPic = m_pages[2].picture;
    ccScroll = m_pages[2].scroll;
    ccButton = m_pages[2].button;
    ccLabel = m_pages[2].label;
    WhPic = m_pages[3].picture;
}

void Tamsel::connectHandlers()
{
    connect(MainTab, &TabControl::tabRequested, this, [this](int page) { m_lesson.showPage(page); });
    connect(MainTab, &TabControl::Click, this, [this](int previous) { MainTab_Click(core::saturate16(previous)); });
    for (int i = 0; i < 2; ++i)
        connect(ClsButton[i], &QPushButton::clicked, this, [this, i] { ClsButton_Click(Int16(i)); });
    connect(ColPic, &Swatch::Click, this, &Tamsel::ColPic_Click);
    for (Overlay *overlay : Scriba)
        connect(overlay, &Overlay::RepaintRequest, this, [this](int i) { Scriba_RepaintRequest(core::saturate16(i)); });

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
    connect(WhPic, &PictureBox::Paint, this, &Tamsel::WhPic_Paint);
    // Pages past the design's draw and scroll through the same ways.
    for (int page = 4; page < pageCount(); ++page) {
        const PageControls &c = m_pages[std::size_t(page)];
        connect(c.picture, &PictureBox::Paint, this, [this, page] { redrawOverlay(page); });
        connect(c.picture, &PictureBox::Resize, c.picture, &PictureBox::Refresh);
        if (c.scroll) {
            connect(c.scroll, &ScrollBar::Change, this, [this, page] { scrollChanged(page); });
            connect(c.scroll, &ScrollBar::Scroll, this, [this, page] { scrollChanged(page); });
        }
        if (c.button)
            connect(c.button, &QPushButton::clicked, this, [this, page] { m_lesson.pressButton(page); });
    }
}

void Tamsel::setFocusOrder()
{
    std::vector<QWidget *> order{MainTab->tabBar()};
    for (const PageControls &c : m_pages) {
        if (c.scroll)
            order.push_back(c.scroll);
        if (c.button)
            order.push_back(c.button);
    }
    order.insert(order.end(), {ClsButton[0], ClsButton[1], ColPic});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Tamsel::nameControls()
{
    MainTab->tabBar()->setAccessibleName(QStringLiteral("ページ"));
    MainTab->tabBar()->setAccessibleDescription(QStringLiteral("表示するページを選びます"));
    for (QPushButton *button : ClsButton) {
        button->setAccessibleDescription(QStringLiteral("このページの書き込みを消します（Ctrl+Z で元に戻せます）"));
        button->setToolTip(QString::fromStdString(core::HelpText::clearTip()));
    }
    ColPic->setAccessibleName(QStringLiteral("ペンの色"));
    ColPic->setToolTip(QString::fromStdString(core::HelpText::swatchTip()));
    ccButton->setAccessibleDescription(QStringLiteral("扇形の並べ替えを開始、一時停止、再開します"));
    for (int page = 0; page < pageCount(); ++page)
        if (QPushButton *button = m_pages[std::size_t(page)].button)
            button->setToolTip(QString::fromStdString(m_lesson.row(page).animates ? core::HelpText::startTip()
                                                                                 : core::HelpText::nextTip()));

    for (int page = 0; page < pageCount(); ++page) {
        const core::PageRow &row = m_lesson.row(page);
        const QString name = QString::fromUtf8(row.caption);
        m_pages[std::size_t(page)].picture->setAccessibleName(name + QStringLiteral("の図"));
        Scriba[std::size_t(page)]->setAccessibleName(QStringLiteral("書き込み（") + name + QStringLiteral("）"));
        Scriba[std::size_t(page)]->setAccessibleDescription(QStringLiteral("マウス、ペン、指で書き込めます"));
        // Each scroll bar says what it sets and its value; its label repeats the value.
        const PageControls &c = m_pages[std::size_t(page)];
        if (c.scroll) {
            c.scroll->setAccessibleName(QString::fromUtf8(row.valueName));
            c.label->setAccessibleName(QString::fromUtf8(row.valueName));
            showValue(page);
        }
    }
}

void Tamsel::createCommands()
{
    m_commands = new CommandActions(*this, m_lesson, [this] { return m_fullScreen->active(); });
    createPageMenu();
    auto *output = new BoardOutput(*this, m_lesson, {[this] { return pageImage(); }, [this](int page) { return pageView(page); }});
    connect(m_pageMenu, &PageMenu::saveImageRequested, output, &BoardOutput::saveImage);
    connect(m_pageMenu, &PageMenu::printRequested, output, &BoardOutput::print);
    connect(m_pageMenu, &PageMenu::savePdfRequested, output, &BoardOutput::savePdf);
    connect(m_pageMenu, &PageMenu::printCutOutRequested, output, &BoardOutput::printCutOut);
    m_commands->create();
    m_pageMenu->build();
    m_help = new HelpOverlay(*this, m_lesson, *m_commands);
    connect(m_pageMenu, &PageMenu::helpRequested, this, [this] {
        // A stroke the help comes over would never see its pen lift.
        for (Overlay *overlay : Scriba)
            overlay->endStrokes();
        m_help->open();
    });
    m_toolbar = new ClassroomToolbar(*m_commands, m_lesson, this);
    ClassroomControls::Controls controls{MainTab, ClsButton, ColPic, {}};
    for (std::size_t page = 0; page < m_pages.size(); ++page) {
        const PageControls &c = m_pages[page];
        controls.pages.push_back({c.picture, c.scroll, c.button, c.label, Scriba[page]});
    }
    m_classroomControls = std::make_unique<ClassroomControls>(std::move(controls), m_twips);
    connect(m_fullScreen, &FullScreen::changed, this, &Tamsel::Form_Resize);
}

void Tamsel::createPageMenu()
{
    m_pageMenu = new PageMenu(*this, *m_commands, *m_fullScreen);
    // Right clicks that no control of the page takes come up to the window.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](QPoint pos) { openPageMenu(mapToGlobal(pos)); });
    for (Overlay *overlay : Scriba) {
        auto *hold = new PressAndHold(overlay);
        // A pupil holding a sector still is thinking, not asking for the menu.
        connect(hold, &PressAndHold::held, overlay, [this, overlay](QPoint at) {
            if (m_lesson.holdingSectors())
                return;
            overlay->dropStillStrokes(overlay->mapFromGlobal(QPointF(at)), PressAndHold::kStillWithinPx);
            openPageMenu(at);
        });
    }
    connect(m_pageMenu, &PageMenu::openRequested, this, [this] {
        const QWidget *p = picture(currentPage());
        openPageMenu(p->mapToGlobal(p->rect().center()));
    });
}

void Tamsel::openPageMenu(QPoint globalPos) { m_pageMenu->popup(globalPos); }

// What the lesson says changed, shown on the controls.
void Tamsel::follow(core::Lesson::Change change, int page)
{
    using Change = core::Lesson::Change;
    if (m_closing)
        return;
    switch (change) {
    case Change::Page:
        MainTab->setTab(page);
        break;
    case Change::Value:
        showValue(page);
        picture(page)->Refresh();
        break;
    case Change::Figure:
    case Change::Aids:
        picture(page)->Refresh();
        showStart();
        break;
    case Change::Running:
        MainTimer->setEnabled(m_lesson.running());
        showStart();
        break;
    case Change::Weight:
    case Change::Lengths:
    case Change::Grid:
    case Change::Squares:
        // The other pages' pictures paint when they are shown.
        picture(currentPage())->Refresh();
        Scriba.at(std::size_t(currentPage()))->showDirty();
        emit choicesChanged();
        break;
    case Change::Pen:
        if (page == currentPage())
            ColPic->setBackColor(toQt(m_lesson.pen(page)));
        emit choicesChanged();
        break;
    case Change::SharedPen:
        ColPic->setShared(m_lesson.sharedPen());
        emit choicesChanged();
        break;
    case Change::Ink:
        Scriba.at(std::size_t(page))->showDirty();
        emit inkChanged();
        break;
    case Change::Pages:
        MainTab->setTabShown(page, m_lesson.shown(page));
        if (m_classroom)
            layOutClassroom();
        emit choicesChanged();
        break;
    case Change::Eraser:
        break;
    case Change::Toolbar:
        Form_Resize();
        emit choicesChanged();
        break;
    case Change::Layout:
        if (QPushButton *button = m_pages.at(std::size_t(page)).button)
            button->setEnabled(m_lesson.canStart());
        Scriba.at(std::size_t(page))->setCursor(m_lesson.handMode() ? Qt::OpenHandCursor : Qt::CrossCursor);
        // 「もとにもどす」 has a button only by hand.
        if (m_classroom && page == currentPage())
            layOutClassroom();
        picture(page)->Refresh();
        break;
    }
}

void Tamsel::showValue(int page)
{
    const PageControls &c = m_pages.at(std::size_t(page));
    const core::PageRow &row = m_lesson.row(page);
    if (!c.scroll)
        return;
    c.scroll->setValue(m_lesson.value(page));
    c.label->setText(QString::fromStdString(m_lesson.valueText(page)));
    c.scroll->setAccessibleDescription(QString::fromUtf8(row.valueDescription) +
                                       QString::fromStdString(m_lesson.valueText(page)) +
                                       QString::fromUtf8(row.valueUnit));
}

core::Size Tamsel::innerSize(int page) const
{
    if (m_classroom)
        return m_classroom->pages.at(std::size_t(page)).inner;
    const PageControls &c = m_pages.at(std::size_t(page));
    core::GeometryModel model;
    model.add(PageLayout::Picture, Convert::toCore(c.picture->geometry()));
    model.add(PageLayout::Overlay, Convert::toCore(Scriba.at(std::size_t(page))->geometry()));
    const std::pair<PageLayout::Control, const QWidget *> row[] = {
        {PageLayout::Scroll, c.scroll}, {PageLayout::Button, c.button}, {PageLayout::Label, c.label}};
    for (const auto &[id, widget] : row)
        if (widget)
            model.add(id, Convert::toCore(widget->geometry()));
    const PageLayout::TabMetrics tab{float(MainTab->width()), float(MainTab->height()), float(MainTab->TabHeight())};
    PageLayout::apply(tab, m_twips, model);
    const int frames = 2 * PictureBox::kFramePx;
    const core::Size picture = model.rect(PageLayout::Picture).size();
    return core::Size(picture.width() - frames, picture.height() - frames).expandedTo(core::Size(0, 0));
}

void Tamsel::Form_Load()
{
    for (int page = 0; page < pageCount(); ++page)
        if (m_pages[std::size_t(page)].scroll)
            m_pages[std::size_t(page)].scroll->setValue(m_lesson.value(page));
    MainTimer->setEnabled(m_lesson.running());
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
    if (m_fullScreen && m_lesson.toolbarShown(m_fullScreen->active())) {
        layOutClassroom();
        m_lesson.pause();
        return;
    }
    if (m_classroom)
        restoreDesign();
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
    m_lesson.pause();
    if (m_classroom) {
        layOutClassroom();
        return;
    }

    const int page = currentPage();
    const PageControls &c = m_pages.at(std::size_t(page));
    WidgetGeometry controls;
    controls.add(PageLayout::Picture, c.picture);
    controls.add(PageLayout::Scroll, c.scroll);
    controls.add(PageLayout::Button, c.button);
    controls.add(PageLayout::Label, c.label);
    controls.add(PageLayout::Overlay, Scriba.at(std::size_t(page)));
    const PageLayout::TabMetrics tab{float(MainTab->width()), float(MainTab->height()), float(MainTab->TabHeight())};
    PageLayout::apply(tab, m_twips, controls);

    ColPic->setBackColor(toQt(m_lesson.pen(page)));
    placeInk(page);
}

// The ink of a page is kept in its figure's units, so it follows the figure.
void Tamsel::placeInk(int page)
{
    const PictureBox *p = picture(page);
    Overlay *overlay = Scriba.at(std::size_t(page));
    const QPoint innerOnOverlay = p->geometry().topLeft() + p->contentsRect().topLeft() - overlay->geometry().topLeft();
    const core::Rect inner = Convert::toCore(QRect(innerOnOverlay, p->contentsRect().size()));
    const bool moved = m_lesson.ink().place(page, inner);
    if ((m_followedInk && m_followedInk->place(page, inner)) || moved)
        overlay->update();
    overlay->setPictureArea(QRect(innerOnOverlay, p->contentsRect().size()));
}

void Tamsel::followInk(core::LessonInk *under)
{
    if (under == m_followedInk)
        return;
    m_followedInk = under;
    for (int page = 0; page < pageCount(); ++page) {
        Scriba.at(std::size_t(page))->setUnder(under);
        placeInk(page);
    }
}

void Tamsel::showFollowedInk()
{
    if (!m_followedInk)
        return;
    for (int page = 0; page < pageCount(); ++page) {
        const QRect dirty = Convert::toQt(m_followedInk->canvas(page).takeDirty());
        if (!dirty.isEmpty())
            Scriba.at(std::size_t(page))->update(dirty);
    }
}

Int16 Tamsel::currentPage() const { return core::saturate16(m_lesson.page()); }

void Tamsel::redrawOverlay(int page)
{
    Overlay *overlay = Scriba.at(std::size_t(page));
    const float widthTwips = overlay->Width();
    const float heightTwips = overlay->Height();
    overlay->RedrawRect(0, 0, core::round32(m_twips.ScaleX(widthTwips)), core::round32(m_twips.ScaleY(heightTwips)));
}

// ---------------------------------------------------------------- the classroom toolbar

void Tamsel::layOutClassroom()
{
    const auto offers = [this](const core::Command &c) { return m_commands->offers(c); };
    m_classroom = core::ClassroomLayout::compute(core::Size(width(), height()), m_lesson, QtTextMeasure::instance(), offers);
    m_classroomControls->apply(*m_classroom);
    m_toolbar->place(*m_classroom);
    m_toolbar->show();
    m_toolbar->raise();
    m_help->raise();
    m_pageMenu->setLetterPx(m_classroom->labelPx);
    showStart();
    ColPic->setBackColor(toQt(m_lesson.pen(currentPage())));
    placeInk(currentPage());
}

void Tamsel::restoreDesign()
{
    m_classroom.reset();
    m_toolbar->hide();
    m_pageMenu->setLetterPx(0);
    m_classroomControls->restoreDesign();
}

void Tamsel::showStart()
{
    if (m_classroom)
        m_classroomControls->setStartLabel(
            QString::fromStdString(core::CommandTable::state(m_lesson, *core::CommandTable::find("start")).shortLabel));
}

QImage Tamsel::pageImage() const
{
    const int page = m_lesson.page();
    PictureBox *p = picture(page);
    Overlay *overlay = Scriba.at(std::size_t(page));
    QImage image = p->picture().copy();
    // The overlay lies over the picture's inner area, a little inset.
    QPainter painter(&image);
    painter.translate(overlay->pos() - p->pos() - p->contentsRect().topLeft());
    InkView::paint(painter, overlay->canvas(), overlay->rect());
    return image;
}

void Tamsel::showFirstStartHint()
{
    if (m_lesson.hintSeen())
        return;
    // Over the figure's corner for a few seconds, not over a control.
    constexpr int kInsetPx = 8;
    m_pageMenu->notify(QString::fromStdString(core::HelpText::firstStartHint()),
                       picture(currentPage())->mapToGlobal(QPoint(kInsetPx, kInsetPx)));
    m_lesson.noteHintSeen();
}

// ---------------------------------------------------------------- clear buttons, pen colour, overlay refresh

void Tamsel::ClsButton_Click(Int16)
{
    m_lesson.clearInk();
    Scriba_RepaintRequest(currentPage());
}

void Tamsel::ColPic_Click() { m_lesson.cyclePen(); }

void Tamsel::Scriba_RepaintRequest(Int16 index)
{
    // Any index of a page not shown repaints the blank one.
    const int page = m_lesson.shown(index) ? index : core::PageTable::blank();
    picture(page)->Refresh();
}

void Tamsel::WhPic_Paint() { redrawOverlay(3); }

// ---------------------------------------------------------------- figure pages and the animation

void Tamsel::scrollChanged(int page) { m_lesson.setValue(page, m_pages.at(std::size_t(page)).scroll->value()); }

void Tamsel::PolyPic_Paint() { redrawOverlay(0); }
void Tamsel::PolyPic_Resize() { PolyPic->Refresh(); }
void Tamsel::PolyScroll_Change() { scrollChanged(0); }
void Tamsel::PolyScroll_Scroll() { PolyScroll_Change(); }

void Tamsel::CirPic_Paint() { redrawOverlay(1); }
void Tamsel::CirPic_Resize() { CirPic->Refresh(); }
void Tamsel::CirScroll_Change() { scrollChanged(1); }
void Tamsel::CirScroll_Scroll() { CirScroll_Change(); }

void Tamsel::ccPic_Paint() { redrawOverlay(2); }
void Tamsel::ccPic_Resize() { ccPic->Refresh(); }
void Tamsel::ccScroll_Change() { scrollChanged(2); }
void Tamsel::ccScroll_Scroll() { ccScroll_Change(); }
void Tamsel::ccButton_Click() { m_lesson.pressStart(); }
void Tamsel::MainTimer_Timer()
{
    // A pupil following a class takes the teacher's steps instead.
    if (!m_lesson.classRoom() || m_lesson.classRoom()->drivesClock())
        m_lesson.tick();
}
