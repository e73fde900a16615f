#pragma once

#include <QPointF>
#include <QSqlDatabase>
#include <QString>

// The feed adjustment of each printer, in millimetres (positive moves the print right and down),
// kept in table 打印偏移 so it applies to every later print on that printer. A printer without a
// row prints unmoved.
class PrinterOffsets {
public:
    static constexpr const char* Table = "打印偏移";

    PrinterOffsets() = default;
    explicit PrinterOffsets(const QSqlDatabase& db) : db_(db) {}

    // Zero when the printer has no row or no database is open. Throws DbError on a read failure.
    QPointF offsetFor(const QString& printerName) const;
    // Throws DbError when the row cannot be written or no database is open.
    void setOffset(const QString& printerName, QPointF offsetMm);

private:
    bool available() const { return db_.isValid() && db_.isOpen(); }

    QSqlDatabase db_;
};
