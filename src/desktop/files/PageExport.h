#pragma once

#include "SheetRenderer.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;

// Pages into files, each written through SafeWrite so that a failure leaves no
// file behind: a PNG of the picture as the screen shows it, or a PDF with the
// figure and ink as vectors.
class PageExport
{
public:
    enum class Format { Png, Pdf };
    // By the file name's extension, in any case.
    static std::optional<Format> formatOf(const QString &path);

    // The picture's inner area with the ink over it, as a window of that size shows it.
    static QImage image(const core::PageView &view, const std::vector<core::Stroke> &ink);
    // The sheet as it prints, on an image the picture's size.
    static QImage sheetImage(const SheetRenderer::Sheet &sheet, PainterDrawOps::Look look);
    // A PDF page the picture's size, at the screen's 96 pixels to the inch.
    static QPageLayout pictureLayout(const QSize &inner);
    static QPageLayout a4Landscape();

    // The reason, when the file could not be written.
    static std::optional<QString> writeImage(const QString &path, const QImage &image);
    static std::optional<QString> writePdf(const QString &path, const QPageLayout &layout,
                                           const std::vector<SheetRenderer::Sheet> &sheets, PainterDrawOps::Look look);
    // Whatever `draw` puts on the PDF's pages; false from it means it could not.
    static std::optional<QString> writePdf(const QString &path, const QPageLayout &layout,
                                           const std::function<bool(QPagedPaintDevice &)> &draw);
};
