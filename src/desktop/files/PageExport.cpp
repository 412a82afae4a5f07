#include "PageExport.h"

#include "Convert.h"
#include "InkLayer.h"
#include "InkView.h"
#include "PageImage.h"
#include "PageRenderer.h"
#include "SafeWrite.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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

std::optional<QString> PageExport::writeImage(const QString &path, const QImage &image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, "png");
    writer.setQuality(kPngQuality);
    // A failing disk is the file's to explain.
    if (!writer.write(image) && file.error() == QFileDevice::NoError) {
        file.cancelWriting();
        return writer.errorString();
    }
    return SafeWrite::commit(file);
}

std::optional<QString> PageExport::writePdf(const QString &path, const QPageLayout &layout,
                                            const std::vector<SheetRenderer::Sheet> &sheets, PainterDrawOps::Look look)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Tamsel"));
        pdf.setPageLayout(layout);
        if (!SheetRenderer::print(pdf, sheets, look) && file.error() == QFileDevice::NoError) {
            file.cancelWriting();
            return QStringLiteral("the PDF could not be drawn");
        }
    }
    return SafeWrite::commit(file);
}
