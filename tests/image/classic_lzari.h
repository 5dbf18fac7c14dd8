#pragma once
// The classic LZARI coder and decoder written out in their published shape (one
// byte compare at a time, linear model updates): the reference the project's
// coder must match bit for bit, and the yardstick of its speed (bench/).
#include "common/bytes.h"

#include <array>
#include <memory>

namespace velk::classic {

class Lzari {
public:
    // "vqx." and the code of `input`, as the published encoder writes it.
    Bytes Encode(ByteView input)
    {
        StartModel();
        out_.assign({'v', 'q', 'x', '.'});
        for (int i = N + 1; i <= N + 256; ++i)
            rson_[i] = NIL;
        for (int i = 0; i < N; ++i)
            dad_[i] = NIL;
        text_.fill(0);
        std::size_t next = 0;
        int s = 0, r = N - F, len = 0;
        for (int i = s; i < r; ++i)
            text_[i] = ' ';
        for (; len < F && next < input.size(); ++len)
            text_[r + len] = input[next++];
        for (int i = 1; i <= F; ++i)
            InsertNode(r - i);
        InsertNode(r);
        do {
            if (matchLength_ > len)
                matchLength_ = len;
            if (matchLength_ <= T) {
                matchLength_ = 1;
                EncodeChar(text_[r]);
            } else {
                EncodeChar(255 - T + matchLength_);
                EncodePosition(matchPosition_ - 1);
            }
            const int last = matchLength_;
            int i = 0;
            for (; i < last && next < input.size(); ++i) {
                DeleteNode(s);
                text_[s] = input[next];
                if (s < F - 1)
                    text_[s + N] = input[next];
                ++next;
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                InsertNode(r);
            }
            while (i++ < last) {
                DeleteNode(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len)
                    InsertNode(r);
            }
        } while (len > 0);
        ++shifts_;
        Output(low_ >= Q1);
        for (int i = 0; i < 7; ++i)
            PutBit(0);
        return out_;
    }

    // `size` bytes decoded from the code that follows "vqx.".
    Bytes Decode(ByteView code, std::size_t size)
    {
        StartModel();
        code_ = code;
        bit_ = 0;
        value_ = 0;
        for (int i = 0; i < 17; ++i)
            value_ = 2 * value_ + GetBit();
        std::array<std::uint8_t, N> ring;
        ring.fill(' ');
        int r = N - F;
        Bytes out;
        out.reserve(size);
        while (out.size() < size) {
            const int c = DecodeChar();
            if (c < 256) {
                out.push_back(static_cast<std::uint8_t>(c));
                ring[r++] = static_cast<std::uint8_t>(c);
                r &= N - 1;
                continue;
            }
            const int from = (r - DecodePosition() - 1) & (N - 1);
            const int length = c - 255 + T;
            for (int k = 0; k < length && out.size() < size; ++k) {
                const std::uint8_t b = ring[(from + k) & (N - 1)];
                out.push_back(b);
                ring[r++] = b;
                r &= N - 1;
            }
        }
        return out;
    }

private:
    static constexpr int N = 4096, F = 60, T = 2, NIL = N, NCHAR = 256 - T + F;
    static constexpr std::uint32_t Q1 = 0x8000, Q2 = 2 * Q1, Q3 = 3 * Q1, Q4 = 4 * Q1, MAXCUM = Q1 - 1;

    void InsertNode(int r)
    {
        int cmp = 1;
        const std::uint8_t* key = &text_[r];
        int p = N + 1 + key[0];
        rson_[r] = lson_[r] = NIL;
        matchLength_ = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson_[p] != NIL) {
                    p = rson_[p];
                } else {
                    rson_[p] = r;
                    dad_[r] = p;
                    return;
                }
            } else if (lson_[p] != NIL) {
                p = lson_[p];
            } else {
                lson_[p] = r;
                dad_[r] = p;
                return;
            }
            int i = 1;
            for (; i < F; ++i)
                if ((cmp = key[i] - text_[p + i]) != 0)
                    break;
            if (i > T) {
                if (i > matchLength_) {
                    matchPosition_ = (r - p) & (N - 1);
                    if ((matchLength_ = i) >= F)
                        break;
                } else if (i == matchLength_ && ((r - p) & (N - 1)) < matchPosition_) {
                    matchPosition_ = (r - p) & (N - 1);
                }
            }
        }
        dad_[r] = dad_[p];
        lson_[r] = lson_[p];
        rson_[r] = rson_[p];
        dad_[lson_[p]] = r;
        dad_[rson_[p]] = r;
        (rson_[dad_[p]] == p ? rson_[dad_[p]] : lson_[dad_[p]]) = r;
        dad_[p] = NIL;
    }

    void DeleteNode(int p)
    {
        if (dad_[p] == NIL)
            return;
        int q;
        if (rson_[p] == NIL) {
            q = lson_[p];
        } else if (lson_[p] == NIL) {
            q = rson_[p];
        } else {
            q = lson_[p];
            if (rson_[q] != NIL) {
                do
                    q = rson_[q];
                while (rson_[q] != NIL);
                rson_[dad_[q]] = lson_[q];
                dad_[lson_[q]] = dad_[q];
                lson_[q] = lson_[p];
                dad_[lson_[p]] = q;
            }
            rson_[q] = rson_[p];
            dad_[rson_[p]] = q;
        }
        dad_[q] = dad_[p];
        (rson_[dad_[p]] == p ? rson_[dad_[p]] : lson_[dad_[p]]) = q;
        dad_[p] = NIL;
    }

    void StartModel()
    {
        symCum_[NCHAR] = 0;
        for (int sym = NCHAR; sym >= 1; --sym) {
            const int ch = sym - 1;
            charToSym_[ch] = sym;
            symToChar_[sym] = ch;
            symFreq_[sym] = 1;
            symCum_[sym - 1] = symCum_[sym] + symFreq_[sym];
        }
        symFreq_[0] = 0;
        positionCum_[N] = 0;
        for (int i = N; i >= 1; --i)
            positionCum_[i - 1] = positionCum_[i] + 10000 / (i + 200);
        low_ = 0;
        high_ = Q4;
        shifts_ = 0;
        buffer_ = 0;
        mask_ = 128;
    }

    void UpdateModel(int sym)
    {
        if (symCum_[0] >= MAXCUM) {
            std::uint32_t c = 0;
            for (int i = NCHAR; i > 0; --i) {
                symCum_[i] = c;
                c += (symFreq_[i] = (symFreq_[i] + 1) >> 1);
            }
            symCum_[0] = c;
        }
        int i = sym;
        while (symFreq_[i] == symFreq_[i - 1])
            --i;
        if (i < sym) {
            const int chI = symToChar_[i], chSym = symToChar_[sym];
            symToChar_[i] = chSym;
            symToChar_[sym] = chI;
            charToSym_[chI] = sym;
            charToSym_[chSym] = i;
        }
        ++symFreq_[i];
        while (--i >= 0)
            ++symCum_[i];
    }

    void PutBit(int bit)
    {
        if (bit)
            buffer_ |= mask_;
        if ((mask_ >>= 1) == 0) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ = 0;
            mask_ = 128;
        }
    }
    void Output(int bit)
    {
        PutBit(bit);
        for (; shifts_ > 0; --shifts_)
            PutBit(!bit);
    }

    void EncodeInterval(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        const std::uint32_t range = high_ - low_;
        high_ = low_ + range * cumHigh / total;
        low_ += range * cumLow / total;
        for (;;) {
            if (high_ <= Q2) {
                Output(0);
            } else if (low_ >= Q2) {
                Output(1);
                low_ -= Q2;
                high_ -= Q2;
            } else if (low_ >= Q1 && high_ <= Q3) {
                ++shifts_;
                low_ -= Q1;
                high_ -= Q1;
            } else {
                break;
            }
            low_ += low_;
            high_ += high_;
        }
    }
    void EncodeChar(int ch)
    {
        const int sym = charToSym_[ch];
        EncodeInterval(symCum_[sym - 1], symCum_[sym], symCum_[0]);
        UpdateModel(sym);
    }
    void EncodePosition(int position) { EncodeInterval(positionCum_[position], positionCum_[position + 1], positionCum_[0]); }

    std::uint32_t GetBit()
    {
        const std::size_t byte = bit_ / 8;
        const std::uint32_t b = byte < code_.size() ? (code_[byte] >> (7 - bit_ % 8)) & 1u : 0u;
        ++bit_;
        return b;
    }
    void DecodeInterval(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        const std::uint32_t range = high_ - low_;
        high_ = low_ + range * cumHigh / total;
        low_ += range * cumLow / total;
        for (;;) {
            if (low_ >= Q2) {
                value_ -= Q2;
                low_ -= Q2;
                high_ -= Q2;
            } else if (low_ >= Q1 && high_ <= Q3) {
                value_ -= Q1;
                low_ -= Q1;
                high_ -= Q1;
            } else if (high_ > Q2) {
                break;
            }
            low_ += low_;
            high_ += high_;
            value_ = 2 * value_ + GetBit();
        }
    }
    int DecodeChar()
    {
        const std::uint32_t x = ((value_ - low_ + 1) * symCum_[0] - 1) / (high_ - low_);
        int i = 1, j = NCHAR;
        while (i < j) {
            const int k = (i + j) / 2;
            if (symCum_[k] > x) i = k + 1; else j = k;
        }
        DecodeInterval(symCum_[i - 1], symCum_[i], symCum_[0]);
        const int ch = symToChar_[i];
        UpdateModel(i);
        return ch;
    }
    int DecodePosition()
    {
        const std::uint32_t x = ((value_ - low_ + 1) * positionCum_[0] - 1) / (high_ - low_);
        int i = 1, j = N;
        while (i < j) {
            const int k = (i + j) / 2;
            if (positionCum_[k] > x) i = k + 1; else j = k;
        }
        DecodeInterval(positionCum_[i - 1], positionCum_[i], positionCum_[0]);
        return i - 1;
    }

    std::array<std::uint8_t, N + F - 1> text_{};
    std::array<int, N + 1> lson_{}, dad_{};
    std::array<int, N + 257> rson_{};
    int matchPosition_ = 0, matchLength_ = 0;
    std::array<int, NCHAR> charToSym_{};
    std::array<int, NCHAR + 1> symToChar_{};
    std::array<std::uint32_t, NCHAR + 1> symFreq_{}, symCum_{};
    std::array<std::uint32_t, N + 1> positionCum_{};
    std::uint32_t low_ = 0, high_ = Q4, value_ = 0, buffer_ = 0, mask_ = 128;
    int shifts_ = 0;
    Bytes out_;
    ByteView code_;
    std::size_t bit_ = 0;
};

// The coder's state is large: keep it off the stack.
inline Bytes Encode(ByteView input) { return std::make_unique<Lzari>()->Encode(input); }
inline Bytes Decode(ByteView code, std::size_t size) { return std::make_unique<Lzari>()->Decode(code, size); }

}  // namespace velk::classic
