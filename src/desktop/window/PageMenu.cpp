#include "PageMenu.h"

#include "Convert.h"
#include "FullScreen.h"
#include "Lesson.h"
#include "PenPalette.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QWidget>

namespace {

constexpr qreal kDotShareOfSide = 0.5;
constexpr int kNoticeMs = 6000;
constexpr int kNoticeMarginPx = 4;

QString itemText(const char *name, char mnemonic)
{
    return QStringLiteral("%1(&%2)").arg(QString::fromUtf8(name), QChar::fromLatin1(mnemonic));
}

// The pen's colour in a frame; the style draws an icon instead of the check
// mark, so the checked one carries a dot of whichever of black and white reads on it.
QIcon swatchIcon(const QColor &colour, int sidePx)
{
    QIcon icon;
    for (const QIcon::State state : {QIcon::Off, QIcon::On}) {
        QPixmap pixmap(sidePx, sidePx);
        pixmap.fill(colour);
        QPainter painter(&pixmap);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, sidePx - 1, sidePx - 1);
        if (state == QIcon::On) {
            const core::Color c = Convert::toCore(colour);
            const QColor dot = core::PenPalette::contrastRatio(c, core::Color(0, 0, 0)) >
                                       core::PenPalette::contrastRatio(c, core::Color(255, 255, 255))
                                   ? Qt::black
                                   : Qt::white;
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(dot);
            const qreal inset = sidePx * (1 - kDotShareOfSide) / 2;
            painter.drawEllipse(QRectF(pixmap.rect()).adjusted(inset, inset, -inset, -inset));
        }
        painter.end();
        icon.addPixmap(pixmap, QIcon::Normal, state);
        icon.addPixmap(pixmap, QIcon::Active, state);
    }
    return icon;
}

} // namespace

PageMenu::PageMenu(QWidget &window, core::Lesson &lesson, FullScreen &fullScreen)
    : QObject(&window), m_window(window), m_lesson(lesson), m_fullScreen(fullScreen), m_menu(new QMenu(&window)),
      m_notice(new QLabel(&window, Qt::ToolTip)), m_noticeShown(new QTimer(this))
{
    addWeights();
    addPens();
    m_aids = m_menu->addAction(QStringLiteral("説明を表示(&A)"));
    m_aids->setCheckable(true);
    bind(m_aids, {Qt::Key_F2});
    connect(m_aids, &QAction::triggered, this, [this] { m_lesson.toggleAids(); });
    addLengths();
    addPaper();
    m_menu->addSeparator();
    // F11 already toggles full screen in the window; here it is shown, and
    // works while the menu is open. Both take the same way in and out.
    m_fullScreenItem = m_menu->addAction(QStringLiteral("全画面表示(&F)"));
    m_fullScreenItem->setCheckable(true);
    m_fullScreenItem->setShortcut(Qt::Key_F11);
    connect(m_fullScreenItem, &QAction::triggered, this, [this] { m_fullScreen.toggle(); });
    addKeeping();
    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setAutoFillBackground(true);
    m_notice->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_notice->setMargin(kNoticeMarginPx);
    m_noticeShown->setSingleShot(true);
    m_noticeShown->setInterval(kNoticeMs);
    connect(m_noticeShown, &QTimer::timeout, m_notice, &QWidget::hide);

    // The aids item follows the page in view, so F2 works wherever the page has aids.
    m_lesson.listen([this](core::Lesson::Change change, int) {
        using Change = core::Lesson::Change;
        if (change == Change::Page || change == Change::Aids)
            markAids();
        if (change == Change::Page || change == Change::Grid || change == Change::Squares)
            markPaper();
    });
    markAids();
    markPaper();

    auto *open = new QAction(this);
    bind(open, {Qt::Key_Menu, Qt::SHIFT | Qt::Key_F10});
    connect(open, &QAction::triggered, this, &PageMenu::openRequested);
}

void PageMenu::addWeights()
{
    QMenu *weights = m_menu->addMenu(QStringLiteral("線の太さ(&L)"));
    auto *group = new QActionGroup(this);
    for (const core::LineWeight::Choice &choice : core::LineWeight::kChoices) {
        QAction *item = group->addAction(itemText(choice.name, choice.mnemonic));
        item->setCheckable(true);
        weights->addAction(item);
        const core::LineWeight weight = core::LineWeight::fromFactor(choice.factor).value();
        connect(item, &QAction::triggered, this, [this, weight] { m_lesson.setWeight(weight); });
        m_weights.push_back(item);
    }
    bind(m_weights.front(), {Qt::CTRL | Qt::Key_0});

    weights->addSeparator();
    // Japanese keyboards put + on Shift+;, and many hands press Ctrl+= for it.
    QAction *heavier = weights->addAction(QStringLiteral("太く(&H)"));
    bind(heavier, {QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Semicolon});
    connect(heavier, &QAction::triggered, this, [this] { m_lesson.setWeight(m_lesson.weight().heavier()); });
    QAction *lighter = weights->addAction(QStringLiteral("細く(&D)"));
    bind(lighter, {QKeySequence::ZoomOut});
    connect(lighter, &QAction::triggered, this, [this] { m_lesson.setWeight(m_lesson.weight().lighter()); });
}

void PageMenu::addPens()
{
    QMenu *pens = m_menu->addMenu(QStringLiteral("ペンの色(&P)"));
    auto *group = new QActionGroup(this);
    const int iconPx = m_window.style()->pixelMetric(QStyle::PM_SmallIconSize);
    int key = Qt::Key_1;
    for (const core::PenPalette::Pen &pen : core::PenPalette::pens()) {
        QAction *item = group->addAction(swatchIcon(Convert::toQt(pen.colour), iconPx), itemText(pen.name, pen.mnemonic));
        item->setCheckable(true);
        pens->addAction(item);
        bind(item, {QKeySequence(key++)});
        connect(item, &QAction::triggered, this, [this, colour = pen.colour] { m_lesson.setPen(colour); });
        m_pens.push_back(item);
    }
    pens->addSeparator();
    m_sharedPen = pens->addAction(QStringLiteral("すべてのページで同じ色(&A)"));
    m_sharedPen->setCheckable(true);
    connect(m_sharedPen, &QAction::triggered, this, [this](bool on) { m_lesson.setSharedPen(on); });
}

void PageMenu::addLengths()
{
    m_lengths = m_menu->addAction(QStringLiteral("長さを cm で表示(&C)"));
    m_lengths->setCheckable(true);
    bind(m_lengths, {Qt::Key_C});
    connect(m_lengths, &QAction::triggered, this, [this] { m_lesson.toggleRealLengths(); });
    QMenu *radii = m_menu->addMenu(QStringLiteral("円の半径(&N)"));
    auto *group = new QActionGroup(this);
    for (const int cm : core::RadiusCm::kChoices) {
        QAction *item = group->addAction(QStringLiteral("%1 cm").arg(cm));
        item->setCheckable(true);
        radii->addAction(item);
        // A radius chosen is a radius to see.
        connect(item, &QAction::triggered, this, [this, cm] {
            m_lesson.setRadiusCm(cm);
            m_lesson.setRealLengths(true);
        });
        m_radii.push_back(item);
    }
    m_lesson.listen([this](core::Lesson::Change change, int) {
        if (change == core::Lesson::Change::Lengths)
            markLengths();
    });
    markLengths();
}

void PageMenu::markLengths()
{
    m_lengths->setChecked(m_lesson.realLengths());
    for (std::size_t i = 0; i < m_radii.size(); ++i)
        m_radii[i]->setChecked(core::RadiusCm::kChoices[i] == m_lesson.radiusCm());
}

// One key each, a letter: the function keys are the browser's in a tab.
void PageMenu::addPaper()
{
    m_grid = m_menu->addAction(QStringLiteral("方眼を表示(&G)"));
    m_grid->setCheckable(true);
    bind(m_grid, {Qt::Key_G});
    connect(m_grid, &QAction::triggered, this, [this] { m_lesson.toggleGrid(); });
    m_squares = m_menu->addAction(QStringLiteral("正方形ではさむ(&Q)"));
    m_squares->setCheckable(true);
    bind(m_squares, {Qt::Key_Q});
    connect(m_squares, &QAction::triggered, this, [this] { m_lesson.toggleSquares(); });
    m_quarterCount = m_menu->addAction(QStringLiteral("円の 1/4 で数える(&U)"));
    m_quarterCount->setCheckable(true);
    connect(m_quarterCount, &QAction::triggered, this, [this] { m_lesson.toggleQuarterCount(); });
    m_diameterFormula = m_menu->addAction(QStringLiteral("公式を直径から作る(&M)"));
    m_diameterFormula->setCheckable(true);
    connect(m_diameterFormula, &QAction::triggered, this, [this] { m_lesson.toggleDiameterFormula(); });
}

void PageMenu::markPaper()
{
    const int page = m_lesson.page();
    m_grid->setEnabled(m_lesson.hasGrid(page));
    m_grid->setChecked(m_lesson.gridShown());
    m_squares->setEnabled(m_lesson.hasSquares(page));
    m_squares->setChecked(m_lesson.squaresShown());
    m_quarterCount->setChecked(m_lesson.quarterCount());
    m_diameterFormula->setChecked(m_lesson.diameterFormula());
}

void PageMenu::addKeeping()
{
    m_menu->addSeparator();
    QAction *image = m_menu->addAction(QStringLiteral("画像として保存(&S)…"));
    bind(image, {QKeySequence::Save});
    connect(image, &QAction::triggered, this, &PageMenu::saveImageRequested);
    QAction *print = m_menu->addAction(QStringLiteral("印刷(&I)…"));
    bind(print, {QKeySequence::Print});
    connect(print, &QAction::triggered, this, &PageMenu::printRequested);
    connect(m_menu->addAction(QStringLiteral("PDFとして保存(&D)…")), &QAction::triggered, this,
            &PageMenu::savePdfRequested);
    connect(m_menu->addAction(QStringLiteral("切り取り用の円を印刷(&K)…")), &QAction::triggered, this,
            &PageMenu::printCutOutRequested);
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("前回の書き込みを復元(&R)")), &QAction::triggered, this,
            &PageMenu::restoreRequested);
    m_menu->addSeparator();
    QAction *help = m_menu->addAction(QStringLiteral("使い方(&H)"));
    bind(help, {Qt::Key_F1});
    connect(help, &QAction::triggered, this, &PageMenu::helpRequested);
}

// A tooltip would go at the first focus change, and closing the menu makes one.
void PageMenu::notify(const QString &line)
{
    m_notice->setText(line);
    m_notice->adjustSize();
    m_notice->move(m_openedAt.value_or(m_window.mapToGlobal(QPoint(kNoticeMarginPx, kNoticeMarginPx))));
    m_notice->show();
    m_noticeShown->start();
}

void PageMenu::bind(QAction *action, const QList<QKeySequence> &keys)
{
    action->setShortcuts(keys);
    m_window.addAction(action);
}

void PageMenu::markAids()
{
    const int page = m_lesson.page();
    m_aids->setEnabled(m_lesson.hasAids(page));
    m_aids->setChecked(m_lesson.aidsShown(page));
}

void PageMenu::popup(QPoint globalPos)
{
    const int weight = m_lesson.weight().factor();
    const core::Color pen = m_lesson.pen(m_lesson.page());
    for (std::size_t i = 0; i < m_weights.size(); ++i)
        m_weights[i]->setChecked(core::LineWeight::kChoices[i].factor == weight);
    for (std::size_t i = 0; i < m_pens.size(); ++i)
        m_pens[i]->setChecked(core::PenPalette::pens()[i].colour == pen);
    m_sharedPen->setChecked(m_lesson.sharedPen());
    markAids();
    markPaper();
    m_fullScreenItem->setChecked(m_fullScreen.active());
    m_openedAt = globalPos;
    m_menu->popup(globalPos);
}
