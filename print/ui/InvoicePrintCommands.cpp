#include "InvoicePrintCommands.h"

#include "DbError.h"
#include "InvoicePrintEntry.h"
#include "LayoutDesigner.h"
#include "PrinterOffsets.h"
#include "ReportPreview.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

InvoicePrintCommands::InvoicePrintCommands(QWidget* parent, const QString& dataFolder,
                                           InputSource input, PrintStaging& staging,
                                           const QSqlDatabase& offsetsDb)
    : QObject(parent), parentWidget_(parent), dataFolder_(dataFolder), input_(std::move(input)),
      staging_(staging), offsetsDb_(offsetsDb) {
    openPreview_ = [this](QWidget* owner, const ReportLayout& filled) {
        ReportPreview preview(filled, PrinterOffsets(offsetsDb_), owner);
        preview.exec();
    };
    openDesigner_ = [](QWidget* owner, ReportLayout& filled) {
        LayoutDesigner designer(filled, owner);
        designer.exec();
    };
}

QString InvoicePrintCommands::layoutPath(PrintLayout::Id layout) const {
    return PrintLayout::path(layout, dataFolder_);
}

void InvoicePrintCommands::print(PrintLayout::Id layout) {
    const ReportLayout filled = prepare(layout);
    openPreview_(parentWidget_, filled);
}

void InvoicePrintCommands::adjust(PrintLayout::Id layout) {
    ReportLayout filled = prepare(layout);
    openDesigner_(parentWidget_, filled);
}

ReportLayout InvoicePrintCommands::prepare(PrintLayout::Id layout) {
    const QString path = layoutPath(layout);
    // Refused before the staging cells change, so a missing file leaves no trace.
    if (!QFileInfo(path).isFile())
        throw DbError(
            QStringLiteral("找不到版式文件“%1”，无法打印。请把该文件放回程序所在的文件夹。")
                .arg(QDir::toNativeSeparators(path)));
    const InvoicePrintInput input = input_();
    try {
        ReportLayout filled = InvoicePrintEntry::prepare(path, input, staging_);
        emit stagingChanged();
        return filled;
    } catch (...) {
        emit stagingChanged();
        throw;
    }
}
