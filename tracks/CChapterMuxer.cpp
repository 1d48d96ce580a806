#include "tracks/CChapterMuxer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include "audio/CAudioDecoder.h"

namespace {

std::string AvError(int code)
{
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buffer, sizeof buffer);
    return buffer;
}

struct Contexts {
    AVFormatContext* in = nullptr;
    AVFormatContext* out = nullptr;
    AVPacket* packet = nullptr;
    std::string temporary;
    bool keep = false;
    ~Contexts()
    {
        av_packet_free(&packet);
        avformat_close_input(&in);
        if (out) {
            if (out->pb)
                avio_closep(&out->pb);
            avformat_free_context(out);
        }
        if (!keep && !temporary.empty())
            std::remove(temporary.c_str());
    }
};

// "hh:mm:ss.mmm", as Vorbis chapter comments write a start.
std::string ChapterClock(Micros time)
{
    const long long ms = (time + 500) / 1000;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    return buffer;
}

// The name's extension chooses the container; M4B is an M4A.
const AVOutputFormat* FormatFor(const std::string& target)
{
    const auto dot = target.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : target.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ext == "m4a" || ext == "m4b" || ext == "mp4")
        return av_guess_format("ipod", nullptr, nullptr);
    if (ext == "mka" || ext == "mkv")
        return av_guess_format("matroska", nullptr, nullptr);
    if (ext == "ogg" || ext == "oga" || ext == "opus")
        return av_guess_format("ogg", nullptr, nullptr);
    if (ext == "flac")
        return av_guess_format("flac", nullptr, nullptr);
    return nullptr;
}

} // namespace

bool CChapterMuxer::Write(const std::string& source, const std::string& target, const ChapterList& chapters,
                          std::string& error)
{
    const std::string refusal = CAudioDecoder::PathRefusal(source);
    if (!refusal.empty()) {
        error = "\"" + source + "\" cannot be read: " + refusal;
        return false;
    }
    std::error_code same;
    if (std::filesystem::equivalent(source, target, same)) {
        error = "\"" + target + "\" is the audio the chapters are taken from: choose another name for the copy";
        return false;
    }
    const AVOutputFormat* format = FormatFor(target);
    if (!format) {
        error = "\"" + target + "\" cannot take chapters: name it .m4a, .m4b, .mka, .ogg or .flac";
        return false;
    }
    Contexts c;
    int result = avformat_open_input(&c.in, source.c_str(), nullptr, nullptr);
    if (result >= 0)
        result = avformat_find_stream_info(c.in, nullptr);
    if (result < 0) {
        error = "\"" + source + "\" cannot be read: " + AvError(result);
        return false;
    }
    result = avformat_alloc_output_context2(&c.out, format, nullptr, nullptr);
    if (result < 0) {
        error = "\"" + target + "\" cannot be written: " + AvError(result);
        return false;
    }
    std::vector<int> streamMap(c.in->nb_streams, -1);
    int outStreams = 0;
    for (unsigned i = 0; i < c.in->nb_streams; ++i) {
        const AVStream* in = c.in->streams[i];
        if (in->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        if (avformat_query_codec(format, in->codecpar->codec_id, FF_COMPLIANCE_NORMAL) == 0) {
            error = "\"" + target + "\" cannot hold the audio of \"" + source + "\" (" +
                    avcodec_get_name(in->codecpar->codec_id) + ") without converting it";
            return false;
        }
        AVStream* out = avformat_new_stream(c.out, nullptr);
        if (!out || avcodec_parameters_copy(out->codecpar, in->codecpar) < 0) {
            error = "\"" + target + "\" cannot be written: out of memory";
            return false;
        }
        out->codecpar->codec_tag = 0;
        out->time_base = in->time_base;
        av_dict_copy(&out->metadata, in->metadata, 0);
        streamMap[i] = outStreams++;
    }
    if (outStreams == 0) {
        error = "\"" + source + "\" holds no audio";
        return false;
    }
    av_dict_copy(&c.out->metadata, c.in->metadata, 0);
    // The chapters replace any the source had.
    const auto count = static_cast<unsigned>(chapters.chapters.size());
    c.out->chapters = static_cast<AVChapter**>(av_calloc(count ? count : 1, sizeof(AVChapter*)));
    if (!c.out->chapters) {
        error = "\"" + target + "\" cannot be written: out of memory";
        return false;
    }
    for (unsigned i = 0; i < count; ++i) {
        const Chapter& from = chapters.chapters[i];
        auto* chapter = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
        if (!chapter) {
            error = "\"" + target + "\" cannot be written: out of memory";
            return false;
        }
        c.out->chapters[c.out->nb_chapters++] = chapter;
        chapter->id = i + 1;
        chapter->time_base = AVRational{1, 1000};
        chapter->start = (from.start + 500) / 1000;
        chapter->end = (from.end + 500) / 1000;
        av_dict_set(&chapter->metadata, "title", from.title.empty() ? from.performer.c_str() : from.title.c_str(), 0);
        if (!from.performer.empty() && !from.title.empty())
            av_dict_set(&chapter->metadata, "artist", from.performer.c_str(), 0);
    }
    // FFmpeg's FLAC and Ogg muxers write no chapters of a copied stream:
    // they go in as the Vorbis comments CHAPTERnnn and CHAPTERnnnNAME that
    // players of FLAC and Ogg files read (the file's comments in FLAC, the
    // stream's in Ogg).
    const bool flac = std::strcmp(format->name, "flac") == 0;
    if (flac || std::strcmp(format->name, "ogg") == 0) {
        AVDictionary** comments = flac ? &c.out->metadata : &c.out->streams[0]->metadata;
        for (unsigned i = 0; i < count; ++i) {
            const Chapter& from = chapters.chapters[i];
            char key[32];
            std::snprintf(key, sizeof key, "CHAPTER%03u", i + 1);
            av_dict_set(comments, key, ChapterClock(from.start).c_str(), 0);
            const std::string name = from.performer.empty() || from.title.empty()
                                         ? (from.title.empty() ? from.performer : from.title)
                                         : from.performer + " - " + from.title;
            std::snprintf(key, sizeof key, "CHAPTER%03uNAME", i + 1);
            av_dict_set(comments, key, name.c_str(), 0);
        }
    }
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    c.temporary = folder + "." + name + ".part" + std::to_string(getpid());
    result = avio_open(&c.out->pb, c.temporary.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) {
        c.temporary.clear();
        error = "\"" + target + "\" cannot be written: " + AvError(result);
        return false;
    }
    result = avformat_write_header(c.out, nullptr);
    c.packet = av_packet_alloc();
    while (result >= 0 && c.packet) {
        result = av_read_frame(c.in, c.packet);
        if (result == AVERROR_EOF) {
            result = 0;
            break;
        }
        if (result < 0)
            break;
        const int index = c.packet->stream_index;
        if (index < 0 || static_cast<unsigned>(index) >= streamMap.size() || streamMap[index] < 0) {
            av_packet_unref(c.packet);
            continue;
        }
        const AVStream* in = c.in->streams[index];
        AVStream* out = c.out->streams[streamMap[index]];
        av_packet_rescale_ts(c.packet, in->time_base, out->time_base);
        c.packet->stream_index = streamMap[index];
        c.packet->pos = -1;
        result = av_interleaved_write_frame(c.out, c.packet);
    }
    if (result >= 0)
        result = av_write_trailer(c.out);
    if (result >= 0)
        result = avio_closep(&c.out->pb);
    if (result < 0) {
        error = "\"" + target + "\" cannot be written: " + AvError(result);
        return false;
    }
    if (std::rename(c.temporary.c_str(), target.c_str()) != 0) {
        error = "\"" + target + "\" cannot be written: " + std::strerror(errno);
        return false;
    }
    c.keep = true;
    return true;
}
