#pragma once

#include "InvoiceFieldMap.h"
#include "ReportLayout.h"

// Writing an invoice's values into a loaded layout.
//
// A field that the layout lacks, or that is an object of another kind, is skipped: a user who
// deletes a field in the designer stops it from printing. A layout without the picture object
// `ptc` skips the picture step.

// Replaces the whole text of the first text object named `name` (ASCII case ignored). The text
// is split into lines at CR LF, CR, LF and U+2028; an empty text leaves no lines.
// Returns false when there is no such text object.
bool SetFieldText(ReportLayout& layout, const QString& name, const QString& text);

// Writes the fields in the given order by SetFieldText.
void FillInvoiceFields(ReportLayout& layout, const QList<FieldText>& fields);

// Loads the picture file into `ptc` when a path is set (replacing the layout's picture) and shows
// or hides `ptc`. Throws DbError naming the file when it cannot be opened or read, when its
// extension is not a picture format (.bmp, .jpg, .jpeg, .ico, .png) or when it is a metafile.
void ApplyBackgroundPicture(ReportLayout& layout, const BackgroundPicture& picture);

// The lines SetFieldText makes of a text.
QStringList splitFieldText(const QString& text);
