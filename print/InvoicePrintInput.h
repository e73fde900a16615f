#pragma once

#include "Currency.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>

// What an invoice print needs, gathered by the caller from the invoice editor.

// Header texts exactly as the editor shows them at the moment of printing, unsaved changes
// included; the rich-text boxes (seller name, payee) give their plain text.
struct PrintHeader {
    QString invoiceNumber;              // 发票号码
    QString checkCode;                  // 检验码
    QString chineseDate;                // 中文日期
    QString buyerName;                  // 购货单位名称
    QString buyerTaxNumber;             // 购货纳税人识别号
    QString buyerAddressPhone;          // 购货单位地址
    QString buyerBankAccount;           // 购货单位银行
    std::array<QString, 8> cipherLines; // 密码1 .. 密码8
    QString amountInCapitals;           // 大写金额
    QString amountInFigures;            // 小写金额, read as a decimal number when printed
    QString sellerName;                 // 销货单位名称 (plain text)
    QString sellerTaxNumber;            // 销货纳税人识别号
    QString sellerAddressPhone;         // 销货单位地址
    QString sellerBankAccount;          // 销货单位银行
    std::array<QString, 4> remarks;     // 备注1 .. 备注4
    QString payee;                      // 收款人 (plain text)
    QString reviewer;                   // 复核
    QString drawer;                     // 开票人

    // From shown texts keyed by the header's column names ("发票号码", "密码1", ...);
    // a missing column gives the empty text.
    static PrintHeader fromColumns(const QHash<QString, QString>& shownTexts);
};

// One goods line as stored; nullopt / empty for null columns.
struct PrintLine {
    QString name;                    // 货物应税名称
    QString model;                   // 规格型号
    QString unit;                    // 单位
    std::optional<double> quantity;  // 数量
    std::optional<double> unitPrice; // 单价
    std::optional<Currency> amount;  // 金额
    std::optional<double> taxRate;   // 税率, percent (17 means 17 %)
    std::optional<Currency> tax;     // 税额

    // From column values keyed by the line's column names; an invalid or null QVariant is null.
    // Money columns accept Currency or any number.
    static PrintLine fromColumns(const QHash<QString, QVariant>& values);
};

// The line editor's sums over all lines of the invoice, four decimals each.
struct PrintTotals {
    Currency quantity;
    Currency amount;
    Currency tax;

    static PrintTotals sumOf(const QList<PrintLine>& lines);
};

struct InvoicePrintInput {
    PrintHeader header;
    QList<PrintLine> lines; // in the line editor's order
    PrintTotals totals;
    QString backgroundPicturePath; // table fpdz as shown; empty: keep the layout's picture
    bool printBackground = false;  // 是否打印格式; null counts as false
};
