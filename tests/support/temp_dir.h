#pragma once
// A fresh directory for one test, removed with everything in it afterwards.
#include "common/bytes.h"

#include <filesystem>
#include <string_view>

namespace velk::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes a whole file, for fixtures.
void WriteBytes(const std::filesystem::path& path, ByteView data);
void WriteText(const std::filesystem::path& path, std::string_view text);
Bytes ReadBytes(const std::filesystem::path& path);

}  // namespace velk::test
