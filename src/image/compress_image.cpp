#include "image/compress_image.h"

#include "common/files.h"
#include "common/format.h"
#include "image/hwc_file.h"
#include "image/image_file.h"
#include "image/lzari.h"
#include "image/zlib_buffer.h"

#include <zlib.h>

#include <new>
#include <optional>
#include <string>

namespace velk {
namespace {

constexpr const char* kCaption = "Compression";

int Fail(Ui& ui, const std::string& text)
{
    ui.Message(text, kCaption, Icon::Error, Buttons::Ok);
    return 0;
}

CancelCheck StopCheck(Ui& ui)
{
    return CancelCheck([&ui] { return ui.ProgressCancelled(); });
}

// The messages of one compressor's file steps.
struct FileMessages {
    const char* openOutput;
    const char* openInput;
};

// Opens the output first, as the receiver's tool does, then reads the input; the
// output only replaces the target when everything else has worked. A file
// failure names the file and the system's reason under the message. A stop
// asked for through the Ui ends the work without a message.
template <typename Compress>
int CompressThroughFiles(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output,
                         const FileMessages& messages, Compress compress)
{
    AtomicFile out(output);
    if (!out.IsOpen())
        return Fail(ui, MessageWithCause(messages.openOutput, out.Failure()));
    try {
        const Expected<Bytes> source = ReadFile(input);
        if (!source)
            return Fail(ui, MessageWithCause(messages.openInput, source.error()));
        const std::optional<Bytes> file = compress(*source);
        if (!file || ui.ProgressCancelled())
            return 0;  // failed and shown, or cancelled: the target stays as it was
        if (!out.Write(*file) || !out.Commit())
            return Fail(ui, MessageWithCause(messages.openOutput, out.Failure()));
        return 1;
    } catch (const std::bad_alloc&) {
        return Fail(ui, "Memory allocation failed.");
    }
}

struct LzariResult {
    std::optional<Bytes> code;
    bool cancelled = false;
};

// The coder in its destination of the input's size, with progress in KiB.
LzariResult EncodeWithProgress(Ui& ui, const Bytes& source)
{
    constexpr std::size_t kKiB = 1024;
    ui.ProgressBegin(kCaption, static_cast<std::uint32_t>(source.size() / kKiB));
    LzariResult result;
    result.code = LzariEncode(source, source.size(), [&](std::size_t done) {
        ui.ProgressSet(static_cast<std::uint32_t>(done / kKiB));
        result.cancelled = ui.ProgressCancelled();
        return !result.cancelled;
    });
    ui.ProgressEnd();
    return result;
}

}  // namespace

int CompressImageZlib(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output, int level)
{
    return CompressThroughFiles(ui, input, output, {"Unable to open output file.", "Unable to open input file."},
                                [&](const Bytes& source) -> std::optional<Bytes> {
        Bytes stream(source.size());
        std::size_t length = 0;
        const int status = CompressBuffer(stream, length, source, level, StopCheck(ui));
        if (status == kDeflateCancelled)
            return std::nullopt;
        if (status != Z_OK) {
            Fail(ui, "Compression failed.");
            return std::nullopt;
        }
        if (length == 0) {
            Fail(ui, "Compressed CRC calculation failed.");
            return std::nullopt;
        }
        return ZlibHwcFile(ByteView(stream).first(length), static_cast<std::uint32_t>(source.size()));
    });
}

int CompressImageBin2Cod(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output)
{
    return CompressThroughFiles(ui, input, output, {"Unable to open outputfile.", "Unable to open inputfile."},
                                [&](const Bytes& source) -> std::optional<Bytes> {
        const std::uint16_t inputCrc = Crc16(source);
        if (inputCrc == 0) {
            Fail(ui, "CRC calculation failed.");
            return std::nullopt;
        }
        const LzariResult compressed = EncodeWithProgress(ui, source);
        if (compressed.cancelled)
            return std::nullopt;
        if (!compressed.code || compressed.code->empty()) {
            Fail(ui, "Compression failed.");
            return std::nullopt;
        }
        if (Crc16(*compressed.code) == 0) {
            Fail(ui, "Compressed CRC calculation failed.");
            return std::nullopt;
        }
        return Bin2CodHwcFile(*compressed.code, static_cast<std::uint32_t>(source.size()), inputCrc);
    });
}

bool CheckCompressionInput(Ui& ui, const std::filesystem::path& input)
{
    const std::optional<std::uint64_t> size = ReadableImageSize(input);
    if (!size)
        return Fail(ui, "Binary file does not exist or invalid path.");
    if (*size == 0)
        return Fail(ui, "Binary file does not contains any data to compress.");
    return true;
}

int CompressImageFile(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output,
                      CompressionType type, int level)
{
    if (!CheckCompressionInput(ui, input))
        return 0;
    const int done = type == CompressionType::Bin2Cod ? CompressImageBin2Cod(ui, input, output)
                                                      : CompressImageZlib(ui, input, output, level);
    if (done)
        ui.Message(Format("%s\nis compressed as\n%s", input.string().c_str(), output.string().c_str()), kCaption,
                   Icon::Information, Buttons::Ok);
    return done;
}

}  // namespace velk
