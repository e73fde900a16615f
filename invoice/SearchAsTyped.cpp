#include "SearchAsTyped.h"

#include "InvoiceRegister.h"

SearchAsTyped::SearchAsTyped(InvoiceRegister* invoices, QObject* parent)
    : QObject(parent), invoices_(invoices) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &SearchAsTyped::search);
}

void SearchAsTyped::textChanged(const QString& text) {
    text_ = text;
    timer_.start();
}

void SearchAsTyped::flush() {
    if (timer_.isActive())
        search();
}

void SearchAsTyped::search() {
    timer_.stop();
    invoices_->lcEditChange(text_);
    emit searched(text_);
}
