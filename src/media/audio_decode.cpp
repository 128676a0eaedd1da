#include "media/audio_decode.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace kravelo::media {
namespace {

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

struct FormatCloser {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct SwrFreer {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;

FormatPtr OpenInput(const std::string& path, std::string& error) {
    // Damage is counted and reported by the caller; the libraries' own console output is noise.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    AVFormatContext* raw = nullptr;
    int r = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (r < 0) {
        error = path + ": " + AvError(r);
        return nullptr;
    }
    FormatPtr fmt(raw);
    r = avformat_find_stream_info(fmt.get(), nullptr);
    if (r < 0) {
        error = path + ": " + AvError(r);
        return nullptr;
    }
    return fmt;
}

std::string Tag(const AVStream* s, const char* key) {
    const AVDictionaryEntry* e = av_dict_get(s->metadata, key, nullptr, 0);
    return e && e->value ? e->value : "";
}

// Turns decoded frames into 16 kHz mono and keeps the output on the movie's clock: a frame
// that starts later than the samples written so far (a skipped packet, audio starting after
// the picture) is preceded by silence; samples before time 0 are dropped.
class Converter {
public:
    Converter(const SampleSink& sink, double origin) : sink_(sink), origin_(origin) {}

    bool Push(const AVFrame* frame, double frameTime, std::string& error) {
        if (!Ready(frame, error)) return false;
        if (frameTime == frameTime) {  // not NaN: the frame has a time
            // The resampler's delay holds samples of earlier frames not yet written.
            const long long delay = swr_get_delay(swr_.get(), kAnalysisRate);
            const long long expected =
                static_cast<long long>((frameTime - origin_) * kAnalysisRate + 0.5) - delay;
            if (expected > written_ + kAnalysisRate / 50) Silence(expected - written_);
            else if (written_ == 0 && expected < 0) drop_ = -expected;
        }
        int room = swr_get_out_samples(swr_.get(), frame->nb_samples);
        if (room <= 0) return true;
        buffer_.resize(static_cast<std::size_t>(room));
        uint8_t* out = reinterpret_cast<uint8_t*>(buffer_.data());
        int n = swr_convert(swr_.get(), &out, room, const_cast<const uint8_t**>(frame->extended_data),
                            frame->nb_samples);
        if (n < 0) {
            error = "resampling failed: " + AvError(n);
            return false;
        }
        Emit(static_cast<std::size_t>(n));
        return true;
    }

    void Flush() {
        if (!swr_) return;
        for (;;) {
            buffer_.resize(4096);
            uint8_t* out = reinterpret_cast<uint8_t*>(buffer_.data());
            int n = swr_convert(swr_.get(), &out, 4096, nullptr, 0);
            if (n <= 0) break;
            Emit(static_cast<std::size_t>(n));
        }
    }

    long long written() const { return written_; }

private:
    bool Ready(const AVFrame* frame, std::string& error) {
        if (swr_ && frame->format == inFormat_ && frame->sample_rate == inRate_ &&
            av_channel_layout_compare(&frame->ch_layout, &inLayout_) == 0)
            return true;
        Flush();
        av_channel_layout_uninit(&inLayout_);
        if (frame->ch_layout.nb_channels > 0) av_channel_layout_copy(&inLayout_, &frame->ch_layout);
        else av_channel_layout_default(&inLayout_, 1);
        inFormat_ = frame->format;
        inRate_ = frame->sample_rate;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        SwrContext* raw = nullptr;
        int r = swr_alloc_set_opts2(&raw, &mono, AV_SAMPLE_FMT_S16, kAnalysisRate, &inLayout_,
                                    static_cast<AVSampleFormat>(inFormat_), inRate_, 0, nullptr);
        if (r >= 0) r = swr_init(raw);
        if (r < 0) {
            swr_free(&raw);
            error = "cannot convert this audio to 16 kHz mono: " + AvError(r);
            return false;
        }
        swr_.reset(raw);
        return true;
    }

    void Silence(long long count) {
        std::vector<int16_t> zeros(static_cast<std::size_t>(std::min<long long>(count, kAnalysisRate)), 0);
        while (count > 0) {
            std::size_t n = static_cast<std::size_t>(std::min<long long>(count, static_cast<long long>(zeros.size())));
            sink_(zeros.data(), n);
            written_ += static_cast<long long>(n);
            count -= static_cast<long long>(n);
        }
    }

    void Emit(std::size_t n) {
        const int16_t* p = buffer_.data();
        if (drop_ > 0) {
            std::size_t d = static_cast<std::size_t>(std::min<long long>(drop_, static_cast<long long>(n)));
            p += d;
            n -= d;
            drop_ -= static_cast<long long>(d);
        }
        if (n == 0) return;
        sink_(p, n);
        written_ += static_cast<long long>(n);
    }

    const SampleSink& sink_;
    double origin_;
    std::unique_ptr<SwrContext, SwrFreer> swr_;
    AVChannelLayout inLayout_{};
    int inFormat_ = -1, inRate_ = 0;
    std::vector<int16_t> buffer_;
    long long written_ = 0, drop_ = 0;

public:
    ~Converter() { av_channel_layout_uninit(&inLayout_); }
};

}  // namespace

std::vector<AudioStreamInfo> ListAudioStreams(const std::string& path, std::string& error) {
    std::vector<AudioStreamInfo> list;
    FormatPtr fmt = OpenInput(path, error);
    if (!fmt) return list;
    int best = av_find_best_stream(fmt.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        const AVStream* s = fmt->streams[i];
        if (s->codecpar->codec_type != AVMEDIA_TYPE_AUDIO) continue;
        AudioStreamInfo info;
        info.index = static_cast<int>(i);
        info.codec = avcodec_get_name(s->codecpar->codec_id);
        info.channels = s->codecpar->ch_layout.nb_channels;
        info.sampleRate = s->codecpar->sample_rate;
        info.language = Tag(s, "language");
        info.title = Tag(s, "title");
        info.isDefault = static_cast<int>(i) == best;
        list.push_back(std::move(info));
    }
    if (list.empty()) error = path + ": no audio stream";
    return list;
}

DecodeResult DecodeAudio(const std::string& path, int stream, const SampleSink& sink, const ProgressFn& progress,
                         const std::atomic<bool>* cancel) {
    DecodeResult result;
    FormatPtr fmt = OpenInput(path, result.error);
    if (!fmt) return result;

    if (stream < 0) {
        stream = av_find_best_stream(fmt.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (stream < 0) {
            result.error = path + ": no audio stream";
            return result;
        }
    } else if (stream >= static_cast<int>(fmt->nb_streams) ||
               fmt->streams[stream]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO) {
        result.error = path + ": stream " + std::to_string(stream) + " is not an audio stream";
        return result;
    }
    result.stream = stream;
    AVStream* st = fmt->streams[stream];
    for (unsigned i = 0; i < fmt->nb_streams; ++i)
        if (static_cast<int>(i) != stream) fmt->streams[i]->discard = AVDISCARD_ALL;

    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) {
        result.error = path + ": no decoder for " + avcodec_get_name(st->codecpar->codec_id) + " audio";
        return result;
    }
    std::unique_ptr<AVCodecContext, CodecFreer> dec(avcodec_alloc_context3(codec));
    if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0) {
        result.error = path + ": cannot set up the audio decoder";
        return result;
    }
    dec->pkt_timebase = st->time_base;
    AVDictionary* opts = nullptr;
    av_dict_set(&opts, "downmix", "mono", 0);  // decoders that can mix down do it cheaper
    int r = avcodec_open2(dec.get(), codec, &opts);
    av_dict_free(&opts);
    if (r < 0) {
        result.error = path + ": cannot open the audio decoder: " + AvError(r);
        return result;
    }

    // Players count the movie's time from the container's start.
    double origin = 0.0;
    if (fmt->start_time != AV_NOPTS_VALUE) origin = fmt->start_time / static_cast<double>(AV_TIME_BASE);
    else if (st->start_time != AV_NOPTS_VALUE) origin = st->start_time * av_q2d(st->time_base);
    double duration = 0.0;
    if (st->duration != AV_NOPTS_VALUE && st->duration > 0) duration = st->duration * av_q2d(st->time_base);
    else if (fmt->duration != AV_NOPTS_VALUE && fmt->duration > 0) duration = fmt->duration / double(AV_TIME_BASE);

    Converter conv(sink, origin);
    std::unique_ptr<AVPacket, PacketFreer> pkt(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    long lastPermille = -1;
    int readErrors = 0;

    auto drain = [&]() -> bool {
        for (;;) {
            int rr = avcodec_receive_frame(dec.get(), frame.get());
            if (rr == AVERROR(EAGAIN) || rr == AVERROR_EOF) return true;
            if (rr < 0) {
                ++result.corruptPackets;
                return true;
            }
            double t = frame->best_effort_timestamp == AV_NOPTS_VALUE
                           ? std::numeric_limits<double>::quiet_NaN()
                           : frame->best_effort_timestamp * av_q2d(st->time_base);
            bool ok = conv.Push(frame.get(), t, result.error);
            av_frame_unref(frame.get());
            if (!ok) return false;
        }
    };

    for (;;) {
        if (cancel && cancel->load()) {
            result.cancelled = true;
            return result;
        }
        r = av_read_frame(fmt.get(), pkt.get());
        if (r == AVERROR_EOF) break;
        if (r < 0) {
            // A damaged stretch of the container: skip it, but stop when nothing readable follows.
            if (r == AVERROR(EAGAIN)) continue;
            ++result.corruptPackets;
            if (++readErrors > 1000 || avio_feof(fmt->pb)) break;
            continue;
        }
        readErrors = 0;
        if (pkt->stream_index != stream) {
            av_packet_unref(pkt.get());
            continue;
        }
        ++result.packets;
        if (progress && duration > 0.0 && pkt->pts != AV_NOPTS_VALUE) {
            long permille = static_cast<long>(
                std::clamp((pkt->pts * av_q2d(st->time_base) - origin) / duration * 1000.0, 0.0, 1000.0));
            if (permille != lastPermille) {
                lastPermille = permille;
                progress(permille, 1000, ProgressColor::Blue);
            }
        }
        r = avcodec_send_packet(dec.get(), pkt.get());
        av_packet_unref(pkt.get());
        if (r < 0 && r != AVERROR(EAGAIN)) {
            ++result.corruptPackets;  // this packet is lost; the next frame's time closes the gap
            continue;
        }
        if (!drain()) return result;
    }
    avcodec_send_packet(dec.get(), nullptr);
    if (!drain()) return result;
    conv.Flush();
    result.samples = conv.written();
    result.duration = static_cast<double>(result.samples) / kAnalysisRate;
    if (progress) progress(1000, 1000, ProgressColor::Blue);
    result.ok = true;
    return result;
}

}  // namespace kravelo::media
