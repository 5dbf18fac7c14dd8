#include "import/import_command.h"

#include "common/files.h"
#include "import/list_parsers.h"
#include "import/list_text.h"
#include "import/staging_files.h"

#include <algorithm>

namespace velk {
namespace {

constexpr std::size_t kHeadSize = 7;

std::string_view HeadText(ByteView head, std::size_t n)
{
    return {reinterpret_cast<const char*>(head.data()), std::min(n, head.size())};
}

// A FIFO or device is refused here rather than waited on.
std::optional<Bytes> ReadHead(const std::filesystem::path& list)
{
    auto head = ReadFileHead(list, kHeadSize);
    if (!head)
        return std::nullopt;
    return std::move(*head);
}

}  // namespace

std::optional<ListFormat> DetectListFormat(const std::filesystem::path& list, ByteView head)
{
    const auto path = list.string();
    const auto dot = path.rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    const auto extension = std::string_view(path).substr(dot + 1, 3);
    if (extension == "sdx" && head.size() >= 7 && EqualsIgnoringCase(HeadText(head, 7), "SATCODX"))
        return ListFormat::SatcoDx;
    if (extension == "dvb" && HeadText(head, 4) == "DVSO")
        return ListFormat::Dvb2000;
    if (extension == "dat" && HeadText(head, 4) == ":SAT")
        return ListFormat::Lyngsat;
    return std::nullopt;
}

bool ParseList(Ui& ui, ListFormat format, const std::filesystem::path& list, std::uint8_t selected,
               ImportStaging& staging)
{
    switch (format) {
    case ListFormat::SatcoDx: return ParseSatcoDxFile(ui, list, selected, staging);
    case ListFormat::Dvb2000: return ImportDvb2000List(ui, list, selected, staging);
    case ListFormat::Lyngsat: return ImportLyngsatList(ui, list, selected, staging);
    }
    return false;
}

void DeleteStagingFiles(const std::filesystem::path& workDir)
{
    for (const auto name : staging_file::kAll)
        RemoveFileIfExists(workDir / name);
}

std::optional<ImportSession> RunImportCommand(Ui& ui, const std::filesystem::path& workDir,
                                              const std::filesystem::path& list)
{
    DeleteStagingFiles(workDir);
    const auto head = ReadHead(list);
    if (!head) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return std::nullopt;
    }
    const auto format = DetectListFormat(list, *head);
    if (!format) {
        ui.Message(kInvalidListFile, {}, Icon::Error, Buttons::Ok);
        return std::nullopt;
    }
    const ImportStaging empty;
    if (!WriteFileAtomic(workDir / staging_file::kLnb, {}) || !empty.Save(workDir)) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return std::nullopt;
    }
    ImportSession session{list, *format, AskYesNo(ui, kFilterModeQuestion), {}};
    const bool parsed = ParseList(ui, *format, list, session.filterMode ? 0 : 1, session.staging);
    if (ui.ProgressCancelled()) {
        ui.ProgressEnd();
        DeleteStagingFiles(workDir);  // no half-staged list stays behind
        return std::nullopt;
    }
    if (!parsed)
        ui.Message(kParsingError, {}, Icon::Error, Buttons::Ok);
    ui.ProgressEnd();
    if (!parsed)
        return std::nullopt;
    if (!session.staging.Save(workDir)) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return std::nullopt;
    }
    return session;
}

}  // namespace velk
