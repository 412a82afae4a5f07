#include "BoardOutput.h"

#include "CutOutSheet.h"
#include "PageExport.h"
#include "SheetChoices.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString kImageTitle = QStringLiteral("画像として保存");
const QString kPrintTitle = QStringLiteral("印刷");
const QString kPdfTitle = QStringLiteral("PDFとして保存");
const QString kCutOutTitle = QStringLiteral("切り取り用の円を印刷");

// The user's folder for such files, made if it is missing, else home.
QString folderFor(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return !folder.isEmpty() && QDir().mkpath(folder) ? folder : QDir::homePath();
}

} // namespace

BoardOutput::BoardOutput(QWidget &window, core::Lesson &lesson, Pages pages)
    : QObject(&window), m_window(window), m_lesson(lesson), m_pages(std::move(pages))
{
}

QString BoardOutput::fileName(int page, const QDateTime &at, const QString &suffix)
{
    return QString::fromUtf8(core::PageTable::rows().at(std::size_t(page)).caption) +
           at.toString(QStringLiteral("_yyyy-MM-dd_HHmm.")) + suffix;
}

void BoardOutput::takeKeyboardBack()
{
    QTimer::singleShot(0, &m_window, [window = &m_window] {
        window->activateWindow();
        window->setFocus(Qt::OtherFocusReason);
    });
}

QString BoardOutput::askForFile(const QString &title, const QString &folder, const QString &suffix,
                                const QString &filter)
{
    QFileDialog dialog(&m_window, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(fileName(m_lesson.page(), QDateTime::currentDateTime(), suffix));
    const int answer = dialog.exec();
    takeKeyboardBack();
    if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void BoardOutput::warn(const QString &title, const QString &what, const QString &why)
{
    QMessageBox::warning(&m_window, title, what + QStringLiteral("\n") + why);
    takeKeyboardBack();
}

void BoardOutput::saveImage()
{
    // What the screen shows now, before a dialog covers it.
    const QImage image = pageImage();
    const QString path = askForFile(kImageTitle, folderFor(QStandardPaths::PicturesLocation),
                                    QStringLiteral("png"), QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty())
        return;
    if (const std::optional<QString> problem = PageExport::writeImage(path, image))
        warn(kImageTitle, QStringLiteral("画像を保存できませんでした: %1").arg(path), *problem);
}

std::vector<SheetRenderer::Sheet> BoardOutput::sheets(int first, int last) const
{
    // Pages taken off the tabs are not the lesson's: they are not printed.
    std::vector<SheetRenderer::Sheet> out;
    for (int page = first; page <= last; ++page)
        if (m_lesson.shown(page) || first == last)
            out.push_back({m_pages.view(page), m_lesson.ink(page).strokes()});
    return out;
}

void BoardOutput::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageExport::a4Landscape());
    printer.setPrintRange(QPrinter::CurrentPage);
    QPrintDialog dialog(&printer, &m_window);
    dialog.setWindowTitle(kPrintTitle);
    dialog.setOptions(QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintToFile);
    const int pages = m_lesson.pageCount();
    dialog.setMinMax(1, pages);
    auto *choices = new SheetChoices;
    dialog.setOptionTabs({choices});
    const int answer = dialog.exec();
    takeKeyboardBack();
    if (answer != QDialog::Accepted)
        return;
    const int current = m_lesson.page();
    int first = current, last = current;
    if (printer.printRange() == QPrinter::AllPages) {
        first = 0;
        last = pages - 1;
    } else if (printer.printRange() == QPrinter::PageRange) {
        first = std::clamp(printer.fromPage(), 1, pages) - 1;
        last = std::clamp(printer.toPage(), first + 1, pages) - 1;
    }
    const std::vector<SheetRenderer::Sheet> chosen = sheets(first, last);
    const PainterDrawOps::Look look = choices->choice().look;
    const auto draw = [&](QPagedPaintDevice &device) { return SheetRenderer::print(device, chosen, look); };
    if (!printsToFile(printer, kPrintTitle, draw) && !draw(printer))
        warn(kPrintTitle, QStringLiteral("印刷できませんでした。"), printer.printerName());
}

void BoardOutput::savePdf()
{
    int shown = 0;
    for (int page = 0; page < m_lesson.pageCount(); ++page)
        shown += m_lesson.shown(page) ? 1 : 0;
    const std::optional<SheetChoices::Choice> choice = SheetChoices::ask(&m_window, kPdfTitle, shown);
    takeKeyboardBack();
    if (!choice)
        return;
    const QString path = askForFile(kPdfTitle, folderFor(QStandardPaths::DocumentsLocation), QStringLiteral("pdf"),
                                    QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const int current = m_lesson.page();
    const auto pages = choice->allPages ? sheets(0, m_lesson.pageCount() - 1) : sheets(current, current);
    if (const std::optional<QString> problem = PageExport::writePdf(path, PageExport::a4Landscape(), pages, choice->look))
        warn(kPdfTitle, QStringLiteral("PDF を保存できませんでした: %1").arg(path), *problem);
}

// Qt's own PDF file would be cut short on a nearly full disk, over the old one.
bool BoardOutput::printsToFile(const QPrinter &printer, const QString &title,
                               const std::function<bool(QPagedPaintDevice &)> &draw)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return false;
    const QString path = printer.outputFileName();
    if (const std::optional<QString> problem = PageExport::writePdf(path, printer.pageLayout(), draw))
        warn(title, QStringLiteral("PDF を保存できませんでした: %1").arg(path), *problem);
    return true;
}

void BoardOutput::printCutOut()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageExport::a4Landscape());
    QPrintDialog dialog(&printer, &m_window);
    dialog.setWindowTitle(kCutOutTitle);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    const int answer = dialog.exec();
    takeKeyboardBack();
    if (answer != QDialog::Accepted)
        return;
    const core::Lesson &lesson = m_lesson;
    const auto cutOut = [half = lesson.value(lesson.animatedPage()), weight = lesson.weight()](QPagedPaintDevice &device) {
        return CutOutSheet::print(device, half, weight);
    };
    if (!printsToFile(printer, kCutOutTitle, cutOut) && !cutOut(printer))
        warn(kCutOutTitle, QStringLiteral("印刷できませんでした。"), printer.printerName());
}
