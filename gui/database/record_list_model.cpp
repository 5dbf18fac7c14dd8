#include "database/record_list_model.h"

#include "database/name_text.h"
#include "common/format.h"
#include "database/value_texts.h"
#include "database/field_rules.h"

#include <QColor>

namespace velk::gui {
namespace {

using C = RecordListModel::Column;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Header(C column, bool hex)
{
    const QString radix = hex ? "[Hex]" : "[Dec]";
    switch (column) {
    case C::Index: return "Index";
    case C::LowFreq: return "Low Freq";
    case C::HighFreq: return "High Freq";
    case C::LnbType: return "LNB Type";
    case C::LnbPower: return "LNB Power Control";
    case C::SatName: return "Satellite Name";
    case C::SatLnb: return "LNB Index";
    case C::SatEastWest: return "E/W Flag";
    case C::SatPosition: return "Satellite Position";
    case C::SatAngle: return "Satellite Angle";
    case C::CarName: return "Carrier Name";
    case C::CarFrequency: return "Frequency";
    case C::CarPolarization: return "Polarization";
    case C::CarSymbolRate: return "Symbol Rate";
    case C::CarFec: return "FEC";
    case C::CarSkew: return "Skew";
    case C::Volt12: return "LNB Switch";
    case C::Diseqc10: return "DiSEqC 1.0";
    case C::Diseqc11: return "DiSEqC 1.1";
    case C::ToneBurst: return "Tone Burst Mode";
    case C::Repeat: return "Repeat Mode";
    case C::Khz22: return "22 Khz";
    case C::ProgramNo: return "Program No";
    case C::ServiceName: return "Service Name";
    case C::ServiceType: return "Service Type";
    case C::VideoPid: return "Video " + radix;
    case C::AudioPid: return "Audio " + radix;
    case C::PcrPid: return "PCR " + radix;
    case C::Favourites: return "Favorite Group";
    case C::Scramble: return "Scramble";
    }
    return {};
}

}  // namespace

QColor ColourFromBgr(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF), static_cast<int>((value >> 16) & 0xFF));
}

RecordListModel::RecordListModel(const ColourTable& colours, QObject* parent) : QAbstractTableModel(parent), colours_(colours) {}

void RecordListModel::SetStore(std::shared_ptr<const StoreSnapshot> snapshot, std::uint8_t productType, Placement placement)
{
    beginResetModel();
    snapshot_ = std::move(snapshot);
    productType_ = productType;
    placement_ = placement;
    kind_ = ListKind::None;
    columns_.clear();
    records_.clear();
    endResetModel();
}

void RecordListModel::Reset(ListKind kind, std::vector<Column> columns, std::vector<std::uint32_t> records)
{
    beginResetModel();
    kind_ = kind;
    columns_ = std::move(columns);
    records_ = std::move(records);
    endResetModel();
}

std::vector<C> RecordListModel::SwitchColumnsFor(Placement owner, bool fullLnb) const
{
    if (placement_ != owner)
        return {};
    if (owner == Placement::Lnb)
        return fullLnb ? std::vector<C>{C::Diseqc10, C::Diseqc11, C::ToneBurst, C::Repeat, C::Khz22} : std::vector<C>{C::Diseqc10};
    return {C::Volt12, C::Diseqc10, C::Diseqc11, C::ToneBurst, C::Repeat, C::Khz22};
}

void RecordListModel::ShowNothing()
{
    Reset(ListKind::None, {}, {});
}

void RecordListModel::ShowLnbs()
{
    std::vector<C> columns{C::Index, C::LowFreq, C::HighFreq, C::LnbType, C::LnbPower};
    const auto sw = SwitchColumnsFor(Placement::Lnb, productType_ == 2);
    columns.insert(columns.end(), sw.begin(), sw.end());
    std::vector<std::uint32_t> records(snapshot_ ? snapshot_->lnbs.size() : 0);
    for (std::uint32_t i = 0; i < records.size(); ++i)
        records[i] = i;
    Reset(ListKind::Lnbs, std::move(columns), std::move(records));
}

void RecordListModel::ShowSatellites()
{
    std::vector<C> columns{C::Index, C::SatName, C::SatLnb, C::SatEastWest, C::SatPosition, C::SatAngle};
    const auto sw = SwitchColumnsFor(Placement::Satellite, true);
    columns.insert(columns.end(), sw.begin(), sw.end());
    std::vector<std::uint32_t> records(snapshot_ ? snapshot_->satellites.size() : 0);
    for (std::uint32_t i = 0; i < records.size(); ++i)
        records[i] = i;
    Reset(ListKind::Satellites, std::move(columns), std::move(records));
}

void RecordListModel::ShowCarriers(std::vector<std::uint16_t> carrierRecords)
{
    std::vector<C> columns{C::Index, C::CarName, C::CarFrequency, C::CarPolarization, C::CarSymbolRate, C::CarFec, C::CarSkew};
    const auto sw = SwitchColumnsFor(Placement::Carrier, true);
    columns.insert(columns.end(), sw.begin(), sw.end());
    Reset(ListKind::Carriers, std::move(columns), std::vector<std::uint32_t>(carrierRecords.begin(), carrierRecords.end()));
}

void RecordListModel::ShowServices(const std::vector<velk::ServiceRow>& rows)
{
    std::vector<std::uint32_t> records;
    records.reserve(rows.size());
    for (const auto& row : rows)
        records.push_back(row.record - 1);
    Reset(ListKind::Services,
          {C::Index, C::ProgramNo, C::ServiceName, C::ServiceType, C::VideoPid, C::AudioPid, C::PcrPid, C::Favourites, C::Scramble},
          std::move(records));
}

void RecordListModel::SetHex(bool hex)
{
    hex_ = hex;
    if (!columns_.empty()) {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

void RecordListModel::Refresh()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

std::uint32_t RecordListModel::RecordOfRow(int row) const
{
    return records_.at(static_cast<std::size_t>(row));
}

QString RecordListModel::NameOfRow(int row) const
{
    if (row < 0 || row >= rowCount() || !RowIsReadable(row))
        return {};
    switch (kind_) {
    case ListKind::Lnbs: return QString("LNB %1").arg(row + 1);
    case ListKind::Satellites: return Text(row, C::SatName);
    case ListKind::Carriers: return Text(row, C::CarName);
    case ListKind::Services: return Text(row, C::ServiceName);
    case ListKind::None: break;
    }
    return {};
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const
{
    auto flags = QAbstractTableModel::flags(index);
    if (kind_ == ListKind::Services)
        flags |= index.isValid() ? Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled : Qt::ItemIsDropEnabled;
    return flags;
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return Header(columns_[static_cast<std::size_t>(section)], hex_);
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !snapshot_ || index.row() >= rowCount() || index.column() >= columnCount() || !RowIsReadable(index.row()))
        return {};
    if (role == Qt::DisplayRole)
        return Text(index.row(), columns_[static_cast<std::size_t>(index.column())]);
    if (role == Qt::ForegroundRole)
        return Colour(index.row());
    return {};
}

QVariant RecordListModel::Colour(int row) const
{
    const auto r = RecordOfRow(row);
    switch (kind_) {
    case ListKind::Satellites:
        return ColourFromBgr(snapshot_->servicesOfSatellite[r] > 0 ? colours_.activeSatellite : colours_.inactiveSatellite);
    case ListKind::Carriers:
        return ColourFromBgr(snapshot_->carriers[r].serviceCount > 0 ? colours_.activeCarrier : colours_.inactiveCarrier);
    case ListKind::Services:
        return ColourFromBgr(snapshot_->services[r].type == kServiceRadio ? colours_.radioService : colours_.tvService);
    default: return {};  // LNB lists are not coloured
    }
}

bool RecordListModel::RowIsReadable(int row) const
{
    const auto r = RecordOfRow(row);
    switch (kind_) {
    case ListKind::Lnbs: return r < snapshot_->lnbs.size();
    case ListKind::Satellites: return r < snapshot_->satellites.size();
    case ListKind::Carriers: return r < snapshot_->carriers.size();
    case ListKind::Services: return r < snapshot_->services.size();
    case ListKind::None: break;
    }
    return false;
}

const SwitchBlock* RecordListModel::SwitchBlockOfRow(std::uint32_t record) const
{
    switch (kind_) {
    case ListKind::Lnbs: return &snapshot_->lnbs[record].switchBlock;
    case ListKind::Satellites: return &snapshot_->satellites[record].switchBlock;
    case ListKind::Carriers: return &snapshot_->carriers[record].switchBlock;
    default: return nullptr;
    }
}

QString RecordListModel::Text(int row, Column column) const
{
    const auto r = RecordOfRow(row);
    const auto& s = *snapshot_;
    switch (column) {
    case C::Index: return QString::number(row + 1);
    case C::LowFreq: return QString::number(s.lnbs[r].LowMhz());
    case C::HighFreq: return QString::number(s.lnbs[r].HighMhz());
    case C::LnbType: return Q(TextAt(LnbTypeNames(productType_), s.lnbs[r].Type()));
    case C::LnbPower: return s.lnbs[r].PowerOn() ? "ON" : "OFF";
    case C::SatName: return NameToQString(s.satellites[r].name.Text());
    case C::SatLnb: return QString("LNB %1").arg(s.satellites[r].lnbIndex + 1);
    case C::SatEastWest: return Q(TextAt(EastWestNames(), s.satellites[r].west));
    case C::SatPosition: return QString::number(s.satellites[r].position);
    case C::SatAngle: return Q(AngleText(s.satellites[r].angle));
    case C::CarName: return NameToQString(s.carriers[r].name.Text());
    case C::CarFrequency: return QString::number(s.carriers[r].frequencyMhz);
    case C::CarPolarization: return Q(TextAt(PolarizationNames(), s.carriers[r].polarization));
    case C::CarSymbolRate: return QString::number(s.carriers[r].symbolRateKs);
    case C::CarFec: return Q(TextAt(FecNames(), s.carriers[r].fec));
    case C::CarSkew: return Q(SkewText(s.carriers[r].skew));
    case C::Volt12: return Q(TextAt(Volt12Names(), SwitchBlockOfRow(r)->volt12));
    case C::Diseqc10: return Q(TextAt(Diseqc10Names(productType_), SwitchBlockOfRow(r)->diseqc10));
    case C::Diseqc11: return Q(TextAt(Diseqc11Names(), SwitchBlockOfRow(r)->diseqc11));
    case C::ToneBurst: return Q(TextAt(ToneBurstNames(), SwitchBlockOfRow(r)->toneBurst));
    case C::Repeat: return Q(TextAt(RepeatNames(), SwitchBlockOfRow(r)->repeat));
    case C::Khz22: return Q(TextAt(Khz22Names(), SwitchBlockOfRow(r)->khz22));
    case C::ProgramNo: return QString::number(s.services[r].programNumber);
    case C::ServiceName: return NameToQString(s.services[r].name.Text());
    case C::ServiceType: return s.services[r].type == kServiceRadio ? "Radio" : "TV";
    case C::VideoPid: return Q(PidText(s.services[r].videoPid, hex_));
    case C::AudioPid: return Q(PidText(s.services[r].audioPid, hex_));
    case C::PcrPid: return Q(PidText(s.services[r].pcrPid, hex_));
    case C::Favourites: return Q(FavouriteGroupsText(s.services[r].favourites));
    case C::Scramble: return s.services[r].scrambled ? "True" : "False";
    }
    return {};
}

}  // namespace velk::gui
