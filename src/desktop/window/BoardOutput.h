#pragma once

#include "SheetRenderer.h"

#include "Lesson.h"

#include <QDateTime>
#include <QImage>
#include <QObject>

#include <functional>

class QPagedPaintDevice;
class QPrinter;

// The ways out of the window: the page in view as an image, pages on paper or
// in a PDF, and the circle of page 2 to cut out. The dialogs are here; the
// drawing is SheetRenderer's, CutOutSheet's and PageRenderer's.
class BoardOutput : public QObject
{
    Q_OBJECT
public:
    // What the window shows: the page in view as the screen shows it, ink
    // included, at the screen's resolution; and what a page shows at the window's size.
    struct Pages
    {
        std::function<QImage()> image;
        std::function<core::PageView(int page)> view;
    };
    BoardOutput(QWidget &window, core::Lesson &lesson, Pages pages);

    QImage pageImage() const { return m_pages.image(); }
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

    QWidget &m_window;
    core::Lesson &m_lesson;
    Pages m_pages;
};
