#include "common/file_failure_watch.h"

#include <utility>

namespace velk {
namespace {

thread_local FileFailureWatch* t_innermost = nullptr;

}  // namespace

FileFailureWatch::FileFailureWatch() : outer_(t_innermost) { t_innermost = this; }

FileFailureWatch::~FileFailureWatch() { t_innermost = outer_; }

std::optional<Error> FileFailureWatch::Take() { return std::exchange(latest_, std::nullopt); }

void NoteFileFailure(const Error& error)
{
    if (t_innermost)
        t_innermost->latest_ = error;
}

}  // namespace velk
