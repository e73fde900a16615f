#pragma once

#include "PrinterOffsets.h"
#include "RenderedPage.h"
#include "ReportLayout.h"

#include <QDialog>
#include <QPrinter>
#include <functional>

class PreviewPageView;
class QComboBox;
class QLabel;
class QPageLayout;
class QScrollArea;
class QSpinBox;

// The preview of a filled layout (modal): page by page at a zoom, and from here printing through
// the system's print dialog, page setup, and export to PDF, JPEG and Excel. Everything is drawn
// from the same rendered pages, so print and files match what the preview shows. Prints are
// moved by the chosen printer's offset; files are not.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, FitPage, Fixed };

    ReportPreview(const ReportLayout& filled, PrinterOffsets offsets, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // The pages as they print and export.
    const QList<RenderedPage>& pages() const { return pages_; }
    int currentPage() const { return current_; }
    void showPage(int index);

    ZoomMode zoomMode() const { return zoomMode_; }
    double zoom() const;
    void setZoomMode(ZoomMode mode);
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();

    // Prints the pages the printer's range selects (all when none), moved by its offset.
    void printOn(QPrinter& printer);
    // Paper size and orientation for every page, as the page setup dialog gives them.
    void applyPageSetup(const QPageLayout& pageLayout);

    void exportPdf(const QString& path) const;
    QStringList exportJpeg(const QString& path) const;
    void exportXlsx(const QString& path) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void rerender();
    void refitZoom();
    void updateControls();
    void choosePrinterAndPrint();
    void choosePageSetup();
    void chooseFileAndExport(const QString& filter, const QString& suffix,
                             const std::function<void(const QString&)>& write);
    void editOffsets();

    ReportLayout layout_;
    PrinterOffsets offsets_;
    QList<RenderedPage> pages_;       // as printed and exported
    QList<RenderedPage> screenPages_; // the same with the objects that show on screen only
    int current_ = 0;
    ZoomMode zoomMode_ = ZoomMode::FitWidth;
    QPrinter printer_;

    QScrollArea* scroll_ = nullptr;
    PreviewPageView* view_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
};
