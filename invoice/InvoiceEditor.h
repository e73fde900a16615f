#pragma once

#include "Currency.h"
#include "InvoiceTotals.h"

#include <QDate>
#include <QObject>
#include <QString>

class RowSet;

// The line arithmetic and totals of the current invoice. Attached to the header row set
// (titleqry) and the line row set (detailqry), it recomputes the dependent columns of the line
// being edited whenever one of its columns is assigned, and the invoice totals whenever the
// lines change. The chains run depth first inside the assignment, through the row set's
// columnChanged; the handlers never post.
class InvoiceEditor : public QObject {
    Q_OBJECT
public:
    // The footer sums of the line grid: 数量, 金额, 税额 over the lines as saved.
    struct FooterSums {
        double quantity = 0;
        Currency amount;
        Currency tax;
    };

    InvoiceEditor(RowSet* titleqry, RowSet* detailqry, QObject* parent = nullptr);

    FooterSums footerSums() const;
    InvoiceTotals totals() const;

public slots:
    void detailqryDSDesigner4Change(); // 数量 -> 金额
    void detailqryDSDesigner5Change(); // 单价 -> 金额
    void detailqryDSDesigner6Change(); // 金额 -> 税额
    void detailqryDSDesigner7Change(); // 税率 -> 税额 (-> 单价 first when priced tax-inclusive)
    void detailqryDSDesigner42Change(); // 其它4 -> 单价
    // Recomputes the sums and the totals and announces them.
    void detaildstDataChange();
    // The date picker gets the focus: the header row starts editing.
    void kpEnter();
    // The user picked a date: 中文日期 and 开票日期 of the current header row.
    void kpChange(const QDate& date);

signals:
    // The texts for jedx (大写金额) and xxje (小写金额).
    void totalsChanged(const QString& capitals, const QString& figures);
    void footerSumsChanged(double quantity, Currency amount, Currency tax);

private:
    void onColumnChanged(const QString& column);
    void setAmountFromQuantityAndPrice();
    void setTaxFromQuantityRateAndPrice();
    void setUnitPriceFromTaxInclusive();
    bool invoiceIsTaxInclusive() const;
    double number(const QString& column) const;
    FooterSums sumSavedLines() const;

    RowSet* titleqry_;
    RowSet* detailqry_;
    // Sums of the lines as they stand in the database: a line being edited or inserted keeps
    // counting with its saved values until it is posted.
    FooterSums saved_;
};
