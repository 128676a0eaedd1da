#include "media/vad.h"

#include <algorithm>

#include "media/audio_decode.h"

// The detector's C functions are exported by libwebrtc_audio_processing but its development
// package installs no header for them.
extern "C" {
WebRtcVadInst* WebRtcVad_Create();
int WebRtcVad_Init(WebRtcVadInst* handle);
int WebRtcVad_set_mode(WebRtcVadInst* handle, int mode);
int WebRtcVad_Process(WebRtcVadInst* handle, int fs, const int16_t* frame, size_t length);
void WebRtcVad_Free(WebRtcVadInst* handle);
}

namespace kravelo::media {

// Mode 3 is the only one that keeps music beds and effects out of the speech track.
static constexpr int kVadMode = 3;

VoiceDetector::VoiceDetector() {
    handle_ = WebRtcVad_Create();
    if (handle_ && (WebRtcVad_Init(handle_) != 0 || WebRtcVad_set_mode(handle_, kVadMode) != 0)) {
        WebRtcVad_Free(handle_);
        handle_ = nullptr;
    }
}

VoiceDetector::~VoiceDetector() {
    if (handle_) WebRtcVad_Free(handle_);
}

void VoiceDetector::Decide(const int16_t* frame) {
    int r = handle_ ? WebRtcVad_Process(handle_, kAnalysisRate, frame, kVadFrameSamples) : 0;
    decisions_.push_back(r == 1 ? 1 : 0);
}

void VoiceDetector::Feed(const int16_t* samples, std::size_t count) {
    while (count > 0) {
        if (pendingCount_ == 0 && count >= kVadFrameSamples) {
            Decide(samples);
            samples += kVadFrameSamples;
            count -= kVadFrameSamples;
            continue;
        }
        std::size_t take = std::min(count, kVadFrameSamples - pendingCount_);
        std::copy(samples, samples + take, pending_ + pendingCount_);
        pendingCount_ += take;
        samples += take;
        count -= take;
        if (pendingCount_ == kVadFrameSamples) {
            Decide(pending_);
            pendingCount_ = 0;
        }
    }
}

void VoiceDetector::Finish() {
    if (pendingCount_ == 0) return;
    std::fill(pending_ + pendingCount_, pending_ + kVadFrameSamples, int16_t{0});
    Decide(pending_);
    pendingCount_ = 0;
}

}  // namespace kravelo::media
