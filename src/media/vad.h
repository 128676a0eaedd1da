#pragma once
// Voice detection on 16 kHz mono samples: one speech/no-speech decision per 10 ms, from the
// WebRTC voice activity detector in its most aggressive mode.

#include <cstddef>
#include <cstdint>
#include <vector>

struct WebRtcVadInst;

namespace kravelo::media {

inline constexpr int kVadFrameSamples = 160;  // 10 ms at 16 kHz

class VoiceDetector {
public:
    VoiceDetector();
    ~VoiceDetector();
    VoiceDetector(const VoiceDetector&) = delete;
    VoiceDetector& operator=(const VoiceDetector&) = delete;

    // False when the detector could not be created (every frame then counts as silence).
    bool ok() const { return handle_ != nullptr; }

    // Samples of any count; whole 10 ms frames are decided as they fill.
    void Feed(const int16_t* samples, std::size_t count);
    // Decides the last, partial frame (padded with silence).
    void Finish();

    // 1 = speech, one per 10 ms frame.
    const std::vector<uint8_t>& Decisions() const { return decisions_; }
    std::vector<uint8_t> TakeDecisions() { return std::move(decisions_); }

private:
    void Decide(const int16_t* frame);

    WebRtcVadInst* handle_ = nullptr;
    int16_t pending_[kVadFrameSamples] = {};
    std::size_t pendingCount_ = 0;
    std::vector<uint8_t> decisions_;
};

}  // namespace kravelo::media
