#pragma once
// One list of the import wizard: rows are indexes into the wizard model (LNB
// rows, staging satellites, carriers or services), columns a small table of
// header and text. A check box in the first column reads and writes the
// record's selected byte through the wizard model; nothing is copied per row.
#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <vector>

namespace velk::gui {

struct StagingColumn {
    QString header;
    std::function<QString(std::uint32_t index)> text;
};

class StagingListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using IsChecked = std::function<bool(std::uint32_t index)>;
    using SetChecked = std::function<void(std::uint32_t index, bool checked)>;
    // An in-place edit of a column's text; the model shows whatever the wizard keeps.
    using Edit = std::function<void(std::uint32_t index, const QString& text)>;

    explicit StagingListModel(std::vector<StagingColumn> columns, QObject* parent = nullptr);

    // Check boxes in the first column.
    void SetCheckable(IsChecked isChecked, SetChecked setChecked);
    // The first column edited in place.
    void SetEditable(Edit edit);
    void SetRows(std::vector<std::uint32_t> indexes);
    // Every row shows 0 .. count-1.
    void SetRowCount(std::uint32_t count);
    // The wizard changed many records at once (a filter): repaint every row.
    void Refresh();
    std::uint32_t IndexAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const std::vector<std::uint32_t>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A row's check box was toggled by the user.
    void checkToggled();

private:
    std::vector<StagingColumn> columns_;
    std::vector<std::uint32_t> rows_;
    IsChecked isChecked_;
    SetChecked setChecked_;
    Edit edit_;
};

}  // namespace velk::gui
