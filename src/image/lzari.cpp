#include "image/lzari.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace velk {
namespace {

constexpr int kRing = 4096;        // N
constexpr int kLookAhead = 60;     // F
constexpr int kThreshold = 2;      // matches longer than this are coded as lengths
constexpr int kNil = kRing;        // empty tree link
constexpr int kSymbols = 256 - kThreshold + kLookAhead;  // literals, then lengths 3..F

constexpr std::uint32_t kQ1 = 0x8000;
constexpr std::uint32_t kQ2 = 2 * kQ1;
constexpr std::uint32_t kQ3 = 3 * kQ1;
constexpr std::uint32_t kQ4 = 4 * kQ1;
constexpr std::uint32_t kMaxCumulative = kQ1 - 1;

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
            node = {kNil, kNil, kNil};
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

    void Insert(int r)
    {
        int cmp = 1;
        const std::uint8_t* key = &text_[static_cast<std::size_t>(r)];
        int p = kRing + 1 + key[0];
        Right(r) = Left(r) = kNil;
        matchLength_ = 0;
        // Prefix the key shares with the nearest ancestors ordered below and above it:
        // every node between them shares at least the shorter one, so comparing can
        // start there. The root already fixed the first byte.
        int belowCommon = 1;
        int aboveCommon = 1;
        for (;;) {
            std::uint16_t& next = cmp >= 0 ? Right(p) : Left(p);
            if (next == kNil) {
                next = r;
                Parent(r) = p;
                return;
            }
            p = next;
            const int i = FirstDifference(key, &text_[static_cast<std::size_t>(p)], std::min(belowCommon, aboveCommon));
            cmp = i < kLookAhead ? key[i] - text_[static_cast<std::size_t>(p + i)] : 0;
            (cmp >= 0 ? belowCommon : aboveCommon) = i;
            if (i > kThreshold) {
                const int distance = (r - p) & (kRing - 1);
                if (i > matchLength_) {
                    matchPosition_ = distance;
                    if ((matchLength_ = i) >= kLookAhead)
                        break;
                } else if (i == matchLength_ && distance < matchPosition_) {
                    matchPosition_ = distance;
                }
            }
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
    // eight bytes at a time: this loop is where the coder spends most of its time.
    static int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int from)
    {
        int i = from;
        if constexpr (std::endian::native == std::endian::little) {
            for (; i + 8 <= kLookAhead; i += 8) {
                std::uint64_t x, y;
                std::memcpy(&x, a + i, 8);
                std::memcpy(&y, b + i, 8);
                if (x != y)
                    return i + std::countr_zero(x ^ y) / 8;
            }
        }
        for (; i < kLookAhead; ++i)
            if (a[i] != b[i])
                return i;
        return kLookAhead;
    }

    std::uint16_t& Left(int i) { return nodes_[static_cast<std::size_t>(i)].left; }
    std::uint16_t& Right(int i) { return nodes_[static_cast<std::size_t>(i)].right; }
    std::uint16_t& Parent(int i) { return nodes_[static_cast<std::size_t>(i)].parent; }
    void ReplaceChild(int old, int with)
    {
        const int dad = Parent(old);
        (Right(dad) == old ? Right(dad) : Left(dad)) = static_cast<std::uint16_t>(with);
    }

    std::array<std::uint8_t, kRing + kLookAhead - 1> text_{};
    // Ring positions 0..N-1, NIL = N, and the 256 roots after it. 16-bit links keep
    // the whole tree in the first-level cache.
    struct Node {
        std::uint16_t left, right, parent;
    };
    std::array<Node, kRing + 257> nodes_{};
    int matchLength_ = 0;
    int matchPosition_ = 0;
};

// Packs code bits MSB first; refuses to grow past the limit.
class BitSink {
public:
    BitSink(Bytes& out, std::size_t limit) : out_(out), limit_(limit) {}

    void Put(bool bit)
    {
        if (bit)
            buffer_ |= mask_;
        mask_ >>= 1;
        if (mask_ == 0) {
            if (out_.size() < limit_)
                out_.push_back(buffer_);
            else
                overflow_ = true;
            buffer_ = 0;
            mask_ = 0x80;
        }
    }
    void Flush()
    {
        for (int i = 0; i < 7; ++i)
            Put(false);
    }
    bool Overflow() const { return overflow_; }

private:
    Bytes& out_;
    std::size_t limit_;
    std::uint8_t buffer_ = 0;
    std::uint8_t mask_ = 0x80;
    bool overflow_ = false;
};

// The adaptive model and the arithmetic coder.
class ArithmeticEncoder {
public:
    explicit ArithmeticEncoder(BitSink& sink) : sink_(sink)
    {
        symCum_[kSymbols] = 0;
        for (int sym = kSymbols; sym >= 1; --sym) {
            const int ch = sym - 1;
            charToSym_[ch] = sym;
            symToChar_[sym] = ch;
            symFreq_[sym] = 1;
            symCum_[sym - 1] = static_cast<std::uint16_t>(symCum_[sym] + symFreq_[sym]);
        }
        symFreq_[0] = 0;  // sentinel, differs from symFreq_[1]
        positionCum_[kRing] = 0;
        // The classic coder's fixed distribution of match positions.
        for (int i = kRing; i >= 1; --i)
            positionCum_[i - 1] = positionCum_[i] + 10000 / (i + 200);
    }

    void EncodeChar(int ch)
    {
        const int sym = charToSym_[ch];
        Narrow(symCum_[sym - 1], symCum_[sym], symCum_[0]);
        UpdateModel(sym);
    }
    void EncodePosition(int position) { Narrow(positionCum_[position], positionCum_[position + 1], positionCum_[0]); }
    void Finish()
    {
        ++shifts_;
        Output(low_ >= kQ1);
        sink_.Flush();
    }

private:
    void Narrow(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        const std::uint64_t range = high_ - low_;
        high_ = low_ + static_cast<std::uint32_t>(range * cumHigh / total);
        low_ += static_cast<std::uint32_t>(range * cumLow / total);
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
        for (; shifts_ > 0; --shifts_)
            sink_.Put(!bit);
    }

    void UpdateModel(int sym)
    {
        if (symCum_[0] >= kMaxCumulative) {
            std::uint16_t c = 0;
            for (int i = kSymbols; i > 0; --i) {
                symCum_[i] = c;
                symFreq_[i] = static_cast<std::uint16_t>((symFreq_[i] + 1) >> 1);
                c = static_cast<std::uint16_t>(c + symFreq_[i]);
            }
            symCum_[0] = c;
        }
        int i = sym;
        while (symFreq_[i] == symFreq_[i - 1])
            --i;
        if (i < sym) {
            const int chI = symToChar_[i];
            const int chSym = symToChar_[sym];
            symToChar_[i] = chSym;
            symToChar_[sym] = chI;
            charToSym_[chI] = sym;
            charToSym_[chSym] = i;
        }
        ++symFreq_[i];
        for (int j = 0; j < i; ++j)
            ++symCum_[j];
    }

    BitSink& sink_;
    std::uint32_t low_ = 0;
    std::uint32_t high_ = kQ4;
    int shifts_ = 0;
    std::array<int, kSymbols> charToSym_{};
    std::array<int, kSymbols + 1> symToChar_{};
    // Totals stay below Q1, so 16 bits hold them and the update loop runs on wider vectors.
    std::array<std::uint16_t, kSymbols + 1> symFreq_{};
    std::array<std::uint16_t, kSymbols + 1> symCum_{};
    std::array<std::uint32_t, kRing + 1> positionCum_{};
};

}  // namespace

std::optional<Bytes> LzariEncode(ByteView input, std::size_t limit, const CancelCheck& cancelled)
{
    constexpr std::size_t kCancelCheckEvery = 64 * 1024;
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
    for (; len < kLookAhead && next < input.size(); ++len)
        tree->Put(r + len, input[next++]);
    for (int i = 1; i <= kLookAhead; ++i)
        tree->Insert(r - i);
    tree->Insert(r);
    std::size_t nextCancelCheck = kCancelCheckEvery;
    do {
        if (next >= nextCancelCheck) {
            if (cancelled())
                return std::nullopt;
            nextCancelCheck = next + kCancelCheckEvery;
        }
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
        int i = 0;
        for (; i < matchLength && next < input.size(); ++i) {
            tree->Delete(s);
            tree->Put(s, input[next++]);
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            tree->Insert(r);
        }
        for (; i < matchLength; ++i) {
            tree->Delete(s);
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            if (--len)
                tree->Insert(r);
        }
    } while (len > 0);
    coder.Finish();
    if (sink.Overflow())
        return std::nullopt;
    return out;
}

}  // namespace velk
