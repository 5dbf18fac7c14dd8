// The project's LZARI coder and decoder against the classic ones: bit for bit.
#include "classic_lzari.h"
#include "image/lzari.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace velk {
namespace {

std::vector<Bytes> VariedInputs()
{
    std::mt19937 random(17);
    std::vector<Bytes> inputs{Bytes(1, 'x'), Bytes(60, ' '), Bytes(4096 * 3 + 7, 0), Bytes(2, 0xFF)};
    Bytes noise(30000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    inputs.push_back(noise);
    Bytes text;
    for (int i = 0; text.size() < 200000; ++i) {
        const std::string line = "Astra 19.2E " + std::to_string(i * 37 % 1000) + " H 27500 3/4 Service " + std::to_string(i) + "\n";
        text.insert(text.end(), line.begin(), line.end());
    }
    inputs.push_back(text);
    Bytes mixed;  // long runs then noise then repeats far apart, past many model halvings
    while (mixed.size() < 300000) {
        mixed.insert(mixed.end(), random() % 300, static_cast<std::uint8_t>(random() % 4));
        for (int i = 0; i < 40; ++i)
            mixed.push_back(static_cast<std::uint8_t>(random() % 16));
        if (mixed.size() > 5000) {
            const Bytes echo(mixed.end() - 4100, mixed.end() - 4040);
            mixed.insert(mixed.end(), echo.begin(), echo.end());
        }
    }
    inputs.push_back(mixed);
    return inputs;
}

TEST(LzariClassic, CoderAndDecoderMatchTheClassicOnesBitForBit)
{
    for (const Bytes& input : VariedInputs()) {
        const Bytes classic = classic::Encode(input);
        const auto ours = LzariEncode(input, classic.size());
        ASSERT_TRUE(ours) << input.size();
        EXPECT_TRUE(*ours == classic) << "input of " << input.size() << " bytes";
        const ByteView code = ByteView(classic).subspan(4);
        EXPECT_EQ(LzariDecode(code, input.size()), input);
        EXPECT_EQ(classic::Decode(code, input.size()), input);
    }
}

}  // namespace
}  // namespace velk
