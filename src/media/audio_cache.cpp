#include "media/audio_cache.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/text_file.h"

namespace kravelo::media {
namespace {

constexpr char kMagic[8] = {'K', 'V', 'A', 'U', 'D', 'I', 'O', '1'};
// Raised whenever the decoding, the detector or the layout below changes.
constexpr uint32_t kFormatVersion = 1;

uint64_t Fnv1a(const std::string& s) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// Little-endian on the machines the program runs on: values are copied as they lie in memory.
template <typename T>
void Put(std::string& out, T v) {
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

template <typename T>
void PutArray(std::string& out, const std::vector<T>& v) {
    Put<uint64_t>(out, v.size());
    out.append(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(T));
}

class Reader {
public:
    explicit Reader(const std::string& bytes) : data_(bytes) {}
    template <typename T>
    bool Get(T& v) {
        if (data_.size() - pos_ < sizeof v) return false;
        std::memcpy(&v, data_.data() + pos_, sizeof v);
        pos_ += sizeof v;
        return true;
    }
    template <typename T>
    bool GetArray(std::vector<T>& v) {
        uint64_t n = 0;
        if (!Get(n) || n > (data_.size() - pos_) / sizeof(T)) return false;  // never trust a count
        v.resize(n);
        std::memcpy(v.data(), data_.data() + pos_, n * sizeof(T));
        pos_ += n * sizeof(T);
        return true;
    }
    bool GetString(std::string& s) {
        std::vector<char> chars;
        if (!GetArray(chars)) return false;
        s.assign(chars.begin(), chars.end());
        return true;
    }
    bool AtEnd() const { return pos_ == data_.size(); }

private:
    const std::string& data_;
    std::size_t pos_ = 0;
};

bool LevelFits(const PeakLevel& level, int samplesPerBucket) {
    return level.samplesPerBucket == samplesPerBucket && level.mins.size() == level.maxs.size();
}

}  // namespace

std::optional<CacheKey> KeyOf(const std::string& moviePath, int stream) {
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::canonical(moviePath, ec);
    if (ec) return std::nullopt;
    struct stat st {};
    if (::stat(canonical.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    CacheKey key;
    key.path = canonical.string();
    key.size = static_cast<uint64_t>(st.st_size);
    key.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    key.stream = stream;
    return key;
}

std::string DefaultAudioCacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    std::string base;
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.cache";
    }
    return base + "/kravelo/audio";
}

std::string CacheFilePath(const std::string& folder, const CacheKey& key) {
    std::string text = key.path + '\n' + std::to_string(key.size) + '\n' + std::to_string(key.mtimeNs) + '\n' +
                       std::to_string(key.stream) + '\n' + std::to_string(kFormatVersion);
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.kva", static_cast<unsigned long long>(Fnv1a(text)));
    return folder + "/" + name;
}

std::optional<AudioAnalysis> LoadCachedAnalysis(const std::string& folder, const CacheKey& key) {
    std::ifstream in(CacheFilePath(folder, key), std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    Reader r(bytes);
    char magic[8];
    uint32_t version = 0, rate = 0, fine = 0, coarse = 0;
    int32_t stream = 0;
    uint64_t size = 0;
    int64_t mtime = 0, corrupt = 0;
    std::string path;
    AudioAnalysis a;
    for (char& c : magic)
        if (!r.Get(c)) return std::nullopt;
    if (std::memcmp(magic, kMagic, sizeof magic) != 0) return std::nullopt;
    if (!r.Get(version) || version != kFormatVersion) return std::nullopt;
    if (!r.GetString(path) || !r.Get(size) || !r.Get(mtime) || !r.Get(stream)) return std::nullopt;
    if (path != key.path || size != key.size || mtime != key.mtimeNs || stream != key.stream) return std::nullopt;
    if (!r.Get(rate) || !r.Get(fine) || !r.Get(coarse) || !r.Get(a.frameSeconds) || !r.Get(a.duration) ||
        !r.Get(corrupt))
        return std::nullopt;
    a.peaks.sampleRate = static_cast<int>(rate);
    a.peaks.fine.samplesPerBucket = static_cast<int>(fine);
    a.peaks.coarse.samplesPerBucket = static_cast<int>(coarse);
    if (!r.GetArray(a.speech) || !r.GetArray(a.peaks.fine.mins) || !r.GetArray(a.peaks.fine.maxs) ||
        !r.GetArray(a.peaks.coarse.mins) || !r.GetArray(a.peaks.coarse.maxs) || !r.AtEnd())
        return std::nullopt;
    if (rate != 16000 || !LevelFits(a.peaks.fine, kFineBucket) || !LevelFits(a.peaks.coarse, kCoarseBucket) ||
        !(a.frameSeconds > 0.0))
        return std::nullopt;
    a.stream = stream;
    a.corruptPackets = static_cast<long>(corrupt);
    return a;
}

bool SaveCachedAnalysis(const std::string& folder, const CacheKey& key, const AudioAnalysis& a, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = folder + ": " + ec.message();
        return false;
    }
    std::string out;
    out.reserve(64 + key.path.size() + a.speech.size() + 4 * (a.peaks.fine.size() + a.peaks.coarse.size()));
    out.append(kMagic, sizeof kMagic);
    Put<uint32_t>(out, kFormatVersion);
    PutArray(out, std::vector<char>(key.path.begin(), key.path.end()));
    Put<uint64_t>(out, key.size);
    Put<int64_t>(out, key.mtimeNs);
    Put<int32_t>(out, key.stream);
    Put<uint32_t>(out, static_cast<uint32_t>(a.peaks.sampleRate));
    Put<uint32_t>(out, static_cast<uint32_t>(a.peaks.fine.samplesPerBucket));
    Put<uint32_t>(out, static_cast<uint32_t>(a.peaks.coarse.samplesPerBucket));
    Put<double>(out, a.frameSeconds);
    Put<double>(out, a.duration);
    Put<int64_t>(out, a.corruptPackets);
    PutArray(out, a.speech);
    PutArray(out, a.peaks.fine.mins);
    PutArray(out, a.peaks.fine.maxs);
    PutArray(out, a.peaks.coarse.mins);
    PutArray(out, a.peaks.coarse.maxs);
    return WriteFileAtomic(CacheFilePath(folder, key), out, error);
}

}  // namespace kravelo::media
