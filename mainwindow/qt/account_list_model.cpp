#include "mainwindow/qt/account_list_model.h"

void AccountListModel::refill(const std::vector<std::string>& names) {
    beginResetModel();
    names_ = names;
    endResetModel();
}

int AccountListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(names_.size())) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(names_[static_cast<std::size_t>(index.row())]);
    return {};
}
