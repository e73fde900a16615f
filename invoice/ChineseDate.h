#pragma once

#include <QDate>
#include <QString>

// The date as printed on the invoice: year, 年, two-digit month, 月, two-digit day, 日
// ("2008年09月05日"). An invalid date gives the empty text.
QString ChineseDate(const QDate& date);
