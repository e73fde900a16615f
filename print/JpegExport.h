#pragma once

#include "RenderedPage.h"

#include <QStringList>

// One JPEG picture per page at the given resolution on white. A single page is written to
// `path`; several pages to "<name>_1.jpg", "<name>_2.jpg" ... beside it. Returns the files
// written; throws DbError naming a file that cannot be written.
class JpegExport {
public:
    static QStringList write(const QList<RenderedPage>& pages, const QString& path, int dpi = 200,
                             int quality = 90);
    static QImage pageImage(const RenderedPage& page, int dpi);
};
