#include "database/service_csv.h"

#include "common/csv.h"
#include "common/files.h"
#include "common/format.h"
#include "database/delete_records.h"
#include "database/service_identity.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

namespace velk {
namespace {

constexpr std::string_view kPolarizations = "HVLR";

std::string PidText(std::uint32_t pid) { return pid == kNoPid ? std::string() : std::to_string(pid); }

std::string PositionText(const SatelliteRecord& s)
{
    return Format("%d.%d%c", s.angle / 10, s.angle % 10, s.west ? 'W' : 'E');
}

std::string FavouritesText(std::uint8_t groups)
{
    std::string text;
    for (int g = 0; g < 4; ++g) {
        if (groups & (1 << g))
            text += (text.empty() ? "" : " ") + std::to_string(g + 1);
    }
    return text;
}

struct Column {
    std::string_view header;
    std::string (*text)(const ServiceCatalog&, const CatalogEntry&);
};

// The list's columns, in order; the ones marked in kKeyColumns identify a row.
constexpr std::array<Column, 13> kColumns{{
    {"Satellite", [](const ServiceCatalog& c, const CatalogEntry& e) { return DatabaseToUtf8(c.Satellite(e).name.Text()); }},
    {"Position", [](const ServiceCatalog& c, const CatalogEntry& e) { return PositionText(c.Satellite(e)); }},
    {"Frequency", [](const ServiceCatalog& c, const CatalogEntry& e) { return std::to_string(c.Carrier(e).frequencyMhz); }},
    {"Polarisation", [](const ServiceCatalog& c, const CatalogEntry& e) { return std::string(1, kPolarizations[c.Carrier(e).polarization & 3]); }},
    {"Symbol rate", [](const ServiceCatalog& c, const CatalogEntry& e) { return std::to_string(c.Carrier(e).symbolRateKs); }},
    {"Program number", [](const ServiceCatalog& c, const CatalogEntry& e) { return std::to_string(c.Service(e).programNumber); }},
    {"Name", [](const ServiceCatalog& c, const CatalogEntry& e) { return DatabaseToUtf8(c.Service(e).name.Text()); }},
    {"Video PID", [](const ServiceCatalog& c, const CatalogEntry& e) { return PidText(c.Service(e).videoPid); }},
    {"Audio PID", [](const ServiceCatalog& c, const CatalogEntry& e) { return PidText(c.Service(e).audioPid); }},
    {"PCR PID", [](const ServiceCatalog& c, const CatalogEntry& e) { return PidText(c.Service(e).pcrPid); }},
    {"Type", [](const ServiceCatalog& c, const CatalogEntry& e) { return std::string(c.Service(e).type == kServiceRadio ? "Radio" : "TV"); }},
    {"Access", [](const ServiceCatalog& c, const CatalogEntry& e) { return std::string(c.Service(e).scrambled ? "Scrambled" : "FTA"); }},
    {"Favourites", [](const ServiceCatalog& c, const CatalogEntry& e) { return FavouritesText(c.Service(e).favourites); }},
}};
constexpr std::array<std::string_view, 6> kKeyColumns{"Position", "Frequency", "Polarisation", "Symbol rate", "Program number", "Name"};

std::optional<std::uint32_t> Number(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() ? std::optional(value) : std::nullopt;
}

// "19.2E" -> 192, "30.0W" -> -300.
std::optional<int> Position(std::string_view text)
{
    if (text.size() < 2 || (text.back() != 'E' && text.back() != 'W'))
        return std::nullopt;
    const bool west = text.back() == 'W';
    text.remove_suffix(1);
    const auto dot = text.find('.');
    const auto whole = Number(text.substr(0, dot));
    const auto tenth = dot == std::string_view::npos ? std::optional<std::uint32_t>(0) : Number(text.substr(dot + 1));
    if (!whole || !tenth || *tenth > 9)
        return std::nullopt;
    const int tenths = static_cast<int>(*whole * 10 + *tenth);
    return west ? -tenths : tenths;
}

// Where each key column stands in the header row.
std::optional<std::array<std::size_t, kKeyColumns.size()>> KeyColumnsAt(const CsvRow& header, std::string& missing)
{
    std::array<std::size_t, kKeyColumns.size()> at{};
    for (std::size_t k = 0; k < kKeyColumns.size(); ++k) {
        const auto it = std::find(header.begin(), header.end(), kKeyColumns[k]);
        if (it == header.end()) {
            missing = kKeyColumns[k];
            return std::nullopt;
        }
        at[k] = static_cast<std::size_t>(it - header.begin());
    }
    return at;
}

std::optional<ServiceKey> RowKey(const CsvRow& row, const std::array<std::size_t, kKeyColumns.size()>& at, NameConversion& names)
{
    auto field = [&](std::size_t k) -> std::string_view { return at[k] < row.size() ? std::string_view(row[at[k]]) : std::string_view(); };
    const auto position = Position(field(0));
    const auto frequency = Number(field(1));
    const auto pol = field(2).size() == 1 ? kPolarizations.find(field(2)[0]) : std::string_view::npos;
    const auto symbolRate = Number(field(3));
    const auto program = Number(field(4));
    if (!position || !frequency || pol == std::string_view::npos || !symbolRate || !program || *program > 0xFFFF)
        return std::nullopt;
    return ServiceKey{*position, *frequency, *symbolRate, static_cast<std::uint8_t>(pol), static_cast<std::uint16_t>(*program),
                      names.ToDatabase(field(5), TextEncoding::Utf8, FixedName::kMaxLength)};
}

// The services the rows name, in row order; every row that names none is a problem.
std::vector<std::uint32_t> IdentifyRows(const ServiceCatalog& catalog, const CsvKeys& rows, std::vector<std::string>& problems)
{
    std::vector<std::uint32_t> channels;
    const auto found = IdentifyServices(catalog, rows.keys);
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i])
            channels.push_back(found[i]->channel);
        else
            problems.push_back(Format("Line %zu: no service of the database matches \"%s\".", rows.lines[i],
                                      DatabaseToUtf8(rows.keys[i].name).c_str()));
    }
    return channels;
}

}  // namespace

std::string ExportServiceCsv(const ServiceCatalog& catalog)
{
    std::vector<std::string> fields{"Channel"};
    for (const auto& column : kColumns)
        fields.emplace_back(column.header);
    std::string text = CsvLine(fields);
    for (std::size_t ch = 0; ch < catalog.channels.size(); ++ch) {
        fields.assign(1, std::to_string(ch + 1));
        for (const auto& column : kColumns)
            fields.push_back(column.text(catalog, catalog.channels[ch]));
        text += CsvLine(fields);
    }
    return text;
}

Outcome WriteServiceCsvFile(const ServiceCatalog& catalog, const std::filesystem::path& path)
{
    const auto text = ExportServiceCsv(catalog);
    return WriteFile(path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Expected<std::string> ReadCsvFile(const std::filesystem::path& path)
{
    auto bytes = ReadFile(path);
    if (!bytes)
        return bytes.error();
    return std::string(bytes->begin(), bytes->end());
}

CsvKeys ReadCsvKeys(std::string_view text, NameConversion& names, std::vector<std::string>& problems)
{
    CsvKeys out;
    std::string error, missing;
    const auto table = ParseCsv(text, error);
    const auto at = table && !table->rows.empty() ? KeyColumnsAt(table->rows.front(), missing) : std::nullopt;
    if (!at) {
        problems.push_back(!table ? error : table->rows.empty() ? "The list is empty." : Format("The list has no column \"%s\".", missing.c_str()));
        return out;
    }
    for (std::size_t r = 1; r < table->rows.size(); ++r) {
        auto key = RowKey(table->rows[r], *at, names);
        if (!key) {
            problems.push_back(Format("Line %zu: a key field is empty or not a number.", table->lines[r]));
            continue;
        }
        out.keys.push_back(std::move(*key));
        out.lines.push_back(table->lines[r]);
    }
    return out;
}

std::optional<CsvImportResult> ImportServiceCsv(WorkingStore& store, std::string_view text, NameConversion& names)
{
    auto catalog = LoadServiceCatalog(store);
    if (!catalog)
        return std::nullopt;
    CsvImportResult result;
    const auto rows = ReadCsvKeys(text, names, result.problems);
    const auto channels = IdentifyRows(*catalog, rows, result.problems);
    if (!result.problems.empty())
        return result;
    auto& image = catalog->image;
    std::vector<bool> kept(catalog->channels.size());
    std::vector<std::uint16_t> order;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const auto record = image.serviceOrder[channels[i]];
        auto& service = image.services[record];
        if (const auto& name = rows.keys[i].name; service.name.Text() != name) {
            service.name = name;
            service.nameUnchanged = 0;
            ++result.renamed;
        }
        kept[channels[i]] = true;
        order.push_back(record);
    }
    std::vector<bool> removed(image.services.size());
    for (std::size_t ch = 0; ch < kept.size(); ++ch) {
        if (!kept[ch]) {
            removed[image.serviceOrder[ch]] = true;
            order.push_back(image.serviceOrder[ch]);
            ++result.deleted;
        }
    }
    result.reordered = !std::is_sorted(channels.begin(), channels.end());
    image.serviceOrder = std::move(order);
    RemoveServices(image, removed);
    constexpr unsigned parts = image_part::kCarriers | image_part::kServices | image_part::kServiceOrder;
    if (result.Changed() && !CommitStoreImage(store, image, parts))
        return std::nullopt;
    return result;
}

std::string CsvImportText(const CsvImportResult& result)
{
    if (!result.problems.empty()) {
        std::string text = "The list was not applied:";
        for (const auto& problem : result.problems)
            text += "\n" + problem;
        return text;
    }
    return Format("%zu %s renamed, %zu deleted, %s.", result.renamed, result.renamed == 1 ? "service" : "services",
                  result.deleted, result.reordered ? "order changed" : "order unchanged");
}

}  // namespace velk
