#include "DbCheckBox.h"

DbCheckBox::DbCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent), binding_(new FieldBinding(this, [this] { showValue(); })) {
    connect(this, &QCheckBox::toggled, this, [this](bool checked) {
        if (!showing_ && binding_->isBound())
            binding_->assign(checked);
        emit stateShown(checked);
    });
}

void DbCheckBox::bind(RowSet* rowSet, const QString& column) {
    binding_->bind(rowSet, column);
}

void DbCheckBox::showValue() {
    showing_ = true;
    setChecked(binding_->value().toBool());
    showing_ = false;
}
