#include "InvoiceFieldMap.h"

#include "DbError.h"
#include "NumberText.h"

namespace {

const char* const LinePrefixes[PrintStaging::ColumnCount] = {"H",  "G",  "DW", "SL",
                                                             "DJ", "JE", "S",  "SE"};

QStringList makeFieldNames() {
    QStringList names = {QStringLiteral("fpno"), QStringLiteral("jym"),   QStringLiteral("kprq"),
                         QStringLiteral("gmc"),  QStringLiteral("gnsno"), QStringLiteral("gdzdh"),
                         QStringLiteral("gyhzh")};
    for (int i = 1; i <= 8; ++i)
        names << QStringLiteral("m%1").arg(i);
    for (int r = 1; r <= PrintStaging::LineCount; ++r)
        for (const char* prefix : LinePrefixes)
            names << QString::fromLatin1(prefix) + QString::number(r);
    names << QStringLiteral("JEHJ") << QStringLiteral("SEHJ") << QStringLiteral("DXJE")
          << QStringLiteral("XXJE") << QStringLiteral("Xmc") << QStringLiteral("Xnsno")
          << QStringLiteral("Xdzdh") << QStringLiteral("Xyhzh");
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("BZ%1").arg(i);
    names << QStringLiteral("SKR") << QStringLiteral("FH") << QStringLiteral("KPR");
    return names;
}

QString amountInFiguresText(const QString& shown) {
    const std::optional<QString> text = NumberText::twoDecimalsOfText(shown);
    if (!text)
        throw DbError(QStringLiteral("小写金额“%1”不是有效的数值，无法打印。").arg(shown));
    return *text;
}

} // namespace

const QStringList& InvoiceFieldMap::fieldNames() {
    static const QStringList names = makeFieldNames();
    return names;
}

QList<FieldText> InvoiceFieldMap::fieldTexts(const PrintHeader& h, const PrintStaging& staging) {
    QStringList texts = {h.invoiceNumber,  h.checkCode,         h.chineseDate,     h.buyerName,
                         h.buyerTaxNumber, h.buyerAddressPhone, h.buyerBankAccount};
    for (const QString& cipher : h.cipherLines)
        texts << cipher;
    for (int n = 1; n <= PrintStaging::LineCount * PrintStaging::ColumnCount; ++n)
        texts << staging.cell(n);
    texts << staging.cell(PrintStaging::AmountSumCell) << staging.cell(PrintStaging::TaxSumCell)
          << h.amountInCapitals << amountInFiguresText(h.amountInFigures) << h.sellerName
          << h.sellerTaxNumber << h.sellerAddressPhone << h.sellerBankAccount;
    for (const QString& remark : h.remarks)
        texts << remark;
    texts << h.payee << h.reviewer << h.drawer;

    const QStringList& names = fieldNames();
    Q_ASSERT(texts.size() == names.size());
    QList<FieldText> fields;
    fields.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        fields.append({names.at(i), texts.at(i)});
    return fields;
}

InvoiceFieldValues InvoiceFieldMap::build(const InvoicePrintInput& input) {
    InvoiceFieldValues values;
    values.staging.FillPrintStaging(input.lines, input.totals);
    values.fields = fieldTexts(input.header, values.staging);
    values.picture = {input.backgroundPicturePath, input.printBackground};
    return values;
}
