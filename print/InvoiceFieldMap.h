#pragma once

#include "InvoicePrintInput.h"
#include "PrintStaging.h"

#include <QList>
#include <QString>
#include <QStringList>

// A named report field and the text it receives.
struct FieldText {
    QString name;
    QString text;
    bool operator==(const FieldText&) const = default;
};

// What the picture object `ptc` receives: the file to load (empty: keep the layout's picture)
// and whether it is shown and printed.
struct BackgroundPicture {
    QString path;
    bool visible = false;
    bool operator==(const BackgroundPicture&) const = default;
};

// Everything one print writes into a layout, computed without touching any layout.
struct InvoiceFieldValues {
    PrintStaging staging;
    QList<FieldText> fields; // the 94 text fields in writing order
    BackgroundPicture picture;
};

// The map from an invoice to the 67 staging cells, the 94 named text fields and the picture.
class InvoiceFieldMap {
public:
    static constexpr int FieldCount = 94;
    static constexpr const char* PictureField = "ptc";

    // The 94 field names in the order they are written.
    static const QStringList& fieldNames();

    // Throws DbError naming the text when the amount in figures is not a decimal number.
    static QList<FieldText> fieldTexts(const PrintHeader& header, const PrintStaging& staging);
    static InvoiceFieldValues build(const InvoicePrintInput& input);
};
