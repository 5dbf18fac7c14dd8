// Old-to-new conversion on arbitrary bytes; its output must then parse or fail cleanly.
#include "sdb/sdb_convert.h"
#include "sdb/sdb_reader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace {

class NullUi final : public velk::Ui {
public:
    velk::Answer Message(const std::string&, const std::string&, velk::Icon, velk::Buttons) override { return velk::Answer::Ok; }
    void ProgressBegin(const std::string&, std::uint32_t) override {}
    void ProgressSet(std::uint32_t) override {}
    void ProgressEnd() override {}
    std::optional<std::filesystem::path> ChooseOpenFile(const velk::FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const velk::FileChoice&) override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullUi ui;
    const auto result = velk::sdb::ConvertOld2New(ui, velk::ByteView(data, size), 2);
    if (result.code == velk::sdb::kConvertOk)
        (void)velk::sdb::ParseSdbImage(result.data, velk::Placement::Lnb, 2);
    return 0;
}
