#include "windows/selection/selection_list_models.h"

namespace zan {

namespace {

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

VarListModel::VarListModel(SelectionModel& model, QObject* parent) : QAbstractTableModel(parent), model_(model) {}

void VarListModel::Reset()
{
    beginResetModel();
    endResetModel();
}

int VarListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(model_.items().size());
}

int VarListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant VarListModel::data(const QModelIndex& index, int role) const
{
    const int r = index.row();
    if (r < 0 || r >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return Text(model_.Name(model_.items()[static_cast<size_t>(r)].var));
}

QVariant VarListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return QStringLiteral("Select");
    return {};
}

Qt::ItemFlags VarListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
}

bool VarListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.row() < 0 || index.row() >= rowCount())
        return false;
    const std::string old = data(index, Qt::DisplayRole).toString().toStdString();
    if (onRenamed)
        onRenamed(old, value.toString().toStdString());
    return true;
}

RowListModel::RowListModel(SelectionModel& model, QObject* parent) : QAbstractTableModel(parent), model_(model) {}

void RowListModel::Reset()
{
    beginResetModel();
    endResetModel();
}

int RowListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(model_.rows().size());
}

int RowListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kMaxLines + 2;
}

QVariant RowListModel::data(const QModelIndex& index, int role) const
{
    const int r = index.row();
    if (r < 0 || r >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const SelRow& row = model_.rows()[static_cast<size_t>(r)];
    const int c = index.column();
    if (c == 0)
        return Text(row.title);
    if (c - 1 < static_cast<int>(row.cells.size()))
        return Text(row.cells[static_cast<size_t>(c - 1)].text);
    return {};
}

QVariant RowListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("Select");
    if (section == 1)
        return QStringLiteral("X");
    return QStringLiteral("Y%1").arg(section - 1);
}

Qt::ItemFlags RowListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (index.column() == 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool RowListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != 0 || index.row() < 0 || index.row() >= rowCount())
        return false;
    model_.EditRowTitle(index.row(), value.toString().toStdString());
    emit dataChanged(index, index);
    if (onTitleEdited)
        onTitleEdited();
    return true;
}

} // namespace zan
