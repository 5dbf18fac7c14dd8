#pragma once
// The editor's record list as a model: rows are indexes into a snapshot of the
// store and every cell is formatted when the view asks for it, so a list of
// 25 000 services costs one vector of row indexes.
#include "database/service_views.h"
#include "database/store_snapshot.h"
#include "shell/preferences.h"

#include <QAbstractTableModel>

#include <memory>

namespace velk::gui {

enum class ListKind { None, Lnbs, Satellites, Carriers, Services };

class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Column {
        Index,
        LowFreq, HighFreq, LnbType, LnbPower,
        SatName, SatLnb, SatEastWest, SatPosition, SatAngle,
        CarName, CarFrequency, CarPolarization, CarSymbolRate, CarFec, CarSkew,
        Volt12, Diseqc10, Diseqc11, ToneBurst, Repeat, Khz22,
        ProgramNo, ServiceName, ServiceType, VideoPid, AudioPid, PcrPid, Favourites, Scramble,
    };

    RecordListModel(const ColourTable& colours, QObject* parent = nullptr);

    void SetStore(std::shared_ptr<const StoreSnapshot> snapshot, std::uint8_t productType, Placement placement);
    void ShowNothing();
    void ShowLnbs();
    void ShowSatellites();
    void ShowCarriers(std::vector<std::uint16_t> carrierRecords);
    // Rows of a service view as the core built it.
    void ShowServices(const std::vector<velk::ServiceRow>& rows);
    // Redraws the PID cells and headers in the new radix.
    void SetHex(bool hex);
    // Redraws every cell (colours changed).
    void Refresh();

    ListKind Kind() const { return kind_; }
    bool Hex() const { return hex_; }
    Column ColumnAt(int column) const { return columns_.at(static_cast<std::size_t>(column)); }
    // 0-based record index shown in `row`.
    std::uint32_t RecordOfRow(int row) const;
    // Text of the row's name column ("LNB %d" for LNBs).
    QString NameOfRow(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Service rows can be dragged within the list (the editor carries the drop out).
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

private:
    void Reset(ListKind kind, std::vector<Column> columns, std::vector<std::uint32_t> records);
    std::vector<Column> SwitchColumnsFor(Placement owner, bool fullLnb) const;
    QString Text(int row, Column column) const;
    const SwitchBlock* SwitchBlockOfRow(std::uint32_t record) const;
    QVariant Colour(int row) const;
    // False when the row points past the snapshot (a file shorter than its count).
    bool RowIsReadable(int row) const;

    const ColourTable& colours_;
    std::shared_ptr<const StoreSnapshot> snapshot_;
    std::uint8_t productType_ = 1;
    Placement placement_ = Placement::Lnb;
    ListKind kind_ = ListKind::None;
    bool hex_ = false;
    std::vector<Column> columns_;
    std::vector<std::uint32_t> records_;
};

// 0x00BBGGRR as a colour.
QColor ColourFromBgr(std::uint32_t value);

}  // namespace velk::gui
