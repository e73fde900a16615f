#include "PdfOutput.h"

#include "DbError.h"
#include "PagePainter.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr int PdfResolution = 1200; // dots per inch of the PDF's user space: 0.02 mm steps
}

PdfOutput::PdfOutput(const QString& path, QPointF offsetMm) : path_(path), offsetMm_(offsetMm) {
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        throw DbError(QStringLiteral("无法写入 PDF 文件“%1”：%2")
                          .arg(QDir::toNativeSeparators(path), probe.errorString()));
    probe.close();
    writer_ = std::make_unique<QPdfWriter>(path);
    writer_->setResolution(PdfResolution);
    writer_->setCreator(QStringLiteral("fapiao"));
    writer_->setTitle(QStringLiteral("发票"));
}

PdfOutput::~PdfOutput() {
    finish();
}

void PdfOutput::addPage(const RenderedPage& page) {
    writer_->setPageLayout(PagePainter::pageLayout(page));
    if (!started_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(writer_.get()))
            throw DbError(
                QStringLiteral("无法写入 PDF 文件“%1”。").arg(QDir::toNativeSeparators(path_)));
        started_ = true;
    } else {
        writer_->newPage();
    }
    PagePainter::paint(*painter_, page, offsetMm_);
}

void PdfOutput::addPages(const QList<RenderedPage>& pages) {
    for (const RenderedPage& page : pages)
        addPage(page);
}

void PdfOutput::finish() {
    if (painter_ && painter_->isActive())
        painter_->end();
}

void PdfOutput::write(const QList<RenderedPage>& pages, const QString& path, QPointF offsetMm) {
    PdfOutput pdf(path, offsetMm);
    pdf.addPages(pages);
    pdf.finish();
}
