#include "TitleSort.h"

#include "RowSet.h"

#include <QLocale>

TitleSort::Marker TitleSort::nextMarker(Marker current) {
    return current == Marker::Down ? Marker::Up : Marker::Down;
}

bool TitleSort::isSortable(const QString& column) {
    return !column.isEmpty() && column != QStringLiteral("位数");
}

const QCollator& TitleSort::collator() {
    static const QCollator pinyin{QLocale(QLocale::Chinese, QLocale::China)};
    return pinyin;
}

TitleSort::Marker TitleSort::marker(const QString& column) const {
    return column == column_ ? marker_ : Marker::None;
}

std::optional<Qt::SortOrder> TitleSort::click(const QString& column) {
    if (!isSortable(column))
        return std::nullopt;
    marker_ = nextMarker(marker(column));
    column_ = column;
    return marker_ == Marker::Down ? Qt::AscendingOrder : Qt::DescendingOrder;
}

void TitleSort::clear() {
    column_.clear();
    marker_ = Marker::None;
}

void TitleSort::sort(RowSet& rows, const QString& column, Qt::SortOrder order) {
    rows.sortBy(column, order, &collator());
}
