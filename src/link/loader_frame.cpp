#include "link/loader_frame.h"

#include "common/checksums.h"

namespace velk::link {

Bytes EncodeFrame(ByteView payload)
{
    Bytes out(kFrameHeadSize);
    StoreU8(out, 0, kFrameStart);
    StoreBe24(out, 1, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    out.resize(out.size() + kFrameSumSize);
    StoreBe32(out, out.size() - kFrameSumSize, ByteSum32(payload));
    out.push_back(kFrameEnd);
    return out;
}

void FrameAssembler::Start()
{
    open_ = true;
    payloadSize_ = 0;
    frame_.assign(1, kFrameStart);
}

FrameAssembler::Step FrameAssembler::Take(std::uint8_t b)
{
    if (frame_.size() < kFrameHeadSize) {
        frame_.push_back(b);
        if (frame_.size() == kFrameHeadSize)
            payloadSize_ = LoadBe24(frame_, 1);
        return Step::More;
    }
    if (frame_.size() < kFrameHeadSize + payloadSize_ + kFrameSumSize) {
        frame_.push_back(b);
        return Step::More;
    }
    frame_.push_back(b);
    open_ = false;
    const bool sumMatches = ByteSum32(Payload()) == LoadBe32(frame_, kFrameHeadSize + payloadSize_);
    return b == kFrameEnd && sumMatches ? Step::Whole : Step::Broken;
}

ByteView FrameAssembler::Payload() const { return ByteView(frame_).subspan(kFrameHeadSize, payloadSize_); }

}  // namespace velk::link
