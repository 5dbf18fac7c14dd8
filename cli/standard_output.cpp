#include "standard_output.h"

#include <cstdio>

namespace velk::cli {

bool WriteToStandardOutput(const std::optional<Bytes>& bytes)
{
    if (!bytes)
        return false;
    const auto written = std::fwrite(bytes->data(), 1, bytes->size(), stdout);
    return written == bytes->size() && std::fflush(stdout) == 0;
}

}  // namespace velk::cli
