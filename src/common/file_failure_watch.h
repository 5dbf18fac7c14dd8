#pragma once
// Several lower layers still report a failed file step as a bare code, and
// their callers phrase the program's message without the cause. A watch at the
// command boundary keeps the latest failure the file layer met on this thread
// while it lives, so the boundary can put "file: reason" under that message.
#include "common/error.h"

#include <optional>

namespace velk {

class FileFailureWatch {
public:
    FileFailureWatch();
    ~FileFailureWatch();
    FileFailureWatch(const FileFailureWatch&) = delete;
    FileFailureWatch& operator=(const FileFailureWatch&) = delete;

    // The latest failure since construction or the last Take(); cleared by it.
    std::optional<Error> Take();

private:
    friend void NoteFileFailure(const Error& error);
    FileFailureWatch* outer_;
    std::optional<Error> latest_;
};

// Called by the file layer on every failure; the innermost watch keeps it.
void NoteFileFailure(const Error& error);

}  // namespace velk
