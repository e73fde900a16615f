#include "ReportPreview.h"
#include "NamedAction.h"

#include "JpegExport.h"
#include "PagePainter.h"
#include "PdfOutput.h"
#include "PreviewPageView.h"
#include "PrinterOffsetDialog.h"
#include "PrinterOutput.h"
#include "ReportRenderer.h"
#include "XlsxExport.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QList<double> ZoomSteps = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

} // namespace

ReportPreview::ReportPreview(const ReportLayout& filled, PrinterOffsets offsets, QWidget* parent)
    : QDialog(parent), layout_(filled), offsets_(offsets), printer_(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("打印预览"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1000, 720);

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PreviewPageView(scroll_);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildToolBar();
    layout->addWidget(scroll_, 1);

    rerender();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::buildToolBar() {
    auto* bar = new QToolBar(this);
    layout()->addWidget(bar);
    QAction* print = addNamed(bar, QStringLiteral("printAction"), QStringLiteral("打印(&P)..."),
                              QKeySequence::Print);
    connect(print, &QAction::triggered, this, &ReportPreview::choosePrinterAndPrint);
    connect(addNamed(bar, QStringLiteral("pageSetupAction"), QStringLiteral("页面设置(&S)...")),
            &QAction::triggered, this, &ReportPreview::choosePageSetup);
    connect(addNamed(bar, QStringLiteral("offsetAction"), QStringLiteral("打印偏移(&O)...")),
            &QAction::triggered, this, &ReportPreview::editOffsets);
    bar->addSeparator();
    connect(addNamed(bar, QStringLiteral("exportPdfAction"), QStringLiteral("导出PDF...")),
            &QAction::triggered, this, [this] {
                chooseFileAndExport(QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("pdf"),
                                    [this](const QString& path) { exportPdf(path); });
            });
    connect(addNamed(bar, QStringLiteral("exportJpegAction"), QStringLiteral("导出JPEG...")),
            &QAction::triggered, this, [this] {
                chooseFileAndExport(QStringLiteral("JPEG 图片 (*.jpg)"), QStringLiteral("jpg"),
                                    [this](const QString& path) { exportJpeg(path); });
            });
    connect(addNamed(bar, QStringLiteral("exportXlsxAction"), QStringLiteral("导出Excel...")),
            &QAction::triggered, this, [this] {
                chooseFileAndExport(QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("xlsx"),
                                    [this](const QString& path) { exportXlsx(path); });
            });
    bar->addSeparator();
    connect(addNamed(bar, QStringLiteral("firstPageAction"), QStringLiteral("首页"),
                     QKeySequence(Qt::CTRL | Qt::Key_Home)),
            &QAction::triggered, this, [this] { showPage(0); });
    connect(addNamed(bar, QStringLiteral("previousPageAction"), QStringLiteral("上一页"),
                     QKeySequence(Qt::Key_PageUp)),
            &QAction::triggered, this, [this] { showPage(current_ - 1); });
    pageBox_ = new QSpinBox(bar);
    pageBox_->setObjectName(QStringLiteral("pageBox"));
    bar->addWidget(pageBox_);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    pageCount_ = new QLabel(bar);
    bar->addWidget(pageCount_);
    connect(addNamed(bar, QStringLiteral("nextPageAction"), QStringLiteral("下一页"),
                     QKeySequence(Qt::Key_PageDown)),
            &QAction::triggered, this, [this] { showPage(current_ + 1); });
    connect(addNamed(bar, QStringLiteral("lastPageAction"), QStringLiteral("末页"),
                     QKeySequence(Qt::CTRL | Qt::Key_End)),
            &QAction::triggered, this, [this] { showPage(int(pages_.size()) - 1); });
    bar->addSeparator();
    connect(addNamed(bar, QStringLiteral("zoomOutAction"), QStringLiteral("缩小"),
                     QKeySequence::ZoomOut),
            &QAction::triggered, this, &ReportPreview::zoomOut);
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->addItem(QStringLiteral("页宽"));
    zoomBox_->addItem(QStringLiteral("整页"));
    for (double step : ZoomSteps)
        zoomBox_->addItem(QStringLiteral("%1%").arg(qRound(step * 100)), step);
    bar->addWidget(zoomBox_);
    connect(zoomBox_, &QComboBox::activated, this, [this](int index) {
        if (index == 0)
            setZoomMode(ZoomMode::FitWidth);
        else if (index == 1)
            setZoomMode(ZoomMode::FitPage);
        else
            setZoom(zoomBox_->itemData(index).toDouble());
    });
    connect(
        addNamed(bar, QStringLiteral("zoomInAction"), QStringLiteral("放大"), QKeySequence::ZoomIn),
        &QAction::triggered, this, &ReportPreview::zoomIn);
    bar->addSeparator();
    connect(addNamed(bar, QStringLiteral("closeAction"), QStringLiteral("关闭(&C)")),
            &QAction::triggered, this, &QDialog::reject);
}

void ReportPreview::rerender() {
    pages_ = ReportRenderer::render(layout_, ReportRenderer::Target::Paper);
    screenPages_ = ReportRenderer::render(layout_, ReportRenderer::Target::Screen);
    showPage(std::clamp(current_, 0, std::max(0, int(pages_.size()) - 1)));
}

void ReportPreview::showPage(int index) {
    if (pages_.isEmpty() || index < 0 || index >= pages_.size())
        return;
    current_ = index;
    view_->setPage(screenPages_.at(index));
    refitZoom();
    updateControls();
}

double ReportPreview::zoom() const {
    return view_->zoom();
}

void ReportPreview::setZoomMode(ZoomMode mode) {
    zoomMode_ = mode;
    refitZoom();
    updateControls();
}

void ReportPreview::setZoom(double zoom) {
    zoomMode_ = ZoomMode::Fixed;
    view_->setZoom(std::clamp(zoom, ZoomSteps.first(), ZoomSteps.last()));
    updateControls();
}

void ReportPreview::zoomIn() {
    for (double step : ZoomSteps)
        if (step > zoom() + 1e-6)
            return setZoom(step);
}

void ReportPreview::zoomOut() {
    for (auto it = ZoomSteps.rbegin(); it != ZoomSteps.rend(); ++it)
        if (*it < zoom() - 1e-6)
            return setZoom(*it);
}

void ReportPreview::refitZoom() {
    if (zoomMode_ == ZoomMode::Fixed)
        return;
    const QSizeF paper = view_->paperPixels();
    if (paper.isEmpty())
        return;
    const QSize room = scroll_->viewport()->size() -
                       QSize(2 * PreviewPageView::Border, 2 * PreviewPageView::Border);
    const double byWidth = room.width() / paper.width();
    const double byHeight = room.height() / paper.height();
    const double fitted = zoomMode_ == ZoomMode::FitWidth ? byWidth : std::min(byWidth, byHeight);
    view_->setZoom(std::max(0.05, fitted));
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize)
        refitZoom();
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::updateControls() {
    const QSignalBlocker pageBlock(pageBox_);
    pageBox_->setRange(pages_.isEmpty() ? 0 : 1, int(pages_.size()));
    pageBox_->setValue(current_ + 1);
    pageCount_->setText(QStringLiteral(" / %1 ").arg(pages_.size()));
    const QSignalBlocker zoomBlock(zoomBox_);
    if (zoomMode_ == ZoomMode::FitWidth)
        zoomBox_->setCurrentIndex(0);
    else if (zoomMode_ == ZoomMode::FitPage)
        zoomBox_->setCurrentIndex(1);
    else
        zoomBox_->setCurrentIndex(std::max(2, zoomBox_->findData(zoom())));
}

void ReportPreview::printOn(QPrinter& printer) {
    QList<RenderedPage> chosen = pages_;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const int from = printer.fromPage() - 1;
        const int to = std::min(printer.toPage(), int(pages_.size()));
        chosen = pages_.mid(from, std::max(0, to - from));
    }
    PrinterOutput::print(chosen, printer, offsets_.offsetFor(printer.printerName()));
}

void ReportPreview::applyPageSetup(const QPageLayout& pageLayout) {
    const QSizeF paper = pageLayout.fullRect(QPageLayout::Millimeter).size();
    for (ReportPage& page : layout_.pages) {
        page.paperWidth = qRound(paper.width() * 10);
        page.paperHeight = qRound(paper.height() * 10);
        page.orientation = pageLayout.orientation() == QPageLayout::Landscape
                               ? ReportPage::Orientation::Landscape
                               : ReportPage::Orientation::Portrait;
    }
    rerender();
}

void ReportPreview::exportPdf(const QString& path) const {
    PdfOutput::write(pages_, path);
}

QStringList ReportPreview::exportJpeg(const QString& path) const {
    return JpegExport::write(pages_, path);
}

void ReportPreview::exportXlsx(const QString& path) const {
    XlsxExport::write(pages_, path);
}

void ReportPreview::choosePrinterAndPrint() {
    if (pages_.isEmpty())
        return;
    QPrintDialog dialog(&printer_, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pages_.size() > 1);
    dialog.setMinMax(1, int(pages_.size()));
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer_);
}

void ReportPreview::choosePageSetup() {
    if (pages_.isEmpty())
        return;
    printer_.setPageLayout(PagePainter::pageLayout(pages_.at(current_)));
    QPageSetupDialog dialog(&printer_, this);
    if (dialog.exec() == QDialog::Accepted)
        applyPageSetup(printer_.pageLayout());
}

void ReportPreview::chooseFileAndExport(const QString& filter, const QString& suffix,
                                        const std::function<void(const QString&)>& write) {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出"), QString(), filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    write(path);
}

void ReportPreview::editOffsets() {
    const QSizeF paper = pages_.isEmpty() ? QSizeF(210, 297) : pages_.at(current_).paperMm;
    PrinterOffsetDialog dialog(offsets_, printer_.printerName(), paper, this);
    dialog.exec();
}
