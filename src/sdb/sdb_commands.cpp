#include "sdb/sdb_commands.h"

#include "common/c_number.h"
#include "common/format.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"

namespace velk::sdb {

const FileChoice kSdbSaveChoice{"Save", "StaticDatabase BIN Files ( *.BIN )|*.bin", "bin", {}};
const FileChoice kSdbOpenChoice{"Open", "StaticDatabase BIN Files ( *.BIN )|*.bin", "bin", {}};

namespace {

// A version byte: nullopt (after the message) when empty or 256 and more.
std::optional<std::uint8_t> VersionByte(const std::string& text, const char* name, Ui& ui)
{
    if (text.empty()) {
        ShowInfo(ui, Format("%s Version should be entered", name));
        return std::nullopt;
    }
    const auto value = ParseDecimal(text);
    if (value >= 256) {
        ShowInfo(ui, Format("%s Version should be less than 256", name));
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value < 0 ? 0 : value);
}

// Cancelled at the layout question: 0 with nothing written.
int SaveTo(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
           const SaveLayoutChoice& layoutChoice)
{
    const auto layout = ChooseSaveLayout(store, session, ui, layoutChoice);
    if (!layout)
        return 0;
    if (WritePaddedSdbFile(store, session, ui, target, *layout) == 1)
        return 1;
    ShowError(ui, kSaveFailed);
    return 0;
}

bool Prepare(const WorkingStore& store, SdbSession& session, Ui& ui, const VersionDialog& versionDialog)
{
    return CheckCountsForSave(store, ui) && versionDialog(session);
}

}  // namespace

VersionFields VersionDialogFields(const SdbSession& session)
{
    return {session.sdbMajor ? std::to_string(session.sdbMajor) : "1",
            session.sdbMinor ? std::to_string(session.sdbMinor) : "0",
            session.userInitial.empty() ? "Kym" : session.userInitial};
}

std::optional<VersionField> AcceptVersionDialog(const VersionFields& fields, Ui& ui, SdbSession& session)
{
    const auto major = VersionByte(fields.major, "Major", ui);
    if (!major)
        return VersionField::Major;
    const auto minor = VersionByte(fields.minor, "Minor", ui);
    if (!minor)
        return VersionField::Minor;
    if (fields.userInitial.empty()) {
        ShowInfo(ui, "User Initial should be entered");
        return VersionField::UserInitial;
    }
    session.sdbMajor = *major;
    session.sdbMinor = *minor;
    session.userInitial = fields.userInitial.substr(0, 3);
    return std::nullopt;
}

bool CheckCountsForSave(const WorkingStore& store, Ui& ui)
{
    if (store.lnbCount == 0) {
        ShowInfo(ui, "LNB Information should be entered");
        return false;
    }
    if (store.lnbCount > LnbLimit(store.productType)) {
        ShowInfo(ui, LnbLimitMessage(store.productType));
        return false;
    }
    if (store.satelliteCount == 0) {
        ShowInfo(ui, "Satellite Information should be entered");
        return false;
    }
    return true;
}

int SaveCommand(WorkingStore& store, SdbSession& session, Ui& ui, const VersionDialog& versionDialog,
                const SaveLayoutChoice& layoutChoice)
{
    if (!Prepare(store, session, ui, versionDialog))
        return 0;
    auto target = session.currentFile;
    if (target.empty()) {
        const auto chosen = ui.ChooseSaveFile(kSdbSaveChoice);
        if (!chosen)
            return 0;
        target = *chosen;
    }
    if (!SaveTo(store, session, ui, target, layoutChoice))
        return 0;
    session.currentFile = target;
    return 1;
}

int SaveAsCommand(WorkingStore& store, SdbSession& session, Ui& ui, const VersionDialog& versionDialog,
                  const SaveLayoutChoice& layoutChoice)
{
    if (!Prepare(store, session, ui, versionDialog))
        return 0;
    const auto target = ui.ChooseSaveFile(kSdbSaveChoice);
    return target ? SaveTo(store, session, ui, *target, layoutChoice) : 0;
}

std::string SavedCaption(const std::filesystem::path& path) { return Format("[ %s ]", path.c_str()); }

std::uint64_t OldLayoutSize(const WorkingStore& s)
{
    return 12ull * s.lnbCount + 28ull * s.satelliteCount + 36ull * s.carrierCount + 34ull * s.serviceCount + 308;
}

std::string SdbInformationText(const WorkingStore& s)
{
    const auto size = static_cast<int>(OldLayoutSize(s));
    const auto counts = Format(" Total  LNBs\t: %d \n Total  Satellites\t: %d \n Total  Carriers\t: %d \n Total  Services\t: %d \n",
                               static_cast<int>(s.lnbCount), static_cast<int>(s.satelliteCount),
                               static_cast<int>(s.carrierCount), static_cast<int>(s.serviceCount));
    if (size <= 1024)
        return counts + Format(" BIN File Size\t: %d Bytes ", size);
    return counts + Format(" BIN File Size\t: %.2f KB ( %d Bytes )", size / 1024.0, size);
}

int SdbInformation(const WorkingStore& store, SdbSession& session, Ui& ui)
{
    if (store.lnbCount == 0) {
        ShowInfo(ui, "LNB Information should be entered ");
        return 0;
    }
    if (store.satelliteCount == 0) {
        ShowInfo(ui, "Satellite Information should be entered ");
        return 0;
    }
    session.sizeInformation = true;
    ui.Message(SdbInformationText(store), kSdbInfoCaption, Icon::Information, Buttons::Ok);
    return 1;
}

int OpenCommand(WorkingStore& store, SdbSession& session, Ui& ui, std::filesystem::path path)
{
    if (path.empty()) {
        const auto chosen = ui.ChooseOpenFile(kSdbOpenChoice);
        if (!chosen)
            return 0;
        path = *chosen;
    }
    ClearStore(store);
    session.currentFile.clear();
    if (OpenSdbBinFile(store, session, ui, path) != 1)
        return 0;
    session.currentFile = path;
    return 1;
}

}  // namespace velk::sdb
