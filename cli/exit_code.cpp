#include "commands.h"

namespace velk::cli {

int& ExitCode()
{
    static int code = 0;
    return code;
}

}  // namespace velk::cli
