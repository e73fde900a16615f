#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class InvoiceRegister;

// Runs the register's search for the text of the search box once the keystrokes waiting in
// the event queue have been taken in: typing faster than a search over a large list takes
// runs one search for the latest text instead of one per stale keystroke. The list ends up
// exactly as if every keystroke had searched.
class SearchAsTyped : public QObject {
    Q_OBJECT
public:
    explicit SearchAsTyped(InvoiceRegister* invoices, QObject* parent = nullptr);

    // Connect to the search box's textChanged.
    void textChanged(const QString& text);
    // Runs a waiting search now (before the program acts on the list).
    void flush();
    bool isPending() const { return timer_.isActive(); }

signals:
    void searched(const QString& text);

private:
    void search();

    InvoiceRegister* invoices_;
    QTimer timer_;
    QString text_;
};
