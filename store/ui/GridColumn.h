#pragma once

#include <QColor>
#include <QString>

// One column of a DataGrid: which field it shows and how.
struct GridColumn {
    enum class Footer { None, Sum, Text };

    QString field;
    QString title; // the field name when empty
    int width = 100;
    Qt::Alignment alignment = Qt::AlignCenter;
    bool visible = true;
    bool ellipsis = false; // a "…" button in the cell
    Footer footer = Footer::None;
    QString footerText;
    QColor footerColor = Qt::black;
    Qt::Alignment footerAlignment = Qt::AlignCenter;

    QString shownTitle() const { return title.isEmpty() ? field : title; }
};
