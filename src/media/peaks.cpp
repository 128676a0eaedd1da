#include "media/peaks.h"

#include <algorithm>
#include <cmath>

namespace kravelo::media {

void PeakBuilder::Add(Open& open, PeakLevel& level, int16_t sample) {
    if (open.count == 0) {
        open.lo = open.hi = sample;
    } else {
        open.lo = std::min(open.lo, sample);
        open.hi = std::max(open.hi, sample);
    }
    if (++open.count == level.samplesPerBucket) Close(open, level);
}

void PeakBuilder::Close(Open& open, PeakLevel& level) {
    if (open.count == 0) return;
    level.mins.push_back(open.lo);
    level.maxs.push_back(open.hi);
    open.count = 0;
}

void PeakBuilder::Feed(const int16_t* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        Add(fine_, peaks_.fine, samples[i]);
        Add(coarse_, peaks_.coarse, samples[i]);
    }
}

void PeakBuilder::Finish() {
    Close(fine_, peaks_.fine);
    Close(coarse_, peaks_.coarse);
}

void PeakStore::Reset(const Peaks& peaks, bool complete) {
    std::lock_guard lock(mutex_);
    peaks_ = peaks;
    complete_ = complete;
}

static void AppendTail(PeakLevel& to, const PeakLevel& from) {
    if (from.size() <= to.size()) return;
    to.mins.insert(to.mins.end(), from.mins.begin() + static_cast<long>(to.size()), from.mins.end());
    to.maxs.insert(to.maxs.end(), from.maxs.begin() + static_cast<long>(to.maxs.size()), from.maxs.end());
}

void PeakStore::Sync(const Peaks& built) {
    std::lock_guard lock(mutex_);
    peaks_.sampleRate = built.sampleRate;
    AppendTail(peaks_.fine, built.fine);
    AppendTail(peaks_.coarse, built.coarse);
}

void PeakStore::MarkComplete() {
    std::lock_guard lock(mutex_);
    complete_ = true;
}

bool PeakStore::Range(long long fromSample, long long toSample, int16_t& lo, int16_t& hi) const {
    std::lock_guard lock(mutex_);
    if (toSample <= fromSample) toSample = fromSample + 1;
    const long long span = toSample - fromSample;
    const PeakLevel& level = span >= peaks_.coarse.samplesPerBucket && !peaks_.coarse.mins.empty() &&
                                     static_cast<long long>(peaks_.coarse.size()) * peaks_.coarse.samplesPerBucket >=
                                         toSample
                                 ? peaks_.coarse
                                 : peaks_.fine;
    const long long n = static_cast<long long>(level.size());
    long long a = std::max(0LL, fromSample / level.samplesPerBucket);
    long long b = std::min(n, (toSample + level.samplesPerBucket - 1) / level.samplesPerBucket);
    if (a >= b) return false;
    lo = *std::min_element(level.mins.begin() + a, level.mins.begin() + b);
    hi = *std::max_element(level.maxs.begin() + a, level.maxs.begin() + b);
    return true;
}

void PeakStore::Columns(double fromSample, double samplesPerColumn, int count, int16_t* lo, int16_t* hi) const {
    std::lock_guard lock(mutex_);
    const PeakLevel& level = samplesPerColumn >= peaks_.coarse.samplesPerBucket && !peaks_.coarse.mins.empty()
                                 ? peaks_.coarse
                                 : peaks_.fine;
    const long long n = static_cast<long long>(level.size());
    const double per = level.samplesPerBucket;
    for (int i = 0; i < count; ++i) {
        lo[i] = 1;
        hi[i] = 0;
        const double from = fromSample + i * samplesPerColumn;
        const double to = from + samplesPerColumn;
        if (to <= 0) continue;
        long long a = static_cast<long long>(std::max(0.0, from) / per);
        long long b = std::min(n, static_cast<long long>(std::ceil(to / per)));
        if (b <= a) b = a + 1;  // a column narrower than a bucket shows the bucket
        if (a >= n) continue;
        b = std::min(b, n);
        lo[i] = *std::min_element(level.mins.begin() + a, level.mins.begin() + b);
        hi[i] = *std::max_element(level.maxs.begin() + a, level.maxs.begin() + b);
    }
}

long long PeakStore::DecodedSamples() const {
    std::lock_guard lock(mutex_);
    return static_cast<long long>(peaks_.fine.size()) * peaks_.fine.samplesPerBucket;
}

bool PeakStore::Complete() const {
    std::lock_guard lock(mutex_);
    return complete_;
}

int PeakStore::SampleRate() const {
    std::lock_guard lock(mutex_);
    return peaks_.sampleRate;
}

}  // namespace kravelo::media
