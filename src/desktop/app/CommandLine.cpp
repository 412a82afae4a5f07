#include "CommandLine.h"

#include "Console.h"
#include "Convert.h"
#include "ClassSnapshot.h"
#include "InkStore.h"
#include "PageExport.h"
#include "PageRenderer.h"
#include "PageTable.h"
#include "ParallelogramAids.h"
#include "PracticeProblem.h"
#include "SafeWrite.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

const QString kProgram = QStringLiteral("tamsel");

// One line, whatever the values it quotes hold.
CommandLine::Parsed failure(QString line)
{
    return {std::nullopt, kProgram + QStringLiteral(": ") + line.replace(QLatin1Char('\n'), QStringLiteral("\\n")), true};
}

// A whole number within [low, high], or nothing.
std::optional<int> numberIn(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= low && n <= high ? std::optional(n) : std::nullopt;
}

// Every page's id, for the help and for a wrong one.
QStringList pageIds()
{
    QStringList ids;
    for (const std::string &id : core::PageTable::ids())
        ids << QString::fromStdString(id);
    return ids;
}

QStringList figureIds()
{
    QStringList ids;
    for (int kind = 0; kind < core::PracticeProblem::kKinds; ++kind)
        ids << QString::fromUtf8(core::PracticeProblem::kind(kind).id);
    return ids;
}

// A page's id, or its number among the first pages, as earlier versions took it.
std::optional<int> pageNamed(const QString &text)
{
    const std::span<const char *const> first = core::PageTable::firstIds();
    if (const std::optional<int> n = numberIn(text, 0, int(first.size()) - 1))
        return core::PageTable::find(first[std::size_t(*n)]);
    return core::PageTable::find(text.toStdString());
}

} // namespace

bool CommandLine::wanted(int argc, char **) { return argc > 1; }

CommandLine::Parsed CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tamsel: regular polygons and the area of the circle. Without options it opens its window;\n"
                       "with --export it draws one page into a file without a window."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportTo(QStringLiteral("export"), QStringLiteral("Write the page to <file>: .png or .pdf."),
                                      QStringLiteral("file"));
    const QCommandLineOption page(QStringLiteral("page"),
                                  QStringLiteral("The page by its id: %1; or 0 polygon, 1 arc, 2 circle to "
                                                 "parallelogram, 3 blank (default 0).")
                                      .arg(pageIds().join(QStringLiteral(", "))),
                                  QStringLiteral("id"), QStringLiteral("0"));
    const QCommandLineOption value(QStringLiteral("value"),
                                   QStringLiteral("The page's scroll value: sides 3..64 (default 3), degrees 0..360 "
                                                  "(default 360), or V 2..32 for 2V sectors (default 4)."),
                                   QStringLiteral("V"));
    const QCommandLineOption step(QStringLiteral("step"),
                                  QStringLiteral("Sectors moved on page 2, 0..2V, or the working shown on the practice "
                                                 "page, 0..3 (default 0)."),
                                  QStringLiteral("K"), QStringLiteral("0"));
    const QCommandLineOption figure(QStringLiteral("figure"),
                                    QStringLiteral("The practice page's figure: %1 (default %2); --value sets its "
                                                   "first length in cm.")
                                        .arg(figureIds().join(QStringLiteral(", ")), figureIds().front()),
                                    QStringLiteral("id"), figureIds().front());
    const QCommandLineOption second(QStringLiteral("second"),
                                    QStringLiteral("The second length in cm of a ring (its hole's radius) or a track "
                                                   "(its straight part)."),
                                    QStringLiteral("cm"));
    const QCommandLineOption size(
        QStringLiteral("size"),
        QStringLiteral("The picture's drawing area in pixels, up to %1 a side (default 526x370, as the window opens).")
            .arg(kMaxSidePx),
        QStringLiteral("WxH"));
    const QCommandLineOption weight(QStringLiteral("weight"), QStringLiteral("Line weight 1..3 (default 1)."),
                                    QStringLiteral("1..3"), QStringLiteral("1"));
    const QCommandLineOption aids(QStringLiteral("aids"), QStringLiteral("Show the lesson aids."));
    const QCommandLineOption ink(QStringLiteral("ink"), QStringLiteral("Draw the page's ink as last saved."));
    const QCommandLineOption cm(QStringLiteral("cm"), QStringLiteral("With --aids, give lengths and areas in cm."));
    const QCommandLineOption radiusCm(QStringLiteral("radius-cm"),
                                      QStringLiteral("The circle's real radius in cm for --cm, --grid and the squares' areas: "
                                                     "5, 8 or 10 (default 10)."),
                                      QStringLiteral("cm"), QString::number(core::RadiusCm::kDefault));
    const QCommandLineOption grid(QStringLiteral("grid"),
                                  QStringLiteral("Squared paper under the circle (pages 0 to 2); with --aids, the counts."));
    const QCommandLineOption squares(QStringLiteral("squares"),
                                     QStringLiteral("The circle between two squares (page 0)."));
    const QCommandLineOption follow(QStringLiteral("follow"),
                                    QStringLiteral("Draw the class <code>'s board as its pupils see it (with --broker)."),
                                    QStringLiteral("code"));
    const QCommandLineOption broker(QStringLiteral("broker"), QStringLiteral("The class's broker for pupils, <host:port>."),
                                    QStringLiteral("host:port"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("The nickname to join with (default PC)."),
                                  QStringLiteral("name"), QStringLiteral("PC"));
    const QCommandLineOption formula(QStringLiteral("formula"),
                                     QStringLiteral("Lines of the area formula shown on page 2 (default 0)."),
                                     QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption diameter(QStringLiteral("diameter"), QStringLiteral("The formula built from the diameter (page 2)."));
    const QCommandLineOption counted(QStringLiteral("count-step"),
                                     QStringLiteral("With --grid: 0 the paper alone, 1 the squares inside tinted, 2 those "
                                                    "cut too, 3 their counts, 4 the estimate (default 4)."),
                                     QStringLiteral("0..4"), QString::number(core::PageView::Estimated));
    const QCommandLineOption quarter(QStringLiteral("quarter"),
                                     QStringLiteral("With --grid, one quarter of the circle counted, four times."));
    QStringList layoutKeys;
    for (const core::SectorLayouts::Choice &choice : core::SectorLayouts::kChoices)
        layoutKeys << QString::fromLatin1(choice.key);
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("How page 2 lays its sectors out: %1 (default %2).")
                                        .arg(layoutKeys.join(QStringLiteral(", ")), layoutKeys.front()),
                                    QStringLiteral("name"), layoutKeys.front());
    const QCommandLineOption paper(QStringLiteral("paper"),
                                   QStringLiteral("As printed to save ink: white paper, dark lines, light fills."));
    parser.addOptions(
        {exportTo, page, value, step, figure, second, size, weight, aids, grid, squares, ink, cm, radiusCm, layout, paper,
         formula, diameter, counted, quarter, follow, broker, name});

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    // Qt offers --help-all beside --help; both show this help.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return {std::nullopt, parser.helpText(), false};
    if (parser.isSet(version))
        return {std::nullopt, kProgram + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n'),
                false};
    if (!parser.positionalArguments().isEmpty())
        return failure(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().front()));
    if (!parser.isSet(exportTo))
        return failure(QStringLiteral("nothing to do: --export FILE names the file to write (see --help)"));

    Export job;
    job.path = parser.value(exportTo);
    if (!PageExport::formatOf(job.path))
        return failure(QStringLiteral("--export %1: unknown extension; use .png or .pdf").arg(job.path));
    const std::optional<int> pageNumber = pageNamed(parser.value(page));
    if (!pageNumber)
        return failure(QStringLiteral("--page must be one of %1 or 0 to %2, not '%3'")
                           .arg(pageIds().join(QStringLiteral(", ")))
                           .arg(core::PageTable::firstIds().size() - 1)
                           .arg(parser.value(page)));
    job.view.page = *pageNumber;

    const core::PageRow &row = core::PageTable::rows().at(std::size_t(job.view.page));
    const std::optional<core::ValueRange> &range = row.range;
    if (parser.isSet(figure) && row.choices.empty())
        return failure(QStringLiteral("--figure: page %1 has no figures to choose from").arg(parser.value(page)));
    const std::optional<int> choice = core::PracticeProblem::find(parser.value(figure).toStdString());
    if (!choice)
        return failure(QStringLiteral("--figure must be one of %1, not '%2'")
                           .arg(figureIds().join(QStringLiteral(", ")), parser.value(figure)));
    job.view.choice = row.choices.empty() ? 0 : *choice;
    job.view.value = row.valueStart ? row.valueStart(job.view.choice) : range ? range->start : 0;
    if (parser.isSet(value)) {
        if (!range)
            return failure(QStringLiteral("--value: page %1 has no value").arg(job.view.page));
        const std::optional<int> v = numberIn(parser.value(value), range->min, range->max);
        if (!v)
            return failure(QStringLiteral("--value on page %1 must be %2 to %3, not '%4'")
                               .arg(job.view.page).arg(range->min).arg(range->max).arg(parser.value(value)));
        job.view.value = *v;
    }
    const std::optional<core::ValueRange> secondRange = row.secondRange ? row.secondRange(job.view.choice) : std::nullopt;
    job.view.second = secondRange ? secondRange->start : 0;
    if (parser.isSet(second)) {
        if (!secondRange)
            return failure(QStringLiteral("--second: the figure has one length"));
        const std::optional<int> v = numberIn(parser.value(second), secondRange->min, secondRange->max);
        if (!v)
            return failure(QStringLiteral("--second must be %1 to %2, not '%3'")
                               .arg(secondRange->min).arg(secondRange->max).arg(parser.value(second)));
        job.view.second = *v;
    }
    if (row.holdValues) {
        const int asked = job.view.second;
        row.holdValues(job.view.choice, job.view.value, job.view.second);
        if (parser.isSet(second) && job.view.second != asked)
            return failure(QStringLiteral("--second %1 does not fit inside --value %2").arg(asked).arg(job.view.value));
    }
    const int maxStep = row.steps ? row.steps(job.view.value) : 0;
    if (parser.isSet(step) && maxStep == 0)
        return failure(QStringLiteral("--step: only the sectors and the practice pages take steps"));
    const std::optional<int> k = numberIn(parser.value(step), 0, maxStep);
    if (!k)
        return failure(QStringLiteral("--step must be 0 to %1, not '%2'").arg(maxStep).arg(parser.value(step)));
    job.view.step = *k;
    const qsizetype layoutIndex = layoutKeys.indexOf(parser.value(layout));
    if (layoutIndex < 0)
        return failure(QStringLiteral("--layout must be one of %1, not '%2'")
                           .arg(layoutKeys.join(QStringLiteral(", ")), parser.value(layout)));
    if (parser.isSet(layout) && !row.animates)
        return failure(QStringLiteral("--layout: only page 2 lays out sectors"));
    job.view.layout = core::SectorLayouts::kChoices[std::size_t(layoutIndex)].layout;

    job.view.inner = core::PageRenderer::kDesignInner;
    if (parser.isSet(size)) {
        static const QRegularExpression wxh(QRegularExpression::anchoredPattern(QStringLiteral("(\\d{1,5})x(\\d{1,5})")));
        const QRegularExpressionMatch m = wxh.match(parser.value(size));
        const std::optional<int> w = m.hasMatch() ? numberIn(m.captured(1), 1, kMaxSidePx) : std::nullopt;
        const std::optional<int> h = m.hasMatch() ? numberIn(m.captured(2), 1, kMaxSidePx) : std::nullopt;
        if (!w || !h)
            return failure(QStringLiteral("--size must be WxH, each 1 to %1 pixels, not '%2'")
                               .arg(kMaxSidePx).arg(parser.value(size)));
        job.view.inner = core::Size(*w, *h);
    }
    const int heaviest = core::LineWeight::kChoices.back().factor;
    const std::optional<int> factor = numberIn(parser.value(weight), 1, heaviest);
    const std::optional<core::LineWeight> chosen = factor ? core::LineWeight::fromFactor(*factor) : std::nullopt;
    if (!chosen)
        return failure(QStringLiteral("--weight must be 1 to %1, not '%2'").arg(heaviest).arg(parser.value(weight)));
    job.view.weight = *chosen;
    job.view.aids = parser.isSet(aids);
    job.view.realLengths = parser.isSet(cm);
    const std::optional<int> radius = numberIn(parser.value(radiusCm), 1, core::RadiusCm::kChoices.back());
    if (!radius || !core::RadiusCm::offers(*radius)) {
        QStringList offered;
        for (const int choice : core::RadiusCm::kChoices)
            offered << QString::number(choice);
        return failure(QStringLiteral("--radius-cm must be one of %1, not '%2'")
                           .arg(offered.join(QStringLiteral(", ")), parser.value(radiusCm)));
    }
    job.view.radiusCm = *radius;
    job.view.grid = parser.isSet(grid);
    if (job.view.grid && job.view.layout == core::SectorLayout::Triangle)
        return failure(QStringLiteral("--grid: the triangle of rings has no squared paper"));
    if (job.view.grid && !row.circle)
        return failure(QStringLiteral("--grid: page %1 has no circle").arg(job.view.page));
    job.view.squares = parser.isSet(squares);
    if (job.view.squares && !row.boundingSquares)
        return failure(QStringLiteral("--squares: only page 0 has the two squares"));
    if ((parser.isSet(formula) || parser.isSet(diameter)) && !row.animates)
        return failure(QStringLiteral("--formula, --diameter: only page 2 builds the formula"));
    job.view.diameterFormula = parser.isSet(diameter);
    const int lines = int(core::ParallelogramAids::formula(job.view.diameterFormula).size());
    const std::optional<int> formulaLines = numberIn(parser.value(formula), 0, lines);
    if (!formulaLines)
        return failure(QStringLiteral("--formula must be 0 to %1, not '%2'").arg(lines).arg(parser.value(formula)));
    job.view.formulaLines = *formulaLines;
    if ((parser.isSet(counted) || parser.isSet(quarter)) && !job.view.grid)
        return failure(QStringLiteral("--count-step, --quarter: only with --grid"));
    const std::optional<int> paperStep = numberIn(parser.value(counted), core::PageView::PaperAlone, core::PageView::Estimated);
    if (!paperStep)
        return failure(QStringLiteral("--count-step must be 0 to %1, not '%2'").arg(core::PageView::Estimated).arg(parser.value(counted)));
    job.view.paperStep = *paperStep;
    job.view.quarterCount = parser.isSet(quarter);
    if (job.view.realLengths && !core::PageRenderer::showsRealLengths(job.view))
        return failure(job.view.aids ? QStringLiteral("--cm: page %1 has no lengths").arg(job.view.page)
                                     : QStringLiteral("--cm: the lengths in cm are among the aids; add --aids"));
    if (parser.isSet(radiusCm) && !core::PageRenderer::usesRadiusCm(job.view))
        return failure(QStringLiteral("--radius-cm: nothing on the page follows it; add --aids --cm, --grid, "
                                      "or --squares --aids"));
    job.ink = parser.isSet(ink);
    job.follow = parser.value(follow);
    job.broker = parser.value(broker);
    job.name = parser.value(name);
    if (job.follow.isEmpty() != job.broker.isEmpty())
        return failure(QStringLiteral("--follow and --broker go together"));
    job.look = parser.isSet(paper) ? PainterDrawOps::Look::DarkOnWhite : PainterDrawOps::Look::Board;
    return {job, {}, false};
}

CommandLine::Parsed CommandLine::parse(const QList<QByteArray> &arguments)
{
    QStringList decoded;
    for (const QByteArray &argument : arguments) {
        decoded.append(QFile::decodeName(argument));
        // Written under its decoded name, a file would be written under another.
        if (QFile::encodeName(decoded.back()) != argument)
            return failure(QStringLiteral("'%1' is not valid in the locale's encoding").arg(decoded.back()));
    }
    return parse(decoded);
}

int CommandLine::run(int argc, char **argv)
{
    Console::attachToParent();
    // Drawn without a window, so without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The command line speaks in its own lines only; Qt's notes on the
    // environment (a runtime folder, say) would bury them.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    // Qt takes its own options out of argv.
    QGuiApplication app(argc, argv);
    const Parsed parsed = parse(QList<QByteArray>(argv, argv + argc));
    if (!parsed.job) {
        std::fputs(qPrintable(parsed.text + (parsed.failed ? QStringLiteral("\n") : QString())),
                   parsed.failed ? stderr : stdout);
        return parsed.failed ? kBadUsage : 0;
    }
    return exportPage(*parsed.job);
}

int CommandLine::exportPage(const Export &asked)
{
    Export job = asked;
    const auto fail = [&](const QString &why) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(kProgram), qPrintable(why));
        return kBadUsage;
    };
    // Before a large page is drawn for nothing.
    if (const std::optional<QString> refused = SafeWrite::refusal(job.path))
        return fail(QStringLiteral("cannot write %1: %2").arg(job.path, *refused));
    std::vector<core::Stroke> ink;
    if (job.ink) {
        core::InkFile::Read saved = InkStore(InkStore::defaultFolder(), core::PageTable::count()).loadLast();
        if (saved.problem != core::InkFile::Problem::None)
            return fail(QStringLiteral("--ink: ") + QString::fromStdString(core::InkFile::englishMessage(saved.problem)));
        ink = std::move(saved.board.at(std::size_t(job.view.page)));
    }
    if (!job.follow.isEmpty()) {
        ClassSnapshot::Taken taken = ClassSnapshot::take(job.follow, job.broker, job.name, job.view.inner);
        if (!taken.problem.isEmpty())
            return fail(QStringLiteral("--follow: ") + taken.problem);
        job.view = taken.view;
        ink = std::move(taken.ink);
    }
    SheetRenderer::Sheet sheet{job.view, {}};
    for (const core::Stroke &s : ink)
        sheet.ink.push_back(&s);
    std::optional<QString> problem;
    if (PageExport::formatOf(job.path) == PageExport::Format::Pdf)
        problem = PageExport::writePdf(job.path, PageExport::pictureLayout(Convert::toQt(job.view.inner)), {sheet},
                                       job.look);
    else if (job.look == PainterDrawOps::Look::Board)
        problem = PageExport::writeImage(job.path, PageExport::image(job.view, ink));
    else
        problem = PageExport::writeImage(job.path, PageExport::sheetImage(sheet, job.look));
    if (problem)
        return fail(QStringLiteral("cannot write %1: %2").arg(job.path, *problem));
    return 0;
}
