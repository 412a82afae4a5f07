#pragma once

#include "SheetRenderer.h"

#include <QDateTime>
#include <QImage>
#include <QObject>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class Tamsel;

// The page menu's ways out of the window: the page in view as an image, pages on
// paper or in a PDF, and the circle of page 2 to cut out. The dialogs are here;
// the drawing is SheetRenderer's, CutOutSheet's and PageRenderer's.
class BoardOutput : public QObject
{
    Q_OBJECT
public:
    explicit BoardOutput(Tamsel &window);

    // The page in view as the screen shows it, ink included, at the screen's resolution.
    QImage pageImage() const;
    // The page's name and the time, as 円→平行四辺形_2026-12-07_1030.png.
    static QString fileName(int page, const QDateTime &at, const QString &suffix);

    void saveImage();
    void print();
    void savePdf();
    void printCutOut();

private:
    std::vector<SheetRenderer::Sheet> sheets(int first, int last) const;
    // Without a window manager nobody gives the keyboard back when a dialog
    // closes; F2 or a clicker's Page Down would go nowhere.
    void takeKeyboardBack();
    QString askForFile(const QString &title, const QString &folder, const QString &suffix, const QString &filter);
    void warn(const QString &title, const QString &what, const QString &why);
    // A print to a PDF file goes through PageExport, whole or not at all;
    // false when the printer prints on paper.
    bool printsToFile(const QPrinter &printer, const QString &title, const std::function<bool(QPagedPaintDevice &)> &draw);

    Tamsel &m_window;
};
