#pragma once

#include "SchemaDefinition.h"

#include <QString>
#include <QVector>

// A table as the open database file declares it.
struct TableInfo {
    struct Column {
        QString name;
        ColumnType type = ColumnType::Untyped;
        int maxLength = 0;
        bool key = false;
        bool autoNumber = false; // the database assigns it; the program never writes it
        bool hidden = false;
    };

    QString name;
    QVector<Column> columns;

    bool exists() const { return !columns.isEmpty(); }
    int indexOf(const QString& column) const {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    int keyIndex() const {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].key)
                return i;
        return -1;
    }
};
