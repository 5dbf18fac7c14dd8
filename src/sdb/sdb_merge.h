#pragma once
// Merging two new-layout SDB BIN files into a third, file to file (the working
// store is not touched). The LNB table comes from one file, the satellites from
// both (the user picks one copy of a satellite present in both, through the UI
// port), and the carriers and services of the kept satellites. Every written
// service's carrier index is renumbered to its carrier's position in the
// output. The output is replaced only when complete.
#include "common/ui.h"
#include "database/records.h"

#include <filesystem>
#include <string>

namespace velk::sdb {

// Result codes.
inline constexpr int kMergeInputNotOpened = 0;
inline constexpr int kMergeOutputNotCreated = 1;
inline constexpr int kMergePlacementDiffers = 2;
inline constexpr int kMergeFile1Magic = 3;
inline constexpr int kMergeFile2Magic = 4;
inline constexpr int kMergeOldVersion = 5;
inline constexpr int kMergeDone = 6;

struct MergeRequest {
    std::filesystem::path file1;
    std::filesystem::path file2;
    std::filesystem::path output;
    Placement placement = Placement::Lnb;  // the run's switch-block placement
};

// Runs the merge and returns its result code. Questions (LNB table, duplicate
// satellites) are asked with Yes/No; nothing is shown for the result.
int MergeSdbFiles(Ui& ui, const MergeRequest& request);

// The merger dialog's message for a result code.
std::string MergeResultMessage(int code, const std::filesystem::path& file1, const std::filesystem::path& file2,
                               const std::filesystem::path& output);

// The Merge button: checks both paths ("Static binary file does not exist or
// invalid path.", "Static binary file does not contains any data to merge."),
// asks for the output ("Save Bin File as"), merges and shows the result's
// message. Returns the result code, or -1 when it stopped before merging.
int MergeButton(Ui& ui, const std::filesystem::path& file1, const std::filesystem::path& file2, Placement placement);

}  // namespace velk::sdb
