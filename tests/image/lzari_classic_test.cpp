// The project's LZARI coder and decoder against the classic ones: bit for bit.
#include "classic_lzari.h"
#include "firmware_like.h"
#include "image/lzari.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace velk {
namespace {

using test::FirmwareLike;

Bytes Noise(std::size_t size, std::mt19937& random)
{
    Bytes noise(size);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    return noise;
}

Bytes TextLike(std::size_t size)
{
    Bytes text;
    for (int i = 0; text.size() < size; ++i) {
        const std::string line = "Astra 19.2E " + std::to_string(i * 37 % 1000) + " H 27500 3/4 Service " + std::to_string(i) + "\n";
        text.insert(text.end(), line.begin(), line.end());
    }
    text.resize(size);
    return text;
}

std::vector<Bytes> VariedInputs()
{
    std::mt19937 random(17);
    std::vector<Bytes> inputs{Bytes(1, 'x'), Bytes(60, ' '), Bytes(4096 * 3 + 7, 0), Bytes(2, 0xFF)};
    // Sizes around the ring's: the first match reaching back into the blanks, the ring
    // wrapping, the mirror after it filling.
    for (const std::size_t size : {std::size_t{4095}, std::size_t{4096}, std::size_t{4097}}) {
        inputs.push_back(Bytes(size, 0));
        inputs.push_back(Noise(size, random));
        inputs.push_back(TextLike(size));
        inputs.push_back(FirmwareLike(size, random));
    }
    // Runs of one byte far longer than a match: every insert replaces a full-length match.
    for (const std::uint8_t byte : {std::uint8_t{' '}, std::uint8_t{0xFF}}) {
        Bytes runs(20000, byte);
        runs.insert(runs.end(), 61, 'a');
        runs.insert(runs.end(), 9000, byte);
        inputs.push_back(runs);
    }
    // Strings alike in their first eight, sixteen, ... bytes: the walk's word compares
    // decide on every byte of a word and on the last one before F.
    Bytes prefixes;
    while (prefixes.size() < 60000) {
        const std::size_t shared = random() % 64;
        prefixes.insert(prefixes.end(), shared, 'k');
        prefixes.push_back(static_cast<std::uint8_t>('k' + static_cast<int>(random() % 3) - 1));
    }
    inputs.push_back(prefixes);
    inputs.push_back(Noise(30000, random));
    inputs.push_back(TextLike(200000));
    inputs.push_back(FirmwareLike(400000, random));
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
