#pragma once

#include <QCollator>
#include <QString>
#include <optional>

class RowSet;

// The sort markers of the invoice list's column titles. At most one column shows a marker; a
// click moves that column's marker none -> down -> up -> down and clears the others. Down sorts
// ascending, up descending. 位数 does not sort.
class TitleSort {
public:
    enum class Marker { None, Down, Up };

    static Marker nextMarker(Marker current);
    static bool isSortable(const QString& column);
    // Chinese text in pinyin order.
    static const QCollator& collator();

    Marker marker(const QString& column) const;
    QString column() const { return column_; }
    // The order the click asks for, or nothing when the column does not sort.
    std::optional<Qt::SortOrder> click(const QString& column);
    void clear();

    static void sort(RowSet& rows, const QString& column, Qt::SortOrder order);

private:
    QString column_;
    Marker marker_ = Marker::None;
};
