#include "layout_option.h"

#include "common/files.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_old_layout.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"


namespace velk::cli {

void AddLayoutOption(CLI::App* command, sdb::SdbLayout& layout, sdb::SdbLayout fallback, const std::string& name)
{
    layout = fallback;
    const std::string help = std::string("Layout of the written file: old (the receiver's; it does not keep program numbers, "
                                         "22 kHz settings and skews) or new (default: ")
        + sdb::LayoutName(fallback) + ")";
    command
        ->add_option_function<std::string>(
            name, [&layout](const std::string& value) { layout = sdb::LayoutFromName(value).value_or(layout); }, help)
        ->check(CLI::IsMember({"old", "new"}))
        ->option_text("old|new");
}

bool WriteImageInLayout(Ui& ui, ByteView newLayout, const std::filesystem::path& target, sdb::SdbLayout layout,
                        const FileRun& run)
{
    Bytes written(newLayout.begin(), newLayout.end());
    if (layout == sdb::SdbLayout::Old && run.placement != Placement::Lnb)
        ShowWarning(ui, "The old layout cannot hold switch settings of satellites or carriers: written in the new layout.");
    else if (layout == sdb::SdbLayout::Old) {
        if (const auto loss = sdb::OldLayoutLossOfImage(ui, newLayout, run.placement, run.productType); loss && loss->Any())
            ShowWarning(ui, sdb::OldLayoutWarning(*loss));
        auto old = sdb::OldLayoutOfImage(newLayout, run.productType);
        if (!old) {
            ShowError(ui, sdb::kConvertNew2OldError);
            return false;
        }
        written = std::move(*old);
    }
    if (WriteFileAtomic(target, written))
        return true;
    ShowError(ui, kFileAccessError);
    return false;
}

bool WriteStoreInLayout(Ui& ui, WorkingStore& store, sdb::SdbSession& session, const std::filesystem::path& target,
                        sdb::SdbLayout layout)
{
    const bool keepNew = layout == sdb::SdbLayout::New;
    if (const auto loss = sdb::OldLayoutLossOfStore(ui, store, session); !keepNew && loss && loss->Any())
        ShowWarning(ui, sdb::OldLayoutWarning(*loss));
    return sdb::WriteSdbBinFile(store, session, ui, target, keepNew, false) == 1;
}

}  // namespace velk::cli
