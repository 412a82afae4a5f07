#include "BoardOutput.h"

#include "CutOutSheet.h"
#include "PageExport.h"
#include "PageMenu.h"
#include "PictureBox.h"
#include "Scriba.h"
#include "ScrollBar.h"
#include "SheetChoices.h"
#include "TabControl.h"
#include "Tamsel.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {

const QString kPageNames[Tamsel::kPageCount] = {QStringLiteral("正多角形"), QStringLiteral("円弧"),
                                                QStringLiteral("円→平行四辺形"), QStringLiteral("白紙")};
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

BoardOutput::BoardOutput(Tamsel &window) : QObject(&window), m_window(window)
{
    const PageMenu *menu = window.pageMenu();
    connect(menu, &PageMenu::saveImageRequested, this, &BoardOutput::saveImage);
    connect(menu, &PageMenu::printRequested, this, &BoardOutput::print);
    connect(menu, &PageMenu::savePdfRequested, this, &BoardOutput::savePdf);
    connect(menu, &PageMenu::printCutOutRequested, this, &BoardOutput::printCutOut);
}

QString BoardOutput::fileName(int page, const QDateTime &at, const QString &suffix)
{
    return kPageNames[page] + at.toString(QStringLiteral("_yyyy-MM-dd_HHmm.")) + suffix;
}

QImage BoardOutput::pageImage() const
{
    const int page = m_window.MainTab->Tab();
    const PictureBox *pictures[Tamsel::kPageCount] = {m_window.PolyPic, m_window.CirPic, m_window.ccPic, m_window.WhPic};
    const PictureBox *picture = pictures[page];
    Scriba *overlay = m_window.Scriba[page];
    PageView view = m_window.pageView(page);
    view.inner = picture->contentsRect().size();
    QImage image = PageRenderer::image(view, picture->devicePixelRatioF());
    // The overlay lies over the picture's inner area, a little inset.
    QPainter painter(&image);
    painter.translate(overlay->pos() - picture->pos() - picture->contentsRect().topLeft());
    overlay->ink().paint(painter, overlay->rect());
    return image;
}

QString BoardOutput::askForFile(const QString &title, const QString &folder, const QString &suffix,
                                const QString &filter)
{
    QFileDialog dialog(&m_window, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(fileName(m_window.MainTab->Tab(), QDateTime::currentDateTime(), suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void BoardOutput::warn(const QString &title, const QString &what, const QString &why)
{
    QMessageBox::warning(&m_window, title, what + QStringLiteral("\n") + why);
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
    std::vector<SheetRenderer::Sheet> out;
    for (int page = first; page <= last; ++page)
        out.push_back({m_window.pageView(page), m_window.Scriba[page]->ink().strokes()});
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
    dialog.setMinMax(1, Tamsel::kPageCount);
    auto *choices = new SheetChoices(false);
    dialog.setOptionTabs({choices});
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int current = m_window.MainTab->Tab();
    int first = current, last = current;
    if (printer.printRange() == QPrinter::AllPages) {
        first = 0;
        last = Tamsel::kPageCount - 1;
    } else if (printer.printRange() == QPrinter::PageRange) {
        first = std::clamp(printer.fromPage(), 1, Tamsel::kPageCount) - 1;
        last = std::clamp(printer.toPage(), first + 1, Tamsel::kPageCount) - 1;
    }
    if (!SheetRenderer::print(printer, sheets(first, last), choices->choice().look))
        warn(kPrintTitle, QStringLiteral("印刷できませんでした。"), printer.printerName());
}

void BoardOutput::savePdf()
{
    const std::optional<SheetChoices::Choice> choice = SheetChoices::ask(&m_window, kPdfTitle);
    if (!choice)
        return;
    const QString path = askForFile(kPdfTitle, folderFor(QStandardPaths::DocumentsLocation), QStringLiteral("pdf"),
                                    QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const int current = m_window.MainTab->Tab();
    const auto pages = choice->allPages ? sheets(0, Tamsel::kPageCount - 1) : sheets(current, current);
    if (const std::optional<QString> problem = PageExport::writePdf(path, PageExport::a4Landscape(), pages, choice->look))
        warn(kPdfTitle, QStringLiteral("PDF を保存できませんでした: %1").arg(path), *problem);
}

void BoardOutput::printCutOut()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageExport::a4Landscape());
    QPrintDialog dialog(&printer, &m_window);
    dialog.setWindowTitle(kCutOutTitle);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!CutOutSheet::print(printer, m_window.ccScroll->value(), m_window.lineWeight()))
        warn(kCutOutTitle, QStringLiteral("印刷できませんでした。"), printer.printerName());
}
