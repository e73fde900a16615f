#pragma once

#include "RenderedPage.h"

#include <QString>

// An Excel workbook (.xlsx) of the pages' texts: every text goes into the cell of a grid whose
// column and row edges are the texts' own edges, so each text sits where its position puts it,
// with its font and alignment; column widths and row heights follow the millimetres. Pages follow
// each other down one sheet with a page break before each new page. Lines, rectangles and
// pictures are left out. Throws DbError naming the file when it cannot be written.
class XlsxExport {
public:
    static void write(const QList<RenderedPage>& pages, const QString& path);
};
