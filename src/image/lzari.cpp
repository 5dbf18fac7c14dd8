#include "image/lzari.h"

#include "image/lzari_model.h"

#include <boost/endian/conversion.hpp>

#include <algorithm>
#include <array>
#include <bit>
#include <memory>

namespace velk {
namespace {

using namespace lzari;

constexpr int kNil = kRing;  // empty tree link
constexpr std::size_t kProgressStep = 64 * 1024;

// Where two strings first differ (F when they agree up to F) and whether the first
// orders after or with the second.
struct Comparison {
    int length;
    bool notBelow;
};

// Binary search trees over the ring buffer, one root per first byte; finds the
// longest (then nearest) earlier match of the string at a position.
class MatchTree {
public:
    MatchTree()
    {
        // Blanks before the coding position, as the classic coder pre-fills them;
        // the mirror of the first F - 1 bytes after the ring starts out zero.
        std::fill_n(text_.begin(), kRing - kLookAhead, std::uint8_t{' '});
        for (auto& links : children_)
            links = {kNil, kNil};
        parents_.fill(kNil);
    }

    void Put(int pos, std::uint8_t byte)
    {
        text_[static_cast<std::size_t>(pos)] = byte;
        if (pos < kLookAhead - 1)
            text_[static_cast<std::size_t>(pos + kRing)] = byte;
    }
    std::uint8_t At(int pos) const { return text_[static_cast<std::size_t>(pos)]; }
    int MatchLength() const { return matchLength_; }
    int MatchPosition() const { return matchPosition_; }

    // Adds the string at r. Only the insert before each coded symbol needs the match
    // it found (`findMatch`); the others still walk the same path, as they must keep
    // the tree's shape, but skip the bookkeeping. Out of line: inlined into the
    // coder's loop, the walk runs short of registers.
    template <bool findMatch>
    [[gnu::noinline]] void Insert(int r)
    {
        const std::uint8_t* key = &text_[static_cast<std::size_t>(r)];
        int p = kRing + 1 + key[0];
        Right(r) = Left(r) = kNil;
        matchLength_ = 0;
        // The longest match so far, nearest first on equal lengths, as one number
        // (length high, nearness low) so that keeping the best needs no branch.
        std::uint32_t best = 0;
        // The walk's pace is set by one chain per step: order the key against the node,
        // pick the child. Both children's first words and links are loaded while the
        // node is compared, so the step down only picks among loaded values (masks,
        // not a branch: the side is a coin toss). An empty link (N) loads harmlessly.
        int side = 1;
        int next = Right(p);
        if (next == kNil)
            return Attach(r, p, side);
        std::uint64_t word = Word(next);
        std::uint32_t links = Links(next);
        for (;;) {
            p = next;
            const int left = static_cast<int>(links & 0xFFFFu);
            const int right = static_cast<int>(links >> 16);
            const std::uint64_t leftWord = Word(left), rightWord = Word(right);
            const std::uint32_t leftLinks = Links(left), rightLinks = Links(right);
            const Comparison order = Compare(key, word, &text_[static_cast<std::size_t>(p)]);
            side = order.notBelow;
            if constexpr (findMatch) {
                const auto nearness = static_cast<std::uint32_t>(kRing - 1 - ((r - p) & (kRing - 1)));
                const std::uint32_t score = (static_cast<std::uint32_t>(order.length) << 12) | nearness;
                best = order.length > kThreshold ? std::max(best, score) : best;
            }
            if (order.length >= kLookAhead)
                break;
            const auto pick = std::uint64_t{0} - static_cast<std::uint64_t>(side);  // all ones for right
            next = left ^ ((left ^ right) & static_cast<int>(pick));
            if (next == kNil) {
                SetMatch(best);
                return Attach(r, p, side);
            }
            word = leftWord ^ ((leftWord ^ rightWord) & pick);
            links = leftLinks ^ ((leftLinks ^ rightLinks) & static_cast<std::uint32_t>(pick));
        }
        SetMatch(best);
        // A full-length match: r takes p's place in the tree.
        Parent(r) = Parent(p);
        Left(r) = Left(p);
        Right(r) = Right(p);
        Parent(Left(p)) = r;
        Parent(Right(p)) = r;
        ReplaceChild(p, r);
        Parent(p) = kNil;
    }

    void Delete(int p)
    {
        if (Parent(p) == kNil)
            return;
        const int left = Left(p);
        const int right = Right(p);
        // With a child missing, the other (or none) takes p's place; else the
        // rightmost node of the left subtree does.
        int q = left ^ right ^ kNil;
        if ((left != kNil) & (right != kNil)) {
            q = left;
            if (Right(q) != kNil) {
                do
                    q = Right(q);
                while (Right(q) != kNil);
                Right(Parent(q)) = Left(q);
                Parent(Left(q)) = Parent(q);
                Left(q) = static_cast<std::uint16_t>(left);
                Parent(left) = static_cast<std::uint16_t>(q);
            }
            Right(q) = static_cast<std::uint16_t>(right);
            Parent(right) = static_cast<std::uint16_t>(q);
        }
        Parent(q) = Parent(p);
        ReplaceChild(p, q);
        Parent(p) = kNil;
    }

private:
    // Orders the key against a node's string from their second byte on (`nodeWord` is
    // the node's first word, already loaded), eight bytes at a time, past F into the
    // slack after the ring when it must. The order of strings that agree up to F is
    // of no use to the caller.
    static Comparison Compare(const std::uint8_t* key, std::uint64_t nodeWord, const std::uint8_t* node)
    {
        int at = 1;
        std::uint64_t x = boost::endian::load_big_u64(key + at);
        std::uint64_t y = nodeWord;
        while (x == y && (at += 8) < kLookAhead) {
            x = boost::endian::load_big_u64(key + at);
            y = boost::endian::load_big_u64(node + at);
        }
        return {std::min(at + std::countl_zero(x ^ y) / 8, kLookAhead), x >= y};
    }

    // The first word of node i's string after the byte its root fixed.
    std::uint64_t Word(int i) const { return boost::endian::load_big_u64(&text_[static_cast<std::size_t>(i) + 1]); }
    // Both children of node i in one word, left in the low half.
    std::uint32_t Links(int i) const
    {
        const auto& c = children_[static_cast<std::size_t>(i)];
        return c[0] | (static_cast<std::uint32_t>(c[1]) << 16);
    }
    void Attach(int r, int p, int side)
    {
        children_[static_cast<std::size_t>(p)][static_cast<std::size_t>(side)] = static_cast<std::uint16_t>(r);
        Parent(r) = static_cast<std::uint16_t>(p);
    }

    void SetMatch(std::uint32_t best)
    {
        if (best == 0) {
            matchLength_ = 0;
            return;
        }
        matchLength_ = static_cast<int>(best >> 12);
        matchPosition_ = kRing - 1 - static_cast<int>(best & (kRing - 1));
    }

    std::uint16_t& Left(int i) { return children_[static_cast<std::size_t>(i)][0]; }
    std::uint16_t& Right(int i) { return children_[static_cast<std::size_t>(i)][1]; }
    std::uint16_t& Parent(int i) { return parents_[static_cast<std::size_t>(i)]; }
    void ReplaceChild(int old, int with)
    {
        // Indexed by the side rather than branching on it: the side is a coin toss.
        const int dad = Parent(old);
        children_[static_cast<std::size_t>(dad)][Right(dad) == old ? 1u : 0u] = static_cast<std::uint16_t>(with);
    }

    // The ring, the mirror of its first F - 1 bytes, and slack for the wide compares.
    std::array<std::uint8_t, kRing + kLookAhead - 1 + 8> text_{};
    // Ring positions 0..N-1, NIL = N, and the 256 roots after it. 16-bit links keep
    // the whole tree in the first-level cache; a node's two children share an aligned
    // word, one load per node walked, and parents (never read walking down) lie apart.
    alignas(4) std::array<std::array<std::uint16_t, 2>, kRing + 257> children_{};  // left, right
    std::array<std::uint16_t, kRing + 257> parents_{};
    int matchLength_ = 0;
    int matchPosition_ = 0;
};

// Packs code bits MSB first; refuses to grow past the limit. Bits gather in a word
// and leave a byte at a time: the coder emits runs of equal bits after each shift.
class BitSink {
public:
    BitSink(Bytes& out, std::size_t limit) : out_(out), limit_(limit) {}

    // The low `count` bits of `bits`, count <= 16.
    void PutBits(std::uint32_t bits, int count)
    {
        pending_ = (pending_ << count) | (bits & ((1u << count) - 1));
        filled_ += count;
        while (filled_ >= 8) {
            filled_ -= 8;
            Emit(static_cast<std::uint8_t>(pending_ >> filled_));
        }
    }
    // `count` copies of `bit`.
    void PutRun(bool bit, int count)
    {
        while (count > 0) {
            const int n = std::min(count, 32);
            pending_ = (pending_ << n) | (bit ? (std::uint64_t{1} << n) - 1 : 0);
            filled_ += n;
            count -= n;
            while (filled_ >= 8) {
                filled_ -= 8;
                Emit(static_cast<std::uint8_t>(pending_ >> filled_));
            }
        }
    }
    // Seven zero bits, as the classic coder flushes; a byte they leave unfinished is dropped.
    void Flush() { PutRun(false, 7); }
    bool Overflow() const { return overflow_; }

private:
    void Emit(std::uint8_t byte)
    {
        if (out_.size() < limit_)
            out_.push_back(byte);
        else
            overflow_ = true;
    }

    Bytes& out_;
    std::size_t limit_;
    std::uint64_t pending_ = 0;  // the low `filled_` bits are not yet written
    int filled_ = 0;
    bool overflow_ = false;
};

// The arithmetic coder over the adaptive model.
class ArithmeticEncoder {
public:
    explicit ArithmeticEncoder(BitSink& sink) : sink_(sink) {}

    void EncodeChar(int ch)
    {
        const int sym = model_.SymbolOf(ch);
        Narrow(model_.Cum(sym - 1), model_.Cum(sym), model_.Total());
        model_.Update(sym);
    }
    void EncodePosition(int position)
    {
        Narrow(model_.PositionCum(position), model_.PositionCum(position + 1), model_.PositionTotal());
    }
    void Finish()
    {
        ++shifts_;
        Output(interval_.Low() >= kQ1 ? 1u : 0u);
        sink_.Flush();
    }

private:
    void Narrow(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        interval_.Narrow(cumHigh, cumLow, total);
        if (const int settled = interval_.Settled(); settled > 0) {
            const std::uint32_t bits = interval_.Low() >> (kCodeBits - settled);
            Output((bits >> (settled - 1)) & 1u);
            sink_.PutBits(bits, settled - 1);
            interval_.ShiftSettled(settled);
        }
        const int straddling = interval_.Straddling();
        shifts_ += straddling;
        interval_.ShiftStraddling(straddling);
    }

    void Output(std::uint32_t bit)
    {
        sink_.PutBits(bit, 1);
        if (shifts_ > 0) {
            sink_.PutRun(bit == 0, shifts_);
            shifts_ = 0;
        }
    }

    BitSink& sink_;
    Model model_;
    Interval interval_;
    int shifts_ = 0;
};

void Insert(MatchTree& tree, int r, bool findMatch)
{
    if (findMatch)
        tree.Insert<true>(r);
    else
        tree.Insert<false>(r);
}

}  // namespace

std::optional<Bytes> LzariEncode(ByteView input, std::size_t limit, const LzariProgress& progress)
{
    static constexpr std::uint8_t kMagic[] = {'v', 'q', 'x', '.'};
    if (input.empty() || limit < sizeof kMagic)
        return std::nullopt;
    Bytes out(std::begin(kMagic), std::end(kMagic));
    out.reserve(limit);
    BitSink sink(out, limit);
    ArithmeticEncoder coder(sink);
    // The tree and ring are large; keep them off the stack.
    auto tree = std::make_unique<MatchTree>();

    std::size_t next = 0;  // next input byte to enter the ring
    int s = 0;
    int r = kRing - kLookAhead;
    int len = 0;
    std::size_t nextReport = kProgressStep;
    for (; len < kLookAhead && next < input.size(); ++len)
        tree->Put(r + len, input[next++]);
    for (int i = 1; i <= kLookAhead; ++i)
        tree->Insert<false>(r - i);
    tree->Insert<true>(r);
    do {
        int matchLength = std::min(tree->MatchLength(), len);
        if (matchLength <= kThreshold) {
            matchLength = 1;
            coder.EncodeChar(tree->At(r));
        } else {
            coder.EncodeChar(255 - kThreshold + matchLength);
            coder.EncodePosition(tree->MatchPosition() - 1);
        }
        if (sink.Overflow())
            return std::nullopt;
        if (progress && next >= nextReport) {
            if (!progress(next))
                return std::nullopt;
            nextReport += kProgressStep;
        }
        int i = 0;
        for (; i < matchLength && next < input.size(); ++i) {
            tree->Delete(s);
            tree->Put(s, input[next++]);
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            Insert(*tree, r, i + 1 == matchLength);
        }
        for (; i < matchLength; ++i) {
            tree->Delete(s);
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            if (--len)
                Insert(*tree, r, i + 1 == matchLength);
        }
    } while (len > 0);
    coder.Finish();
    if (sink.Overflow())
        return std::nullopt;
    return out;
}

}  // namespace velk
