#pragma once

#include <QString>
#include <QVariant>

// How a column value reads in an edit box, and how edited text becomes a value again.
namespace ValueText {

// Null -> "", text as is, numbers in their shortest form, Currency with at least two decimals,
// yes/no as "True"/"False", dates as yyyy-MM-dd.
QString display(const QVariant& value);

// Text typed for a column of the given type (QMetaType id); empty text gives null.
// Throws DbError naming the text when it is not a value of that type.
QVariant parse(const QString& text, int metaType);

} // namespace ValueText
