#include "import/list_merger.h"

#include "common/files.h"
#include "common/format.h"
#include "database/working_store.h"
#include "import/list_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

namespace velk {
namespace {

constexpr ListMergerTexts kSatcoDx{
    "SatcoDX [ SDX ] File Merger", "sdx", "Select a SatcoDX file", "SatcoDX Files|*.sdx", "Save SatcoDX File as",
    "%s \nSatcoDX ( SDX ) file is generated successfully.", "Duplication of SatcoDX ( SDX ) files not allowed.",
    "There is no SatcoDX ( SDX )files to merge.", "No SatcoDX ( SDX ) files in this directory."};
constexpr ListMergerTexts kDvb2000{
    "DVB2000 [ DVB ] File Merger", "dvb", "Select a DVB2000 ( DVB ) file", "DVB2000 Files|*.dvb", "Save DVB2000 File as",
    "%s \nDVB2000 (DVB ) file is generated successfully.", "Duplication of DVB2000 ( DVB ) files not allowed.",
    "There is no DVB2000 ( DVB ) files to merge.", "No DVB2000 ( DVB ) files in this directory."};
constexpr ListMergerTexts kLyngsat{
    "Lyngsat [ DAT ] File Merger", "dat", "Select a Lyngsat DAT file", "Lyngsat Files|*.dat", "Save as Lyngsat DAT file",
    "%s \nLyngsat ( DAT ) file is generated successfully.", "Duplication of Lyngsat ( DAT ) files not allowed.",
    "There is no Lyngsat ( DAT ) files to merge.", "No Lyngsat ( DAT ) files in this directory."};

constexpr std::array<std::uint8_t, 2> kCrLf{'\r', '\n'};
constexpr std::size_t kSatcoDxRecord = 128;
constexpr std::size_t kDvbRecord = 64;

bool BeginsWithSatcoDx(ByteView bytes)
{
    return bytes.size() >= 7 && EqualsIgnoringCase(std::string_view(reinterpret_cast<const char*>(bytes.data()), 7), "satcodx");
}

// Records are 128 bytes with no separator, or with one or two bytes after each
// (a line end); the second record shows which. Without one, the widest.
std::size_t SatcoDxStride(ByteView list)
{
    constexpr std::size_t kWidest = kSatcoDxRecord + 2;
    for (std::size_t stride = kSatcoDxRecord; stride < kWidest; ++stride)
        if (list.size() > stride && BeginsWithSatcoDx(list.subspan(stride)))
            return stride;
    return kWidest;
}

std::optional<std::string> SatcoDxFault(ByteView list)
{
    const std::size_t stride = SatcoDxStride(list);
    std::size_t record = 1;
    for (std::size_t pos = 0; pos < list.size(); pos += stride, ++record) {
        if (list.size() - pos < kSatcoDxRecord)
            return Format("record %zu is cut short (%zu of 128 bytes)", record, list.size() - pos);
        if (!BeginsWithSatcoDx(list.subspan(pos)))
            return Format("record %zu does not begin with SATCODX", record);
    }
    return std::nullopt;
}

std::optional<std::string> DvbFault(ByteView list)
{
    if (list.size() % kDvbRecord == 0)
        return std::nullopt;
    return Format("record %zu is cut short (%zu of 64 bytes)", list.size() / kDvbRecord + 1, list.size() % kDvbRecord);
}

// A list whose last line is cut gets the line end the list uses.
void EndLastLine(Bytes& list)
{
    if (list.empty() || list.back() == '\n')
        return;
    const bool crlf = std::search(list.begin(), list.end(), kCrLf.begin(), kCrLf.end()) != list.end();
    if (crlf)
        list.push_back('\r');
    list.push_back('\n');
}

bool HasExtension(const std::filesystem::path& file, std::string_view extension)
{
    const auto ext = file.extension().string();
    return ext.size() == extension.size() + 1 && EqualsIgnoringCase(std::string_view(ext).substr(1), extension);
}

}  // namespace

const ListMergerTexts& MergerTexts(MergedListFormat format)
{
    switch (format) {
    case MergedListFormat::SatcoDx: return kSatcoDx;
    case MergedListFormat::Dvb2000: return kDvb2000;
    case MergedListFormat::Lyngsat: return kLyngsat;
    }
    return kSatcoDx;
}

bool IsMergeableSatcoDx(const std::filesystem::path& file)
{
    // Read without blocking: a FIFO fails the test instead of hanging the dialog.
    const auto head = ReadFileHead(file, 10);
    if (!head || head->size() < 10)
        return false;
    const std::string_view text(reinterpret_cast<const char*>(head->data()), head->size());
    return EqualsIgnoringCase(text.substr(0, 7), "satcodx") && (text.substr(8, 2) == "02" || text.substr(8, 2) == "03");
}

Expected<Bytes> ReadWholeList(MergedListFormat format, const std::filesystem::path& file)
{
    auto list = ReadFile(file);
    if (!list)
        return list;
    std::optional<std::string> fault;
    switch (format) {
    case MergedListFormat::SatcoDx: fault = SatcoDxFault(*list); break;
    case MergedListFormat::Dvb2000: fault = DvbFault(*list); break;
    case MergedListFormat::Lyngsat: EndLastLine(*list); break;
    }
    if (fault)
        return FormatError(file, *fault);
    return list;
}

Outcome ConcatenateListFiles(MergedListFormat format, const std::vector<std::filesystem::path>& files,
                             const std::filesystem::path& output)
{
    // Everything is read before the output is replaced: it may be one of the inputs.
    Bytes joined;
    for (const auto& f : files) {
        const auto list = ReadWholeList(format, f);
        if (!list)
            return list.error();
        joined.insert(joined.end(), list->begin(), list->end());
    }
    return WriteFile(output, joined);
}

bool ListFileCollection::Contains(const std::filesystem::path& file) const
{
    return std::any_of(files_.begin(), files_.end(),
                       [&](const auto& f) { return EqualsIgnoringCase(f.string(), file.string()); });
}

bool ListFileCollection::AddFile(Ui& ui, const std::filesystem::path& file)
{
    if (Contains(file)) {
        ShowError(ui, MergerTexts(format_).duplicate);
        return false;
    }
    if (format_ == MergedListFormat::SatcoDx && !IsMergeableSatcoDx(file)) {
        ShowWarning(ui, kSatcoDxVersionRefused);
        return false;
    }
    files_.push_back(file);
    return true;
}

std::size_t ListFileCollection::AddFolder(Ui& ui, const std::filesystem::path& folder)
{
    const auto& texts = MergerTexts(format_);
    std::set<std::filesystem::path> matching;  // in name order
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec) && HasExtension(entry.path(), texts.extension))
            matching.insert(entry.path());
    if (matching.empty()) {
        ShowError(ui, texts.emptyFolder);
        return 0;
    }
    std::size_t added = 0;
    for (const auto& file : matching) {
        if (Contains(file) || (format_ == MergedListFormat::SatcoDx && !IsMergeableSatcoDx(file)))
            continue;
        files_.push_back(file);
        ++added;
    }
    return added;
}

void ListFileCollection::Remove(const std::vector<std::size_t>& rows)
{
    std::vector<std::size_t> sorted(rows);
    std::sort(sorted.rbegin(), sorted.rend());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (const auto row : sorted)
        if (row < files_.size())
            files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(row));
}

bool ListFileCollection::CanMerge(Ui& ui) const
{
    if (files_.empty()) {
        ShowWarning(ui, MergerTexts(format_).nothingToMerge);
        return false;
    }
    if (files_.size() == 1) {
        ShowWarning(ui, kOneFileToMerge);
        return false;
    }
    return true;
}

bool ListFileCollection::MergeInto(Ui& ui, const std::filesystem::path& output) const
{
    if (!CanMerge(ui))
        return false;
    if (const Outcome joined = ConcatenateListFiles(format_, files_, output); !joined) {
        // A list that is not whole is named with its first broken record; nothing is written.
        const Error& error = joined.error();
        ShowError(ui, error.kind == ErrorKind::Format ? CauseText(error) : MessageWithCause(kFileAccessError, error));
        return false;
    }
    ShowInfo(ui, Format(MergerTexts(format_).success, output.string().c_str()));
    return true;
}

bool ListFileCollection::Merge(Ui& ui) const
{
    if (!CanMerge(ui))
        return false;
    const auto& texts = MergerTexts(format_);
    const auto output = ui.ChooseSaveFile({texts.saveTitle, texts.openFilter, texts.extension, {}});
    return output && MergeInto(ui, *output);
}

}  // namespace velk
