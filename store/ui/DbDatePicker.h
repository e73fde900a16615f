#pragma once

#include <QDateEdit>

// A date picker that tells a date the user picked (`picked`) apart from one the program set
// (`setDateQuietly`), and reports when it receives the focus (`entered`).
class DbDatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DbDatePicker(QWidget* parent = nullptr);
    void setDateQuietly(const QDate& date);
    // Shows only the drop-down button, as beside an edit that shows the text.
    void setButtonOnly();

signals:
    void picked(const QDate& date);
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    bool quiet_ = false;
};
