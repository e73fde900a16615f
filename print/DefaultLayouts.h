#pragma once

#include "PrintLayout.h"
#include "ReportLayout.h"

#include <QStringList>

// The layouts delivered with the program, made in the data folder when a file is missing.
//
// Overlay layouts (p108, p84): paper 240 x 140 mm, left margin -12 mm, every field placed to fit
// pre-printed invoice paper; 宋体 9.75 pt, cipher lines m1..m4 in Courier New 12 pt, m5 hidden.
// A4 layouts (pa4108, pa484): the same fields on plain A4 with labels and frame lines, so the
// print reads like an invoice. In all four, `ptc` holds a plain outline drawn by the program and
// is hidden until an invoice asks for its background picture.
class DefaultLayouts {
public:
    // Writes each of the four files that does not exist yet; never touches an existing file.
    // Returns the files written. Throws DbError when a file cannot be written.
    static QStringList ensure(const QString& folder);

    static ReportLayout make(PrintLayout::Id id);
    static ReportLayout overlay();
    static ReportLayout a4();
};
