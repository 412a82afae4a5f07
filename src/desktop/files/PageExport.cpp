#include "PageExport.h"

#include "Convert.h"
#include "InkLayer.h"
#include "InkView.h"
#include "PageImage.h"
#include "PageRenderer.h"
#include "SafeWrite.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr qreal kScreenDpi = 96;
constexpr qreal kPointsPerInch = 72;
constexpr qreal kSheetMarginMm = 10;
// Quick to write: a board is mostly one colour, which packs well at any level.
constexpr int kPngQuality = 80;

} // namespace

std::optional<PageExport::Format> PageExport::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return std::nullopt;
}

QImage PageExport::image(const core::PageView &view, const std::vector<core::Stroke> &ink)
{
    QImage picture = PageImage::render(view);
    if (ink.empty())
        return picture;
    core::InkLayer layer;
    layer.setFrame(core::PageRenderer::inkFrame(view.page, float(view.inner.width()), float(view.inner.height())));
    layer.resize(view.inner, 1);
    layer.setEdged(view.weight.factor() > 1);
    layer.canvas().setGround(core::PageRenderer::inkGround(view, {}));
    layer.restore(ink);
    QPainter painter(&picture);
    InkView::paint(painter, layer.canvas(), QRect(QPoint(), Convert::toQt(view.inner)));
    return picture;
}

QImage PageExport::sheetImage(const SheetRenderer::Sheet &sheet, PainterDrawOps::Look look)
{
    QImage picture(Convert::toQt(sheet.view.inner), QImage::Format_RGB32);
    QPainter painter(&picture);
    SheetRenderer::paintSheet(painter, picture.rect(), sheet, look);
    return picture;
}

QPageLayout PageExport::pictureLayout(const QSize &inner)
{
    const QSizeF points = QSizeF(inner) * (kPointsPerInch / kScreenDpi);
    return QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                       QMarginsF());
}

QPageLayout PageExport::a4Landscape()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                       QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm),
                       QPageLayout::Millimeter);
}

// Made whole in memory first: a failing disk then fails one write, with its
// reason, not the encoder halfway through (libpng would print its own line).
std::optional<QString> PageExport::writeImage(const QString &path, const QImage &image)
{
    if (const std::optional<QString> refused = SafeWrite::refusal(path))
        return refused;
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, "png");
    writer.setQuality(kPngQuality);
    if (!writer.write(image))
        return writer.errorString();
    return SafeWrite::bytes(path, encoded.data());
}

std::optional<QString> PageExport::writePdf(const QString &path, const QPageLayout &layout,
                                            const std::function<bool(QPagedPaintDevice &)> &draw)
{
    if (const std::optional<QString> refused = SafeWrite::refusal(path))
        return refused;
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&encoded);
        pdf.setCreator(QStringLiteral("Tamsel"));
        pdf.setPageLayout(layout);
        if (!draw(pdf))
            return QStringLiteral("the PDF could not be drawn");
    }
    return SafeWrite::bytes(path, encoded.data());
}

std::optional<QString> PageExport::writePdf(const QString &path, const QPageLayout &layout,
                                            const std::vector<SheetRenderer::Sheet> &sheets, PainterDrawOps::Look look)
{
    return writePdf(path, layout, [&](QPagedPaintDevice &pdf) { return SheetRenderer::print(pdf, sheets, look); });
}
