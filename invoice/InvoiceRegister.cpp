#include "InvoiceRegister.h"

#include "DbError.h"
#include "InvoiceSearch.h"
#include "InvoiceWriter.h"
#include "RowSet.h"

#include <QRegularExpression>

namespace {
const QString Cid = QStringLiteral("cid");
}

InvoiceRegister::InvoiceRegister(QSqlDatabase db, RowSet* titleqry, RowSet* detailqry,
                                 QObject* parent)
    : QObject(parent), db_(db), titleqry_(titleqry), detailqry_(detailqry) {
    if (!detailqry_->master())
        detailqry_->setMaster(titleqry_, Cid, Cid, Cid);
}

void InvoiceRegister::open() {
    titleqry_->close();
    titleqry_->setSql(InvoiceSearch::initialSql());
    clearSort();
    titleqry_->open();
    reloadLines();
}

void InvoiceRegister::reloadLines() {
    detailqry_->reload();
}

bool InvoiceRegister::linesReadOnly() const {
    return titleqry_->currentRow() >= 0 && titleqry_->value(QStringLiteral("是否收款")).toBool();
}

void InvoiceRegister::hgridEnter() {
    titleqry_->saveAll();
    reloadLines();
}

void InvoiceRegister::lcEditChange(const QString& text) {
    // Closing the list would drop what was typed into the current invoice: write it first.
    saveAll();
    clearSort(); // the matches come newest first
    InvoiceSearch::run(*titleqry_, db_, text);
    reloadLines();
}

bool InvoiceRegister::DBGridEh2TitleBtnClick(const QString& column) {
    if (!titleqry_->hasColumn(column))
        return false;
    const std::optional<Qt::SortOrder> order = sort_.click(column);
    if (!order)
        return false;
    TitleSort::sort(*titleqry_, column, *order);
    reloadLines();
    return true;
}

TitleSort::Marker InvoiceRegister::sortMarker(const QString& column) const {
    return sort_.marker(column);
}

qint64 InvoiceRegister::addInvoice(const QString& number, const QDate& date) {
    checkInvoiceNumber(number);
    saveAll();
    const qint64 cid = InvoiceWriter(db_).addHeader(number, date);
    showInvoice(cid);
    return cid;
}

qint64 InvoiceRegister::copyInvoice(const QString& number) {
    requireCurrentInvoice(QStringLiteral("复制"));
    checkInvoiceNumber(number);
    saveAll();
    const qint64 cid = InvoiceWriter(db_).copy(currentCid(), number);
    showInvoice(cid);
    return cid;
}

void InvoiceRegister::saveInvoice() {
    saveAll();
}

void InvoiceRegister::deleteInvoice() {
    requireCurrentInvoice(QStringLiteral("删除"));
    const int row = titleqry_->currentRow();
    // A pending edit of the invoice being deleted is dropped, not written.
    detailqry_->cancel();
    titleqry_->cancel();
    InvoiceWriter(db_).remove(currentCid());
    titleqry_->reload();
    if (!titleqry_->isEmpty())
        titleqry_->moveTo(row); // clamped to the rows there are
    reloadLines();
}

void InvoiceRegister::N1Click() {
    requireCurrentInvoice(QStringLiteral("增加明细"));
    detailqry_->append();
    detailqry_->setValue(QStringLiteral("货物应税名称"), QStringLiteral(""));
    detailqry_->saveAll();
    reloadLines();
    detailqry_->last();
}

void InvoiceRegister::N2Click() {
    if (detailqry_->currentRow() >= 0)
        detailqry_->deleteCurrent();
}

void InvoiceRegister::N7Click() {
    if (detailqry_->currentRow() >= 0)
        detailqry_->edit();
}

void InvoiceRegister::checkInvoiceNumber(const QString& number) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (number.isEmpty())
        throw DbError(QStringLiteral("请输入发票号码。"));
    if (!digits.match(number).hasMatch())
        throw DbError(
            QStringLiteral("发票号码“%1”无效：发票号码只能由数字 0-9 组成。").arg(number));
}

qint64 InvoiceRegister::currentCid() const {
    return titleqry_->value(Cid).toLongLong();
}

void InvoiceRegister::requireCurrentInvoice(const QString& action) {
    // A header typed into an empty list has no cid until it is written.
    if (titleqry_->state() == RowSet::State::Insert)
        titleqry_->saveAll();
    if (!titleqry_->isOpen() || titleqry_->currentRow() < 0 || titleqry_->value(Cid).isNull())
        throw DbError(
            QStringLiteral("没有选中的发票，不能%1。请先在发票列表中选择一张发票。").arg(action));
}

void InvoiceRegister::saveAll() {
    // Lines first: writing the header re-reads it, and the lines follow their header.
    if (detailqry_->isOpen())
        detailqry_->saveAll();
    if (titleqry_->isOpen())
        titleqry_->saveAll();
}

void InvoiceRegister::showInvoice(qint64 cid) {
    if (!titleqry_->isOpen()) {
        open();
    } else {
        titleqry_->reload(); // keeps the sort in force
    }
    if (!moveToCid(cid)) {
        open();
        moveToCid(cid);
    }
    reloadLines();
}

void InvoiceRegister::clearSort() {
    sort_.clear();
    titleqry_->clearSort();
}

bool InvoiceRegister::moveToCid(qint64 cid) {
    const int row = titleqry_->locate(Cid, cid);
    if (row < 0)
        return false;
    titleqry_->moveTo(row);
    return true;
}
