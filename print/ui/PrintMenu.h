#pragma once

#include <QString>
#include <functional>

class InvoicePrintCommands;
class QMenu;
class QWidget;

// The print menu PopupMenu2 that the print button opens: the four layouts to print and to
// adjust, the four sample lists and the collection report, with divider rows between groups.
class PrintMenu {
public:
    // A divider row: an ordinary entry of 54 hyphens that does nothing.
    static QString dividerCaption() { return QString(54, u'-'); }

    // The menu belongs to `parent`. Entries 1-8 call `commands`, 9-12 open the sample windows
    // modally, 13 calls `openCollectionReport`.
    static QMenu* build(QWidget* parent, InvoicePrintCommands& commands,
                        std::function<void()> openCollectionReport);
};
