#pragma once
// Asked by long work between pieces (a block of input compressed, a list
// read): true once the user asked to stop. The default check never stops.
// The Ui port's ProgressCancelled is the usual source.
#include <functional>
#include <utility>

namespace velk {

class CancelCheck {
public:
    CancelCheck() = default;
    explicit CancelCheck(std::function<bool()> asked) : asked_(std::move(asked)) {}
    bool operator()() const { return asked_ && asked_(); }

private:
    std::function<bool()> asked_;
};

}  // namespace velk
