#include "link/console_log.h"

#include "common/files.h"
#include "common/format.h"
#include "link/upload_errors.h"

#include <algorithm>
#include <fstream>

namespace velk::link {

ConsoleLog::ConsoleLog(std::filesystem::path workDir, Ui& ui) : path_(std::move(workDir) / kConsoleLogName), ui_(ui)
{
    Clear();
}

bool ConsoleLog::Append(std::string_view text)
{
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
        ShowError(ui_, "WriteFile problem");
        return false;
    }
    return true;
}

bool ConsoleLog::AppendUploadReport(int code) { return Append(UploadErrorText(code)); }

void ConsoleLog::Clear() { std::ofstream(path_, std::ios::binary | std::ios::trunc); }

bool ConsoleLog::Save()
{
    if (FileSize(path_).value_or(0) == 0) {
        ShowInfo(ui_, "No data in the buffer to save log file");
        return false;
    }
    const auto target = ui_.ChooseSaveFile(FileChoice{"Save as log file", "Log File ( *.txt )|*.txt", "txt", {}});
    if (!target)
        return false;
    if (!CopyFileAtomic(path_, *target)) {
        ShowError(ui_, "File access error");
        return false;
    }
    ShowInfo(ui_, Format("%s log file is saved successfully.", target->string().c_str()));
    return true;
}

std::string ConsoleLog::Contents() const
{
    const auto bytes = ReadFileBytes(path_);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::string FilterReceivedBytes(ByteView bytes)
{
    static constexpr std::uint8_t kBlanked[] = {0x00, 0x04, 0x05, 0x06, 0x07, 0x11, 0x13, 0x15, 0x17, 0x91, 0x99};
    std::string out(bytes.begin(), bytes.end());
    for (auto& c : out)
        if (std::find(std::begin(kBlanked), std::end(kBlanked), static_cast<std::uint8_t>(c)) != std::end(kBlanked))
            c = ' ';
    return out;
}

std::optional<Bytes> CommandLineToSend(std::string_view text)
{
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n")
        return std::nullopt;
    const auto body = text.substr(0, text.size() - 2);
    const auto start = body.rfind("\r\n");
    auto line = start == std::string_view::npos ? body : body.substr(start + 2);
    const auto stop = std::find_if(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<std::uint8_t>(c);
        return b == 0 || b > 0x7F;
    });
    Bytes out(line.begin(), stop);
    out.push_back(0x0D);
    out.push_back(0x0A);
    return out;
}

}  // namespace velk::link
