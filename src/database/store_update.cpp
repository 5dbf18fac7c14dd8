#include "database/store_update.h"

#include "common/files.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>

namespace velk {
namespace {

namespace fs = std::filesystem;

fs::path NewPath(const fs::path& dir, const std::string& name) { return dir / ("." + name + ".new"); }
fs::path OldPath(const fs::path& dir, const std::string& name) { return dir / ("." + name + ".old"); }

bool WriteWhole(const fs::path& path, ByteView data)
{
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), file.get()) == data.size();
    return written && std::fclose(file.release()) == 0;
}

bool Rename(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

}  // namespace

void StoreUpdate::Replace(std::string_view name, Bytes content)
{
    std::erase_if(changes_, [&](const Change& c) { return c.name == name; });
    changes_.push_back({std::string(name), false, std::move(content)});
}

void StoreUpdate::Remove(std::string_view name)
{
    std::erase_if(changes_, [&](const Change& c) { return c.name == name; });
    changes_.push_back({std::string(name), true, {}});
}

bool StoreUpdate::Commit()
{
    // Stage every new file completely before touching any target.
    for (const auto& change : changes_) {
        if (!change.remove && !WriteWhole(NewPath(dir_, change.name), change.content)) {
            for (const auto& c : changes_)
                RemoveFileIfExists(NewPath(dir_, c.name));
            return false;
        }
    }
    // Swap them in, keeping each old file aside until all have succeeded.
    std::vector<bool> hadOld(changes_.size(), false);
    std::size_t done = 0;
    bool ok = true;
    for (; done < changes_.size(); ++done) {
        const auto& change = changes_[done];
        const auto target = dir_ / change.name;
        std::error_code ec;
        hadOld[done] = fs::exists(target, ec);
        if (hadOld[done] && !Rename(target, OldPath(dir_, change.name))) {
            ok = false;
            break;
        }
        if (!change.remove && !Rename(NewPath(dir_, change.name), target)) {
            if (hadOld[done])
                Rename(OldPath(dir_, change.name), target);
            ok = false;
            break;
        }
    }
    if (!ok) {
        for (std::size_t i = done; i-- > 0;) {
            const auto target = dir_ / changes_[i].name;
            if (hadOld[i])
                Rename(OldPath(dir_, changes_[i].name), target);
            else
                RemoveFileIfExists(target);
        }
        for (const auto& c : changes_)
            RemoveFileIfExists(NewPath(dir_, c.name));
        return false;
    }
    for (std::size_t i = 0; i < changes_.size(); ++i)
        if (hadOld[i])
            RemoveFileIfExists(OldPath(dir_, changes_[i].name));
    changes_.clear();
    return true;
}

}  // namespace velk
