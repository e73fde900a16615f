#include "ChineseDate.h"

QString ChineseDate(const QDate& date) {
    if (!date.isValid())
        return {};
    return QStringLiteral("%1年%2月%3日")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}
