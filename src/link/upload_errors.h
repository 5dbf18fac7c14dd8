#pragma once
// The lines an upload appends to the console log for a result or fault code.
#include <string>

namespace velk::link {

inline constexpr int kUploadBadMagic = -6;
inline constexpr int kUploadBadHeaderEnd = -3;
inline constexpr int kUploadBadHeaderStart = -1;
inline constexpr int kUploadSuccess = 1;
inline constexpr int kUploadTerminated = 23;

// The text of the code's row (empty for an unknown code); the console shows it in red.
std::string UploadErrorText(int code);

}  // namespace velk::link
