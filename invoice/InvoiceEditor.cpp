#include "InvoiceEditor.h"

#include "ChineseDate.h"
#include "LineArithmetic.h"
#include "RowSet.h"

namespace {
const QString Quantity = QStringLiteral("数量");
const QString UnitPrice = QStringLiteral("单价");
const QString Amount = QStringLiteral("金额");
const QString Rate = QStringLiteral("税率");
const QString Tax = QStringLiteral("税额");
const QString TaxInclusivePrice = QStringLiteral("其它4");
const QString TaxInclusiveInvoice = QStringLiteral("含税单价");
} // namespace

InvoiceEditor::InvoiceEditor(RowSet* titleqry, RowSet* detailqry, QObject* parent)
    : QObject(parent), titleqry_(titleqry), detailqry_(detailqry) {
    connect(detailqry_, &RowSet::columnChanged, this, &InvoiceEditor::onColumnChanged);
    connect(detailqry_, &RowSet::dataChanged, this, &InvoiceEditor::detaildstDataChange);
    // Posting, cancelling and deleting change the saved lines without necessarily moving.
    connect(detailqry_, &RowSet::stateChanged, this, &InvoiceEditor::detaildstDataChange);
    connect(detailqry_, &RowSet::rowRemoved, this, &InvoiceEditor::detaildstDataChange);
    connect(detailqry_, &RowSet::rowsReset, this, &InvoiceEditor::detaildstDataChange);
}

InvoiceEditor::FooterSums InvoiceEditor::footerSums() const {
    return saved_;
}

InvoiceTotals InvoiceEditor::totals() const {
    return InvoiceTotals::fromSums(saved_.amount, saved_.tax);
}

void InvoiceEditor::onColumnChanged(const QString& column) {
    if (column == Quantity)
        detailqryDSDesigner4Change();
    else if (column == UnitPrice)
        detailqryDSDesigner5Change();
    else if (column == Amount)
        detailqryDSDesigner6Change();
    else if (column == Rate)
        detailqryDSDesigner7Change();
    else if (column == TaxInclusivePrice)
        detailqryDSDesigner42Change();
}

void InvoiceEditor::detailqryDSDesigner4Change() {
    setAmountFromQuantityAndPrice();
}

void InvoiceEditor::detailqryDSDesigner5Change() {
    setAmountFromQuantityAndPrice();
}

void InvoiceEditor::detailqryDSDesigner6Change() {
    setTaxFromQuantityRateAndPrice();
}

void InvoiceEditor::detailqryDSDesigner7Change() {
    // On a tax-inclusive invoice the rate also decides the price without tax; the amount and
    // the tax then follow from the new price.
    if (invoiceIsTaxInclusive() && !detailqry_->value(TaxInclusivePrice).isNull())
        setUnitPriceFromTaxInclusive();
    else
        setTaxFromQuantityRateAndPrice();
}

void InvoiceEditor::detailqryDSDesigner42Change() {
    setUnitPriceFromTaxInclusive();
}

void InvoiceEditor::detaildstDataChange() {
    if (!detailqry_->isEditing())
        saved_ = sumSavedLines();
    const InvoiceTotals t = totals();
    emit footerSumsChanged(saved_.quantity, saved_.amount, saved_.tax);
    emit totalsChanged(t.capitals, t.figures);
}

void InvoiceEditor::kpEnter() {
    titleqry_->edit();
}

void InvoiceEditor::kpChange(const QDate& date) {
    titleqry_->setValue(QStringLiteral("中文日期"), ChineseDate(date));
    titleqry_->setValue(QStringLiteral("开票日期"), date);
}

void InvoiceEditor::setAmountFromQuantityAndPrice() {
    const Currency amount = LineArithmetic::amount(number(Quantity), number(UnitPrice));
    detailqry_->setValue(Amount, QVariant::fromValue(amount));
}

void InvoiceEditor::setTaxFromQuantityRateAndPrice() {
    const Currency tax = LineArithmetic::tax(number(Quantity), number(Rate), number(UnitPrice));
    detailqry_->setValue(Tax, QVariant::fromValue(tax));
}

void InvoiceEditor::setUnitPriceFromTaxInclusive() {
    const QVariant rate = detailqry_->value(Rate);
    const std::optional<double> ratePercent =
        rate.isNull() ? std::nullopt : std::optional<double>(rate.toDouble());
    const double price =
        LineArithmetic::unitPriceFromTaxInclusive(number(TaxInclusivePrice), ratePercent);
    detailqry_->setValue(UnitPrice, price);
}

bool InvoiceEditor::invoiceIsTaxInclusive() const {
    return titleqry_ && titleqry_->currentRow() >= 0 &&
           titleqry_->value(TaxInclusiveInvoice).toBool();
}

double InvoiceEditor::number(const QString& column) const {
    const QVariant v = detailqry_->value(column);
    if (v.metaType() == QMetaType::fromType<Currency>())
        return v.value<Currency>().toDouble();
    return v.toDouble(); // null reads as 0
}

InvoiceEditor::FooterSums InvoiceEditor::sumSavedLines() const {
    FooterSums sums;
    if (!detailqry_->isOpen())
        return sums;
    for (int row = 0; row < detailqry_->rowCount(); ++row) {
        sums.quantity += detailqry_->value(row, Quantity).toDouble();
        sums.amount += detailqry_->value(row, Amount).value<Currency>();
        sums.tax += detailqry_->value(row, Tax).value<Currency>();
    }
    return sums;
}
