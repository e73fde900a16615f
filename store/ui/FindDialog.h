#pragma once

#include <QDialog>

class QLineEdit;
class QCheckBox;

// The grid's find dialog: a text and "查找下一个"; each press asks the grid to find the next
// row whose shown text contains it.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent);
    QString text() const;
    bool caseSensitive() const;

signals:
    void findNext(const QString& text, Qt::CaseSensitivity cs);

private:
    QLineEdit* edit_;
    QCheckBox* caseBox_;
};
