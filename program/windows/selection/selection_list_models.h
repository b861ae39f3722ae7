// Qt item models over the selection model: the variable list (one column
// "Select") and the graph rows (columns "Select", "X", "Y1" .. "Y64"). They
// answer only for the rows a view asks for, so thousands of rows cost
// nothing until shown.
#pragma once

#include "interact/selection_model.h"

#include <QAbstractTableModel>

#include <functional>

namespace zan {

class VarListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VarListModel(SelectionModel& model, QObject* parent = nullptr);
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The end of a label edit: the label as it was and the text typed.
    std::function<void(const std::string& editText, const std::string& newText)> onRenamed;

private:
    SelectionModel& model_;
};

class RowListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RowListModel(SelectionModel& model, QObject* parent = nullptr);
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    std::function<void()> onTitleEdited;

private:
    SelectionModel& model_;
};

} // namespace zan
