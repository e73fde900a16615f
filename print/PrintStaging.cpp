#include "PrintStaging.h"

#include "NumberText.h"

void PrintStaging::ClearPrintStaging() {
    cells_.fill(QString());
}

void PrintStaging::FillPrintStaging(const QList<PrintLine>& lines, const PrintTotals& totals) {
    ClearPrintStaging();
    const int shown = qMin<int>(lines.size(), LineCount);
    for (int r = 1; r <= shown; ++r)
        for (int c = 1; c <= ColumnCount; ++c)
            setCell(cellOf(r, c), columnText(lines.at(r - 1), c));
    setCell(QuantitySumCell, NumberText::general(totals.quantity));
    setCell(AmountSumCell, NumberText::twoDecimals(totals.amount));
    setCell(TaxSumCell, NumberText::twoDecimals(totals.tax));
}

QString PrintStaging::columnText(const PrintLine& line, int column) {
    const auto general = [](std::optional<double> v) {
        return v ? NumberText::general(*v) : QString();
    };
    const auto money = [](std::optional<Currency> v) {
        return v ? NumberText::twoDecimals(*v) : QString();
    };
    switch (column) {
    case 1:
        return line.name;
    case 2:
        return line.model;
    case 3:
        return line.unit;
    case 4:
        return general(line.quantity);
    case 5:
        return general(line.unitPrice);
    case 6:
        return money(line.amount);
    case 7:
        return line.taxRate ? NumberText::general(*line.taxRate) + u'%' : QString();
    case 8:
        return money(line.tax);
    }
    return QString();
}
