#include "JpegExport.h"

#include "DbError.h"
#include "PagePainter.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

namespace {

QString pagePath(const QString& path, int page, int pageCount) {
    if (pageCount == 1)
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("jpg") : info.suffix();
    return info.dir().filePath(
        QStringLiteral("%1_%2.%3").arg(info.completeBaseName()).arg(page).arg(suffix));
}

} // namespace

QImage JpegExport::pageImage(const RenderedPage& page, int dpi) {
    const double pxPerMm = dpi / 25.4;
    QImage image(qRound(page.paperMm.width() * pxPerMm), qRound(page.paperMm.height() * pxPerMm),
                 QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter::paint(painter, page);
    return image;
}

QStringList JpegExport::write(const QList<RenderedPage>& pages, const QString& path, int dpi,
                              int quality) {
    QStringList written;
    for (int i = 0; i < pages.size(); ++i) {
        const QString file = pagePath(path, i + 1, pages.size());
        QImageWriter writer(file, "jpeg");
        writer.setQuality(quality);
        if (!writer.write(pageImage(pages.at(i), dpi)))
            throw DbError(QStringLiteral("无法写入图片文件“%1”：%2")
                              .arg(QDir::toNativeSeparators(file), writer.errorString()));
        written << file;
    }
    return written;
}
