#pragma once

#include "TitleSort.h"

#include <QDate>
#include <QObject>
#include <QSqlDatabase>
#include <QString>

class RowSet;

// The invoice register: the list of invoices (titleqry) with its search and sorting, the lines
// of the current invoice (detailqry) with the line menu, and the toolbar commands that create,
// copy, save and delete invoices. Failures throw DbError with a message for the user.
class InvoiceRegister : public QObject {
    Q_OBJECT
public:
    // Makes detailqry follow the current invoice through its cid unless it already has a master.
    InvoiceRegister(QSqlDatabase db, RowSet* titleqry, RowSet* detailqry,
                    QObject* parent = nullptr);

    // Opens the full list, newest first, and the lines of the newest invoice.
    void open();
    // Closes and opens the lines of the current invoice, re-reading them from the database.
    void reloadLines();
    // The lines of a paid invoice are read-only in the line grid.
    bool linesReadOnly() const;
    // The focus enters the line grid: the header is written, the lines are re-read.
    void hgridEnter();

    // Search as typed (every change of the search box).
    void lcEditChange(const QString& text);
    // A click on a column title of the list; returns false for a column that does not sort.
    bool DBGridEh2TitleBtnClick(const QString& column);
    TitleSort::Marker sortMarker(const QString& column) const;

    // "&A 增加": a new invoice with the given number (digits only) dated `date`; it becomes
    // current. Returns its cid.
    qint64 addInvoice(const QString& number, const QDate& date = QDate::currentDate());
    // "&C 复制": the current invoice with its lines under a new cid and number, unpaid.
    qint64 copyInvoice(const QString& number);
    // "&S 保存": writes the pending changes of the lines and of the header.
    void saveInvoice();
    // "&D 删除": deletes the current invoice with its lines (the window asks first).
    void deleteInvoice();

    // Line menu: "增加" appends an empty-named line to the current invoice, writes it and makes
    // it current; refused when no invoice is current. "删除" deletes the current line at once.
    // "修改" starts editing the current line.
    void N1Click();
    void N2Click();
    void N7Click();

    // Throws DbError unless the number is non-empty and made of the digits 0-9.
    static void checkInvoiceNumber(const QString& number);

private:
    qint64 currentCid() const;
    void requireCurrentInvoice(const QString& action);
    void saveAll();
    // Re-reads the list and makes the invoice `cid` current; falls back to the full list when
    // the search in force hides it.
    void showInvoice(qint64 cid);
    bool moveToCid(qint64 cid);
    void clearSort();

    QSqlDatabase db_;
    RowSet* titleqry_;
    RowSet* detailqry_;
    TitleSort sort_;
};
