#include "shell/session.h"

#include "common/build_identity.h"
#include "common/files.h"
#include "common/format.h"
#include "database/store_files.h"

namespace velk {

std::filesystem::path NormalizeStartDir(const std::filesystem::path& dir)
{
    auto text = dir.string();
    if (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

SettingsFileContent ReadSettingsFile(const std::filesystem::path& startDir)
{
    SettingsFileContent content;
    const auto plain = startDir / kPlainSettingsFileName;
    if (!DecryptSettingsFile(startDir / kSettingsFileName, plain))
        return content;
    const auto bytes = ReadFileBytes(plain);
    RemoveFileIfExists(plain);
    if (!bytes)
        return content;
    content.dv = DecodeDvFile(*bytes);
    content.productType = content.dv ? ProductTypeOf(*content.dv) : 0;
    return content;
}

bool WriteSettingsFile(const std::filesystem::path& startDir, const std::filesystem::path& workDir, const DvRecord& dv)
{
    const auto plain = workDir / kPlainSettingsFileName;
    const bool ok = WriteFileAtomic(plain, EncodeDvFile(dv)) && EncryptSettingsFile(plain, startDir / kSettingsFileName);
    RemoveFileIfExists(plain);
    return ok;
}

std::optional<Session> Session::Start(const std::filesystem::path& startDir, Ui& ui)
{
    const auto start = NormalizeStartDir(startDir);
    const auto settings = ReadSettingsFile(start);
    auto lock = WorkDirLock::Acquire(start / kWorkDirName);
    if (!lock) {
        ShowError(ui, "Couldn't create new directory.");
        return std::nullopt;
    }
    Session session(start, std::move(*lock));
    session.store_.dir = session.lock_.Dir();
    session.store_.productType = settings.productType;
    session.store_.defaults = LoadDefaultValues(settings.dv, settings.productType);
    session.dvRead_ = settings.dv.has_value();
    session.dv_ = settings.dv.value_or(DvRecord{});
    return session;
}

std::string Session::FrameTitle() const
{
    const auto title = ApplicationTitle();
    const auto type = store_.productType;
    return type >= 1 && type <= 3 ? Format("%s [ Type %d ]", title.c_str(), type) : title;
}

bool Session::Shutdown()
{
    if (shutDown_)
        return true;
    shutDown_ = true;
    ClearStore(store_);
    for (const auto name : store_file::kRemovedAtExit)
        RemoveFileIfExists(store_.File(name));
    dv_ = StoreDefaultValues(store_.defaults, dv_);
    SetProductType(dv_, store_.productType);
    const bool saved = WriteSettingsFile(startDir_, store_.dir, dv_);
    return lock_.ReleaseAndRemove() && saved;
}

}  // namespace velk
