// The one list of account names that all 31 + 31 account boxes of the entry
// line show. Refilling it after the chart changes is a single reset.
#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

class AccountListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    void refill(const std::vector<std::string>& names);
    void clear() { refill({}); }
    const std::vector<std::string>& names() const { return names_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    std::vector<std::string> names_;
};
