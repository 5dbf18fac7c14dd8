#pragma once
// What a test compares of the working store: the names of a level's records,
// and every record file byte for byte.
#include "common/files.h"
#include "database/record_io.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace velk::test {

template <typename Record>
std::vector<std::string> RecordNames(const WorkingStore& store)
{
    std::vector<std::string> names;
    const auto records = ReadAllRecords<Record>(store);
    for (const auto& r : *records)
        names.push_back(r.name.Text());
    return names;
}

inline std::map<std::string, Bytes> StoreFiles(const WorkingStore& store)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::directory_iterator(store.dir))
        if (entry.path().extension() == ".stb")
            files[entry.path().filename().string()] = *ReadFileBytes(entry.path());
    return files;
}

}  // namespace velk::test
