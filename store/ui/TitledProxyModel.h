#pragma once

#include <QIdentityProxyModel>
#include <QStringList>

// Gives a model's columns the titles a grid shows.
class TitledProxyModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    void setTitles(const QStringList& titles) { titles_ = titles; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && section < titles_.size()) {
            if (role == Qt::DisplayRole)
                return titles_[section];
            if (role == Qt::TextAlignmentRole)
                return int(Qt::AlignCenter);
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    QStringList titles_;
};
