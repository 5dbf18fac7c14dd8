#include "import/list_merger.h"

#include "common/files.h"
#include "common/format.h"
#include "database/working_store.h"
#include "import/list_text.h"

#include <algorithm>
#include <fstream>
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
    std::ifstream in(file, std::ios::binary);
    char head[10] = {};
    if (!in || !in.read(head, sizeof head))
        return false;
    const std::string_view text(head, sizeof head);
    return EqualsIgnoringCase(text.substr(0, 7), "satcodx") && (text.substr(8, 2) == "02" || text.substr(8, 2) == "03");
}

bool ConcatenateListFiles(const std::vector<std::filesystem::path>& files, const std::filesystem::path& output)
{
    // Everything is read before the output is replaced: it may be one of the inputs.
    Bytes joined;
    for (const auto& f : files)
        if (const auto bytes = ReadFileBytes(f))
            joined.insert(joined.end(), bytes->begin(), bytes->end());
    return WriteFileAtomic(output, joined);
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
    if (!ConcatenateListFiles(files_, output)) {
        ShowError(ui, kFileAccessError);
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
