#include "image/lzari.h"

#include "image/lzari_model.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velk {
namespace {

using namespace lzari;

constexpr int kNil = kRing;  // empty tree link
constexpr std::size_t kProgressStep = 64 * 1024;

#if defined(__SSE2__)
constexpr int kCompareWidth = 16;

// Bit k set where byte k of the two 16-byte strings differs.
unsigned DifferingBytes(const std::uint8_t* a, const std::uint8_t* b)
{
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) & 0xFFFFu;
}
#else
constexpr int kCompareWidth = 8;

unsigned DifferingBytes(const std::uint8_t* a, const std::uint8_t* b)
{
    unsigned differing = 0;
    for (int k = 0; k < kCompareWidth; ++k)
        differing |= static_cast<unsigned>(a[k] != b[k]) << k;
    return differing;
}
#endif

// Binary search trees over the ring buffer, one root per first byte; finds the
// longest (then nearest) earlier match of the string at a position.
class MatchTree {
public:
    MatchTree()
    {
        // Blanks before the coding position, as the classic coder pre-fills them;
        // the mirror of the first F - 1 bytes after the ring starts out zero.
        std::fill_n(text_.begin(), kRing - kLookAhead, std::uint8_t{' '});
        for (Node& node : nodes_)
            node = {{kNil, kNil}, kNil};
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
    // the tree's shape, but skip the bookkeeping.
    template <bool findMatch>
    void Insert(int r)
    {
        int cmp = 1;
        const std::uint8_t* key = &text_[static_cast<std::size_t>(r)];
        int p = kRing + 1 + key[0];
        Right(r) = Left(r) = kNil;
        matchLength_ = 0;
        // Prefix the key shares with the nearest ancestors ordered above it (index 0)
        // and below it (index 1): every node between them shares at least the shorter
        // one, so comparing can start there. The root already fixed the first byte.
        std::array<int, 2> common{1, 1};
        // The link the walk follows next: its owner, its side (1 right, 0 left) and its
        // value. A node's two links are read together while its string is compared, so
        // the step down waits only for the comparison, not for another load.
        int side = 1;
        int next = Right(p);
        for (;;) {
            if (next == kNil) {
                nodes_[static_cast<std::size_t>(p)].child[static_cast<std::size_t>(side)] = static_cast<std::uint16_t>(r);
                Parent(r) = static_cast<std::uint16_t>(p);
                return;
            }
            p = next;
            const std::array<std::uint16_t, 2> children = nodes_[static_cast<std::size_t>(p)].child;
            const int i = FirstDifference(key, &text_[static_cast<std::size_t>(p)], std::min(common[0], common[1]));
            cmp = i < kLookAhead ? key[i] - text_[static_cast<std::size_t>(p + i)] : 0;
            side = cmp >= 0;
            common[static_cast<std::size_t>(side)] = i;
            next = side ? children[1] : children[0];
            if constexpr (findMatch) {
                if (i > kThreshold) {
                    const int distance = (r - p) & (kRing - 1);
                    if (i > matchLength_) {
                        matchPosition_ = distance;
                        matchLength_ = i;
                    } else if (i == matchLength_ && distance < matchPosition_) {
                        matchPosition_ = distance;
                    }
                }
            }
            if (i >= kLookAhead)
                break;
        }
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
        int q;
        if (Right(p) == kNil) {
            q = Left(p);
        } else if (Left(p) == kNil) {
            q = Right(p);
        } else {
            q = Left(p);
            if (Right(q) != kNil) {
                do
                    q = Right(q);
                while (Right(q) != kNil);
                Right(Parent(q)) = Left(q);
                Parent(Left(q)) = Parent(q);
                Left(q) = Left(p);
                Parent(Left(p)) = q;
            }
            Right(q) = Right(p);
            Parent(Right(p)) = q;
        }
        Parent(q) = Parent(p);
        ReplaceChild(p, q);
        Parent(p) = kNil;
    }

private:
    // The first index in [from, F) where the strings differ, F when none does. Compares
    // sixteen bytes at a time, past F into the slack after the ring when it must: this
    // is where the coder spends most of its time.
    static int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int from)
    {
        for (int i = from; i < kLookAhead; i += kCompareWidth) {
            if (const unsigned differing = DifferingBytes(a + i, b + i))
                return std::min(i + std::countr_zero(differing), kLookAhead);
        }
        return kLookAhead;
    }

    std::uint16_t& Left(int i) { return nodes_[static_cast<std::size_t>(i)].child[0]; }
    std::uint16_t& Right(int i) { return nodes_[static_cast<std::size_t>(i)].child[1]; }
    std::uint16_t& Parent(int i) { return nodes_[static_cast<std::size_t>(i)].parent; }
    void ReplaceChild(int old, int with)
    {
        const int dad = Parent(old);
        (Right(dad) == old ? Right(dad) : Left(dad)) = static_cast<std::uint16_t>(with);
    }

    // The ring, the mirror of its first F - 1 bytes, and slack for the wide compares.
    std::array<std::uint8_t, kRing + kLookAhead - 1 + kCompareWidth> text_{};
    // Ring positions 0..N-1, NIL = N, and the 256 roots after it. 16-bit links keep
    // the whole tree in the first-level cache.
    struct Node {
        std::array<std::uint16_t, 2> child;  // left, right
        std::uint16_t parent;
    };
    std::array<Node, kRing + 257> nodes_{};
    int matchLength_ = 0;
    int matchPosition_ = 0;
};

// Packs code bits MSB first; refuses to grow past the limit. Bits gather in a word
// and leave a byte at a time: the coder emits runs of equal bits after each shift.
class BitSink {
public:
    BitSink(Bytes& out, std::size_t limit) : out_(out), limit_(limit) {}

    void Put(bool bit)
    {
        pending_ = (pending_ << 1) | static_cast<std::uint64_t>(bit);
        if (++filled_ == 8) {
            filled_ = 0;
            Emit(static_cast<std::uint8_t>(pending_));
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
        Output(low_ >= kQ1);
        sink_.Flush();
    }

private:
    void Narrow(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        // range <= 2^17 and totals < 2^15: the products fit 32 bits, and 32-bit division is the fast one.
        const std::uint32_t range = high_ - low_;
        high_ = low_ + range * cumHigh / total;
        low_ += range * cumLow / total;
        for (;;) {
            if (high_ <= kQ2) {
                Output(false);
            } else if (low_ >= kQ2) {
                Output(true);
                low_ -= kQ2;
                high_ -= kQ2;
            } else if (low_ >= kQ1 && high_ <= kQ3) {
                ++shifts_;
                low_ -= kQ1;
                high_ -= kQ1;
            } else {
                break;
            }
            low_ += low_;
            high_ += high_;
        }
    }

    void Output(bool bit)
    {
        sink_.Put(bit);
        if (shifts_ > 0) {
            sink_.PutRun(!bit, shifts_);
            shifts_ = 0;
        }
    }

    BitSink& sink_;
    Model model_;
    std::uint32_t low_ = 0;
    std::uint32_t high_ = kQ4;
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
