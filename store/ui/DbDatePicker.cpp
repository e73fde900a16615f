#include "DbDatePicker.h"

DbDatePicker::DbDatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    connect(this, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (!quiet_)
            emit picked(d);
    });
}

void DbDatePicker::setDateQuietly(const QDate& date) {
    quiet_ = true;
    setDate(date);
    quiet_ = false;
}

void DbDatePicker::setButtonOnly() {
    setFixedWidth(22);
}

void DbDatePicker::focusInEvent(QFocusEvent* event) {
    QDateEdit::focusInEvent(event);
    emit entered();
}
