#include "import/staging_list_model.h"

#include <numeric>

namespace velk::gui {

StagingListModel::StagingListModel(std::vector<StagingColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns))
{
}

void StagingListModel::SetCheckable(IsChecked isChecked, SetChecked setChecked)
{
    isChecked_ = std::move(isChecked);
    setChecked_ = std::move(setChecked);
}

void StagingListModel::SetEditable(Edit edit) { edit_ = std::move(edit); }

void StagingListModel::SetRows(std::vector<std::uint32_t> indexes)
{
    beginResetModel();
    rows_ = std::move(indexes);
    endResetModel();
}

void StagingListModel::SetRowCount(std::uint32_t count)
{
    std::vector<std::uint32_t> rows(count);
    std::iota(rows.begin(), rows.end(), 0u);
    SetRows(std::move(rows));
}

void StagingListModel::Refresh()
{
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int StagingListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StagingListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant StagingListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto record = IndexAt(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return columns_.at(static_cast<std::size_t>(index.column())).text(record);
    if (role == Qt::CheckStateRole && index.column() == 0 && isChecked_)
        return isChecked_(record) ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool StagingListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0)
        return false;
    const auto record = IndexAt(index.row());
    if (role == Qt::CheckStateRole && setChecked_) {
        setChecked_(record, value.toInt() == Qt::Checked);
        emit dataChanged(index, index.siblingAtColumn(columnCount() - 1));
        emit checkToggled();
        return true;
    }
    if (role == Qt::EditRole && edit_) {
        edit_(record, value.toString());
        emit dataChanged(index, index);
        return true;
    }
    return false;
}

QVariant StagingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return columns_[static_cast<std::size_t>(section)].header;
}

Qt::ItemFlags StagingListModel::flags(const QModelIndex& index) const
{
    auto flags = QAbstractTableModel::flags(index);
    if (index.column() == 0 && isChecked_)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() == 0 && edit_)
        flags |= Qt::ItemIsEditable;
    return flags;
}

}  // namespace velk::gui
