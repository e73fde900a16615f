#include "XlsxExport.h"

#include "DbError.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <map>
#include <set>
#include <vector>
#include <xlsxwriter.h>

namespace {

// Edges are compared in tenths of a millimetre, so texts on one row share one row.
int tenths(double mm) {
    return qRound(mm * 10);
}

// Edges closer than a millimetre share one grid line, so no sliver columns or rows appear.
constexpr int MinimumCellTenths = 10;

std::vector<int> gridEdges(QSet<int> edges) {
    std::vector<int> sorted(edges.begin(), edges.end());
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> grid;
    for (int edge : sorted)
        if (grid.empty() || edge - grid.back() >= MinimumCellTenths)
            grid.push_back(edge);
    return grid;
}

// Index of the grid line nearest to an edge.
int indexOf(const std::vector<int>& grid, int edge) {
    const auto after = std::lower_bound(grid.begin(), grid.end(), edge);
    if (after == grid.begin())
        return 0;
    if (after == grid.end() || edge - *(after - 1) < *after - edge)
        return int(after - grid.begin()) - 1;
    return int(after - grid.begin());
}

const RenderedText* textOf(const RenderedItem& item) {
    const RenderedText* t = std::get_if<RenderedText>(&item);
    return (t && !t->text.isEmpty()) ? t : nullptr;
}

// Excel measures column widths in characters of its default font (about 7 px at 96 dpi plus
// 5 px padding) and row heights in points.
double columnWidthChars(double mm) {
    const double px = mm * 96 / 25.4;
    return std::max(0.1, (px - 5) / 7);
}

double rowHeightPt(double mm) {
    return mm * 72 / 25.4;
}

class Workbook {
public:
    explicit Workbook(const QString& path) : path_(path) {
        book_ = workbook_new(QDir::toNativeSeparators(path).toUtf8().constData());
        if (!book_)
            fail(QStringLiteral("无法创建文件"));
        sheet_ = workbook_add_worksheet(book_, "发票");
    }
    ~Workbook() {
        if (book_)
            workbook_close(book_);
    }

    void write(const QList<RenderedPage>& pages) {
        QSet<int> xEdges{0};
        for (const RenderedPage& page : pages)
            for (const RenderedItem& item : page.items)
                if (const RenderedText* t = textOf(item))
                    xEdges << tenths(t->rectMm.left()) << tenths(t->rectMm.right());
        columns_ = gridEdges(xEdges);
        for (size_t c = 0; c + 1 < columns_.size(); ++c)
            worksheet_set_column(sheet_, lxw_col_t(c), lxw_col_t(c),
                                 columnWidthChars((columns_[c + 1] - columns_[c]) / 10.0), nullptr);
        int firstRow = 0;
        for (const RenderedPage& page : pages) {
            if (firstRow > 0)
                pageBreaks_.push_back(lxw_row_t(firstRow));
            firstRow = writePage(page, firstRow);
        }
        if (!pageBreaks_.empty()) {
            pageBreaks_.push_back(0);
            worksheet_set_h_pagebreaks(sheet_, pageBreaks_.data());
        }
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR)
            fail(QString::fromUtf8(lxw_strerror(error)));
    }

private:
    [[noreturn]] void fail(const QString& reason) {
        throw DbError(QStringLiteral("无法写入 Excel 文件“%1”：%2")
                          .arg(QDir::toNativeSeparators(path_), reason));
    }

    // Writes one page from row firstRow on; returns the row after it.
    int writePage(const RenderedPage& page, int firstRow) {
        QSet<int> yEdges{0, tenths(page.paperMm.height())};
        for (const RenderedItem& item : page.items)
            if (const RenderedText* t = textOf(item))
                yEdges << tenths(t->rectMm.top()) << tenths(t->rectMm.bottom());
        const std::vector<int> rows = gridEdges(yEdges);
        for (size_t r = 0; r + 1 < rows.size(); ++r)
            worksheet_set_row(sheet_, lxw_row_t(firstRow + r),
                              rowHeightPt((rows[r + 1] - rows[r]) / 10.0), nullptr);
        std::set<std::pair<int, int>> used;
        for (const RenderedItem& item : page.items)
            if (const RenderedText* t = textOf(item))
                writeText(*t, rows, firstRow, used);
        return firstRow + int(rows.size()) - 1;
    }

    void writeText(const RenderedText& t, const std::vector<int>& rows, int firstRow,
                   std::set<std::pair<int, int>>& used) {
        const int r1 = firstRow + indexOf(rows, tenths(t.rectMm.top()));
        const int c1 = indexOf(columns_, tenths(t.rectMm.left()));
        const int r2 = std::max(r1, firstRow + indexOf(rows, tenths(t.rectMm.bottom())) - 1);
        const int c2 = std::max(c1, indexOf(columns_, tenths(t.rectMm.right())) - 1);
        const QByteArray text = t.text.toUtf8();
        lxw_format* format = formatOf(t);
        bool free = true;
        for (int r = r1; r <= r2 && free; ++r)
            for (int c = c1; c <= c2 && free; ++c)
                free = !used.count({r, c});
        if (!free) // overlapping texts: the later one goes into its first cell only
            worksheet_write_string(sheet_, r1, c1, text.constData(), format);
        else if (r1 == r2 && c1 == c2)
            worksheet_write_string(sheet_, r1, c1, text.constData(), format);
        else
            worksheet_merge_range(sheet_, r1, c1, r2, c2, text.constData(), format);
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                used.insert({r, c});
    }

    lxw_format* formatOf(const RenderedText& t) {
        const QString key = QStringLiteral("%1|%2|%3%4%5|%6|%7|%8")
                                .arg(t.fontFamily)
                                .arg(t.fontSizePt)
                                .arg(t.bold)
                                .arg(t.italic)
                                .arg(t.underline)
                                .arg(t.color.rgb())
                                .arg(t.alignment)
                                .arg(t.wordWrap);
        auto it = formats_.find(key);
        if (it != formats_.end())
            return it->second;
        lxw_format* f = workbook_add_format(book_);
        format_set_font_name(f, t.fontFamily.toUtf8().constData());
        format_set_font_size(f, t.fontSizePt);
        if (t.bold)
            format_set_bold(f);
        if (t.italic)
            format_set_italic(f);
        if (t.underline)
            format_set_underline(f, LXW_UNDERLINE_SINGLE);
        format_set_font_color(f, lxw_color_t(t.color.rgb() & 0xFFFFFF));
        format_set_align(f, (t.alignment & Qt::AlignRight)     ? LXW_ALIGN_RIGHT
                            : (t.alignment & Qt::AlignHCenter) ? LXW_ALIGN_CENTER
                                                               : LXW_ALIGN_LEFT);
        format_set_align(f, (t.alignment & Qt::AlignTop)      ? LXW_ALIGN_VERTICAL_TOP
                            : (t.alignment & Qt::AlignBottom) ? LXW_ALIGN_VERTICAL_BOTTOM
                                                              : LXW_ALIGN_VERTICAL_CENTER);
        if (t.wordWrap || t.text.contains(u'\n'))
            format_set_text_wrap(f);
        formats_.emplace(key, f);
        return f;
    }

    QString path_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::vector<int> columns_;
    std::vector<lxw_row_t> pageBreaks_;
    std::map<QString, lxw_format*> formats_;
};

} // namespace

void XlsxExport::write(const QList<RenderedPage>& pages, const QString& path) {
    Workbook(path).write(pages);
}
