#pragma once
// Waveform peaks: the lowest and highest sample of every bucket of 16 kHz mono audio, at a fine
// level (64 samples, 4 ms) and a coarse one (1024 samples, 64 ms) for zoomed-out views.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace kravelo::media {

inline constexpr int kFineBucket = 64;
inline constexpr int kCoarseBucket = 1024;

struct PeakLevel {
    int samplesPerBucket = kFineBucket;
    std::vector<int16_t> mins, maxs;  // one pair per bucket

    std::size_t size() const { return mins.size(); }
};

struct Peaks {
    int sampleRate = 16000;
    PeakLevel fine{kFineBucket, {}, {}};
    PeakLevel coarse{kCoarseBucket, {}, {}};
};

// Builds both levels from consecutive samples. The last, partial bucket of each level is kept
// open until Finish.
class PeakBuilder {
public:
    void Feed(const int16_t* samples, std::size_t count);
    void Finish();
    const Peaks& peaks() const { return peaks_; }
    Peaks TakePeaks() { return std::move(peaks_); }

private:
    struct Open {
        int count = 0;
        int16_t lo = 0, hi = 0;
    };
    static void Add(Open& open, PeakLevel& level, int16_t sample);
    static void Close(Open& open, PeakLevel& level);

    Peaks peaks_;
    Open fine_, coarse_;
};

// Peaks shared between the thread that decodes and the widgets that draw them: the decoder
// appends, readers copy what they need under the lock.
class PeakStore {
public:
    // Replaces everything (a cache hit, or a new movie: an empty Peaks).
    void Reset(const Peaks& peaks, bool complete);
    // Appends the buckets of `built` beyond those already stored.
    void Sync(const Peaks& built);
    void MarkComplete();

    // min/max of [fromSample, toSample) from the coarsest level whose bucket fits in
    // (toSample - fromSample) and is filled; false when nothing of the range is decoded yet.
    bool Range(long long fromSample, long long toSample, int16_t& lo, int16_t& hi) const;
    // `count` columns of `samplesPerColumn` samples each from `fromSample` (which may be
    // negative), in one pass under the lock: lo[i] > hi[i] marks a column with nothing decoded.
    void Columns(double fromSample, double samplesPerColumn, int count, int16_t* lo, int16_t* hi) const;
    // Samples covered so far.
    long long DecodedSamples() const;
    bool Complete() const;
    int SampleRate() const;

private:
    mutable std::mutex mutex_;
    Peaks peaks_;
    bool complete_ = false;
};

}  // namespace kravelo::media
