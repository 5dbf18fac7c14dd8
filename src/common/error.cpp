#include "common/error.h"

#include <cstring>

namespace velk {

Error SystemError(const std::filesystem::path& path, int errnoValue)
{
    return {ErrorKind::Io, path, std::strerror(errnoValue)};
}

Error FormatError(const std::filesystem::path& path, std::string reason)
{
    return {ErrorKind::Format, path, std::move(reason)};
}

Error CancelledError() { return {ErrorKind::Cancelled, {}, "stopped by request"}; }

std::string CauseText(const Error& error)
{
    if (error.path.empty())
        return error.reason;
    return error.path.string() + ": " + error.reason;
}

std::string MessageWithCause(std::string_view text, const Error& error)
{
    std::string message(text);
    message += '\n';
    message += CauseText(error);
    return message;
}

}  // namespace velk
