#include "database/file_delta.h"

#include <algorithm>

namespace velk {
namespace {

// Runs of differing bytes closer than this are held as one: a run costs more
// than a few unchanged bytes.
constexpr std::size_t kJoinGap = 16;

Bytes Range(ByteView b, std::size_t from, std::size_t to) { return Bytes(b.begin() + from, b.begin() + to); }

// Equal lengths: every place that differs, joined across short gaps.
std::vector<ByteRun> DiffSameSize(ByteView before, ByteView after)
{
    std::vector<ByteRun> runs;
    std::size_t i = 0;
    while (i < before.size()) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        std::size_t end = i + 1, same = 0;
        for (std::size_t j = end; j < before.size() && same < kJoinGap; ++j) {
            if (before[j] == after[j]) {
                ++same;
            } else {
                same = 0;
                end = j + 1;
            }
        }
        runs.push_back({i, Range(before, i, end), Range(after, i, end)});
        i = end;
    }
    return runs;
}

// Different lengths: one run between the common beginning and the common end.
ByteRun DiffResized(ByteView before, ByteView after)
{
    const auto shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {head, Range(before, head, before.size() - tail), Range(after, head, after.size() - tail)};
}

}  // namespace

std::size_t FileDelta::Size() const
{
    std::size_t bytes = name.size();
    for (const auto& run : runs)
        bytes += sizeof(ByteRun) + run.before.size() + run.after.size();
    return bytes;
}

FileDelta DiffFile(std::string name, const FileContent& before, const FileContent& after)
{
    FileDelta delta{std::move(name), before.has_value(), after.has_value(), {}};
    const ByteView from = before ? ByteView(*before) : ByteView();
    const ByteView to = after ? ByteView(*after) : ByteView();
    if (from.size() == to.size())
        delta.runs = DiffSameSize(from, to);
    else
        delta.runs.push_back(DiffResized(from, to));
    return delta;
}

std::optional<FileContent> ApplyDelta(const FileDelta& delta, const FileContent& content, bool forward)
{
    if (content.has_value() != (forward ? delta.existedBefore : delta.existsAfter))
        return std::nullopt;
    const ByteView source = content ? ByteView(*content) : ByteView();
    Bytes out;
    out.reserve(source.size());
    std::size_t at = 0;
    for (const auto& run : delta.runs) {
        const Bytes& expected = forward ? run.before : run.after;
        const Bytes& wanted = forward ? run.after : run.before;
        if (run.offset < at || run.offset > source.size() || source.size() - run.offset < expected.size()
            || !std::equal(expected.begin(), expected.end(), source.begin() + run.offset))
            return std::nullopt;
        out.insert(out.end(), source.begin() + at, source.begin() + run.offset);
        out.insert(out.end(), wanted.begin(), wanted.end());
        at = run.offset + expected.size();
    }
    out.insert(out.end(), source.begin() + at, source.end());
    if (!(forward ? delta.existsAfter : delta.existedBefore))
        return FileContent{};
    return FileContent{std::move(out)};
}

}  // namespace velk
