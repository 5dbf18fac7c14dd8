#pragma once
// Joining channel lists of one format into one file (the Merge menu's list
// mergers): the collected file list with its checks, and the concatenation.
#include "common/bytes.h"
#include "common/error.h"
#include "common/ui.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velk {

enum class MergedListFormat { SatcoDx, Dvb2000, Lyngsat };

// The texts and file pattern of one format's merger dialog.
struct ListMergerTexts {
    const char* title;
    const char* extension;  // the folder pattern "*.<extension>"
    const char* openTitle;
    const char* openFilter;
    const char* saveTitle;
    const char* success;  // "%s" names the output
    const char* duplicate;
    const char* nothingToMerge;
    const char* emptyFolder;
};

const ListMergerTexts& MergerTexts(MergedListFormat format);

inline constexpr const char* kOneFileToMerge = "More than two files required for this operation.";
inline constexpr const char* kSatcoDxVersionRefused =
    "SatcoDX Merger allows only SatcoDX Protocol Version 2 and 3.\n Please download latest SatcoDX ( SDX ) file from Website";

// A SatcoDX file of protocol version 2 or 3 ("satcodx" and "02"/"03" at 8, any case).
bool IsMergeableSatcoDx(const std::filesystem::path& file);

// The list's bytes when it is whole records of its format: SatcoDX records of
// 128 bytes that each begin with "SATCODX" (a separator of up to two bytes
// after each), DVB2000 records of 64 bytes; a Lyngsat list whose last line has
// no line end gets one, so that the next list's first line stays its own.
// Otherwise the error names the file and the first record that is not whole.
Expected<Bytes> ReadWholeList(MergedListFormat format, const std::filesystem::path& file);

// Writes the files' bytes one after the other into `output`, replacing it only
// once every list has been read whole and the joined file written. The error
// names the list that is unreadable or not whole, or the output that failed.
Outcome ConcatenateListFiles(MergedListFormat format, const std::vector<std::filesystem::path>& files,
                             const std::filesystem::path& output);

// The dialog's file list: never the same path twice (compared ignoring case).
class ListFileCollection {
public:
    explicit ListFileCollection(MergedListFormat format) : format_(format) {}

    // "&Files": false after the duplicate or protocol message.
    bool AddFile(Ui& ui, const std::filesystem::path& file);
    // "Fol&der": adds the folder's files of the format (SatcoDX: only
    // mergeable ones); returns how many were added; the folder message when
    // it holds none.
    std::size_t AddFolder(Ui& ui, const std::filesystem::path& folder);
    // "&Remove" of the selected rows.
    void Remove(const std::vector<std::size_t>& rows);
    // "&Merge" into `output` (chosen by the caller); false after a message.
    bool MergeInto(Ui& ui, const std::filesystem::path& output) const;
    // "&Merge" with the save dialog.
    bool Merge(Ui& ui) const;

    const std::vector<std::filesystem::path>& Files() const { return files_; }

private:
    bool Contains(const std::filesystem::path& file) const;
    bool CanMerge(Ui& ui) const;

    MergedListFormat format_;
    std::vector<std::filesystem::path> files_;
};

}  // namespace velk
