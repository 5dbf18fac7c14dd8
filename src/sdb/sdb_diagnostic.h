#pragma once
// Diagnostic lines of the SDB converters and reader on stderr, in the form
// "sdb_parser <line>> <text>", so a failure says where and why it was found.
#include "common/error.h"
#include "common/format.h"

#include <cstdio>
#include <string>

namespace velk::sdb {

inline constexpr const char* kDiagnosticSource = "sdb_parser";

// `format` starts with "%s %d> "; the source name and the caller's line
// (__LINE__, or __builtin_LINE() as a default argument) fill them.
template <typename... Args>
void Diagnose(int line, const char* format, Args... args)
{
    const auto text = Format(format, kDiagnosticSource, line, args...);
    std::fprintf(stderr, "%s\n", text.c_str());
}

// The cause of the failure just diagnosed (which file, and why), on the next line.
inline void DiagnoseCause(const Error& error) { std::fprintf(stderr, "%s\n", CauseText(error).c_str()); }

}  // namespace velk::sdb
