#pragma once

#include "RenderedPage.h"

#include <QPointF>
#include <QString>
#include <memory>

class QPainter;
class QPdfWriter;

// A PDF file written page by page: real text with the fonts embedded (searchable), each page
// the size of its paper, no margins. Throws DbError naming the file when it cannot be written.
class PdfOutput {
public:
    explicit PdfOutput(const QString& path, QPointF offsetMm = {});
    ~PdfOutput();

    void addPage(const RenderedPage& page);
    void addPages(const QList<RenderedPage>& pages);
    // Finishes the file; also done by the destructor.
    void finish();

    static void write(const QList<RenderedPage>& pages, const QString& path, QPointF offsetMm = {});

private:
    QString path_;
    QPointF offsetMm_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    bool started_ = false;
};
