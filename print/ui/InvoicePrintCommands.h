#pragma once

#include "InvoicePrintInput.h"
#include "PrintLayout.h"
#include "PrintStaging.h"
#include "ReportLayout.h"

#include <QObject>
#include <QSqlDatabase>
#include <functional>

class QWidget;

// The print and adjust entries of the print menu for one layout each:
//   print:  fill staging, load the layout file, write the fields and picture, open the preview;
//   adjust: the same steps, then the layout designer, whose save writes the layout file back.
// A missing layout file is refused before anything is touched, naming the file. Any failure
// (DbError from gathering the invoice, a bad amount, a picture that cannot be loaded) goes on to
// the caller and nothing opens.
class InvoicePrintCommands : public QObject {
    Q_OBJECT
public:
    // Gathers the current invoice as the editor shows it; may throw DbError.
    using InputSource = std::function<InvoicePrintInput()>;
    // Open the preview / designer on a filled layout (modal). Replaceable so tests can look at
    // what would be shown without a nested event loop.
    using PreviewOpener = std::function<void(QWidget* parent, const ReportLayout& filled)>;
    using DesignerOpener = std::function<void(QWidget* parent, ReportLayout& filled)>;

    InvoicePrintCommands(QWidget* parent, const QString& dataFolder, InputSource input,
                         PrintStaging& staging, const QSqlDatabase& offsetsDb);

    void print(PrintLayout::Id layout);
    void adjust(PrintLayout::Id layout);

    void setPreviewOpener(PreviewOpener opener) { openPreview_ = std::move(opener); }
    void setDesignerOpener(DesignerOpener opener) { openDesigner_ = std::move(opener); }

    QString layoutPath(PrintLayout::Id layout) const;

signals:
    // The staging cells were refilled (also when a later step failed).
    void stagingChanged();

private:
    ReportLayout prepare(PrintLayout::Id layout);

    QWidget* parentWidget_;
    QString dataFolder_;
    InputSource input_;
    PrintStaging& staging_;
    QSqlDatabase offsetsDb_;
    PreviewOpener openPreview_;
    DesignerOpener openDesigner_;
};
