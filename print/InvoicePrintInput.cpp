#include "InvoicePrintInput.h"

namespace {

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

bool holdsCurrency(const QVariant& v) {
    return v.metaType() == QMetaType::fromType<Currency>();
}

std::optional<double> numberOf(const QVariant& v) {
    if (isNull(v))
        return std::nullopt;
    return holdsCurrency(v) ? v.value<Currency>().toDouble() : v.toDouble();
}

std::optional<Currency> moneyOf(const QVariant& v) {
    if (isNull(v))
        return std::nullopt;
    return holdsCurrency(v) ? v.value<Currency>() : Currency::fromDouble(v.toDouble());
}

} // namespace

PrintHeader PrintHeader::fromColumns(const QHash<QString, QString>& shown) {
    PrintHeader h;
    h.invoiceNumber = shown.value(QStringLiteral("发票号码"));
    h.checkCode = shown.value(QStringLiteral("检验码"));
    h.chineseDate = shown.value(QStringLiteral("中文日期"));
    h.buyerName = shown.value(QStringLiteral("购货单位名称"));
    h.buyerTaxNumber = shown.value(QStringLiteral("购货纳税人识别号"));
    h.buyerAddressPhone = shown.value(QStringLiteral("购货单位地址"));
    h.buyerBankAccount = shown.value(QStringLiteral("购货单位银行"));
    for (int i = 0; i < 8; ++i)
        h.cipherLines[i] = shown.value(QStringLiteral("密码%1").arg(i + 1));
    h.amountInCapitals = shown.value(QStringLiteral("大写金额"));
    h.amountInFigures = shown.value(QStringLiteral("小写金额"));
    h.sellerName = shown.value(QStringLiteral("销货单位名称"));
    h.sellerTaxNumber = shown.value(QStringLiteral("销货纳税人识别号"));
    h.sellerAddressPhone = shown.value(QStringLiteral("销货单位地址"));
    h.sellerBankAccount = shown.value(QStringLiteral("销货单位银行"));
    for (int i = 0; i < 4; ++i)
        h.remarks[i] = shown.value(QStringLiteral("备注%1").arg(i + 1));
    h.payee = shown.value(QStringLiteral("收款人"));
    h.reviewer = shown.value(QStringLiteral("复核"));
    h.drawer = shown.value(QStringLiteral("开票人"));
    return h;
}

PrintLine PrintLine::fromColumns(const QHash<QString, QVariant>& values) {
    const auto text = [&](const char16_t* column) {
        const QVariant v = values.value(QString::fromUtf16(column));
        return isNull(v) ? QString() : v.toString();
    };
    PrintLine line;
    line.name = text(u"货物应税名称");
    line.model = text(u"规格型号");
    line.unit = text(u"单位");
    line.quantity = numberOf(values.value(QStringLiteral("数量")));
    line.unitPrice = numberOf(values.value(QStringLiteral("单价")));
    line.amount = moneyOf(values.value(QStringLiteral("金额")));
    line.taxRate = numberOf(values.value(QStringLiteral("税率")));
    line.tax = moneyOf(values.value(QStringLiteral("税额")));
    return line;
}

PrintTotals PrintTotals::sumOf(const QList<PrintLine>& lines) {
    PrintTotals t;
    for (const PrintLine& line : lines) {
        t.quantity += Currency::fromDouble(line.quantity.value_or(0));
        t.amount += line.amount.value_or(Currency());
        t.tax += line.tax.value_or(Currency());
    }
    return t;
}
