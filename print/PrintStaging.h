#pragma once

#include "InvoicePrintInput.h"

#include <QString>
#include <array>

// The 67 staging cells between an invoice's lines and the report fields: cell (r - 1) * 8 + c
// holds column c of line r (r, c = 1..8) in its print text, cells 65..67 the sums of quantity,
// amount and tax. A never-shown window mirrors these cells as Edit1..Edit67.
class PrintStaging {
public:
    static constexpr int CellCount = 67;
    static constexpr int LineCount = 8;
    static constexpr int ColumnCount = 8;
    static constexpr int QuantitySumCell = 65;
    static constexpr int AmountSumCell = 66;
    static constexpr int TaxSumCell = 67;

    // Cell number of column (1..8) of line (1..8).
    static constexpr int cellOf(int line, int column) { return (line - 1) * ColumnCount + column; }

    // Sets all cells to the empty text.
    void ClearPrintStaging();
    // Clears, then writes lines 1..8 (later lines are passed over; null values leave their cell
    // empty) and the three sums, which cover every line.
    void FillPrintStaging(const QList<PrintLine>& lines, const PrintTotals& totals);

    // n = 1..67
    const QString& cell(int n) const { return cells_.at(n - 1); }
    void setCell(int n, const QString& text) { cells_.at(n - 1) = text; }

    // Print text of one column of a line: as stored, general number form, two-decimal form,
    // or general form followed by "%" for the rate; empty for a null value.
    static QString columnText(const PrintLine& line, int column);

private:
    std::array<QString, CellCount> cells_;
};
