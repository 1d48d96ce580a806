#include "tracks/CMediaInfo.h"

#include <cctype>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include "album/CTracklistReader.h"
#include "audio/CAudioDecoder.h"

namespace {

// A tag by any of its names, from the container first, then from the
// audio stream (Ogg and FLAC keep them there).
std::string Tag(const AVFormatContext* format, int stream, std::initializer_list<const char*> keys)
{
    for (const AVDictionary* dict : {static_cast<const AVDictionary*>(format->metadata),
                                     stream >= 0 ? static_cast<const AVDictionary*>(format->streams[stream]->metadata)
                                                 : nullptr}) {
        if (!dict)
            continue;
        for (const char* key : keys) {
            if (const AVDictionaryEntry* entry = av_dict_get(dict, key, nullptr, 0); entry && *entry->value)
                return entry->value;
        }
    }
    return {};
}

struct FormatCloser {
    AVFormatContext* format = nullptr;
    ~FormatCloser() { avformat_close_input(&format); }
};

} // namespace

bool CMediaInfo::Read(const std::string& path, std::string& error)
{
    // The decoder measures the audio exactly and refuses what is no file.
    CAudioDecoder decoder;
    if (!decoder.Open(path)) {
        error = decoder.FailureReason();
        return false;
    }
    length = decoder.SampleRate() ? static_cast<Micros>(decoder.FrameCount() * 1000000ULL / decoder.SampleRate()) : 0;
    decoder.Close();

    FormatCloser in;
    if (avformat_open_input(&in.format, path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(in.format, nullptr) < 0) {
        error = "not an audio file";
        return false;
    }
    const int stream = av_find_best_stream(in.format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    title = Tag(in.format, stream, {"title"});
    artist = Tag(in.format, stream, {"artist", "performer"});
    composer = Tag(in.format, stream, {"composer"});
    isrc = Tag(in.format, stream, {"isrc", "TSRC"});
    album = Tag(in.format, stream, {"album"});
    albumArtist = Tag(in.format, stream, {"album_artist", "albumartist", "album artist"});
    date = Tag(in.format, stream, {"date", "year", "originaldate"});
    genre = Tag(in.format, stream, {"genre"});

    chapters = ChapterList();
    chapters.title = album.empty() ? title : album;
    chapters.performer = albumArtist.empty() ? artist : albumArtist;
    for (unsigned i = 0; i < in.format->nb_chapters; ++i) {
        const AVChapter* c = in.format->chapters[i];
        Chapter chapter;
        chapter.start = av_rescale_q(c->start, c->time_base, AVRational{1, 1000000});
        chapter.end = av_rescale_q(c->end, c->time_base, AVRational{1, 1000000});
        const AVDictionaryEntry* name = av_dict_get(c->metadata, "title", nullptr, 0);
        const AVDictionaryEntry* by = av_dict_get(c->metadata, "artist", nullptr, 0);
        const std::string text = name ? name->value : "";
        if (by && *by->value) {
            chapter.performer = by->value;
            chapter.title = text;
        } else if (!CTracklistReader::SplitPerformer(text, chapter.performer, chapter.title)) {
            chapter.title = text;
        }
        chapters.chapters.push_back(std::move(chapter));
    }
    return true;
}
