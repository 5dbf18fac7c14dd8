#include "link/upload_errors.h"

namespace velk::link {

std::string UploadErrorText(int code)
{
    switch (code) {
    case kUploadBadMagic:
        return "\n<========== Error ( -6 ) ==========>\n   Problem : Magic ID not found\n   Solution: Regenerate UART File\n";
    case kUploadBadHeaderEnd:
        return "\n<========== Error ( -3 ) ==========>\n   Problem : Invalid HeaderEnd\n   Solution: Regenerate UART File\n";
    case kUploadBadHeaderStart:
        return "\n<========== Error ( -1 ) ==========>\n   Problem : Invalid HeaderStart\n   Solution: Regenerate UART File\n";
    case kUploadSuccess:
        return "\r\n<========== Upload Success ==========>\r\n";
    case kUploadTerminated:
        return "\n<========== Terminated by user ==========>\n   Please Switch Off the Board and then Transmit\n";
    default:
        return {};
    }
}

}  // namespace velk::link
