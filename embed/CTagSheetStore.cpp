#include "embed/CTagSheetStore.h"

#include "embed/CFlacSheetBlock.h"
#include "platform/FileUtil.h"

#include <FLAC/metadata.h>
#include <taglib/apefile.h>
#include <taglib/apeitem.h>
#include <taglib/apetag.h>
#include <taglib/wavpackfile.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr const char* kField = "CUESHEET";

enum class Kind { None, Flac, WavPack, Ape };

Kind KindOf(const std::string& path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return Kind::None;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "flac")
        return Kind::Flac;
    if (ext == "wv")
        return Kind::WavPack;
    if (ext == "ape")
        return Kind::Ape;
    return Kind::None;
}

struct ChainDeleter {
    void operator()(FLAC__Metadata_Chain* chain) const { FLAC__metadata_chain_delete(chain); }
};
struct IteratorDeleter {
    void operator()(FLAC__Metadata_Iterator* it) const { FLAC__metadata_iterator_delete(it); }
};
using Chain = std::unique_ptr<FLAC__Metadata_Chain, ChainDeleter>;
using Iterator = std::unique_ptr<FLAC__Metadata_Iterator, IteratorDeleter>;

std::string ChainError(FLAC__Metadata_Chain* chain)
{
    switch (FLAC__metadata_chain_status(chain)) {
    case FLAC__METADATA_CHAIN_STATUS_NOT_A_FLAC_FILE:
        return "it is not a FLAC file";
    case FLAC__METADATA_CHAIN_STATUS_BAD_METADATA:
        return "its metadata is damaged";
    case FLAC__METADATA_CHAIN_STATUS_ERROR_OPENING_FILE:
        return "it cannot be opened";
    case FLAC__METADATA_CHAIN_STATUS_NOT_WRITABLE:
        return "it cannot be written";
    case FLAC__METADATA_CHAIN_STATUS_READ_ERROR:
    case FLAC__METADATA_CHAIN_STATUS_SEEK_ERROR:
        return "it cannot be read";
    case FLAC__METADATA_CHAIN_STATUS_WRITE_ERROR:
    case FLAC__METADATA_CHAIN_STATUS_RENAME_ERROR:
    case FLAC__METADATA_CHAIN_STATUS_UNLINK_ERROR:
        return "its copy cannot be written";
    case FLAC__METADATA_CHAIN_STATUS_MEMORY_ALLOCATION_ERROR:
        return "out of memory";
    default:
        return FLAC__Metadata_ChainStatusString[FLAC__metadata_chain_status(chain)];
    }
}

bool OpenChain(const std::string& path, Chain& chain, std::string& reason)
{
    chain.reset(FLAC__metadata_chain_new());
    if (!chain) {
        reason = "out of memory";
        return false;
    }
    if (!FLAC__metadata_chain_read(chain.get(), path.c_str())) {
        reason = ChainError(chain.get());
        return false;
    }
    return true;
}

// The field name of a Vorbis comment entry matches CUESHEET (any case).
bool IsSheetEntry(const FLAC__StreamMetadata_VorbisComment_Entry& entry, std::string* value)
{
    const auto* bytes = reinterpret_cast<const char*>(entry.entry);
    const std::size_t length = entry.length;
    const std::size_t field = std::strlen(kField);
    if (length <= field || bytes[field] != '=' || strncasecmp(bytes, kField, field) != 0)
        return false;
    if (value)
        value->assign(bytes + field + 1, length - field - 1);
    return true;
}

bool ReadFlac(const std::string& path, EmbeddedSheetData& data, std::string& reason)
{
    Chain chain;
    if (!OpenChain(path, chain, reason))
        return false;
    Iterator it(FLAC__metadata_iterator_new());
    if (!it) {
        reason = "out of memory";
        return false;
    }
    FLAC__metadata_iterator_init(it.get(), chain.get());
    unsigned rate = 0;
    const FLAC__StreamMetadata* sheet = nullptr;
    do {
        const FLAC__StreamMetadata* block = FLAC__metadata_iterator_get_block(it.get());
        if (block->type == FLAC__METADATA_TYPE_STREAMINFO) {
            rate = block->data.stream_info.sample_rate;
        } else if (block->type == FLAC__METADATA_TYPE_VORBIS_COMMENT && !data.hasTag) {
            const FLAC__StreamMetadata_VorbisComment& comments = block->data.vorbis_comment;
            for (FLAC__uint32 i = 0; i < comments.num_comments && !data.hasTag; ++i)
                data.hasTag = IsSheetEntry(comments.comments[i], &data.tagText);
            data.tagKind = "Vorbis comment";
        } else if (block->type == FLAC__METADATA_TYPE_CUESHEET && !sheet) {
            sheet = block;
        }
    } while (FLAC__metadata_iterator_next(it.get()));
    if (sheet && CFlacSheetBlock::HasTracks(sheet->data.cue_sheet)) {
        data.hasBlock = true;
        data.blockText = CFlacSheetBlock::ToText(sheet->data.cue_sheet, ts::FileNameOf(path), rate, data.blockOffFrame);
    }
    return true;
}

// Puts text into the first CUESHEET comment (keeping its field name's
// case), drops any other, and writes the chain back through its padding.
bool WriteFlac(const std::string& path, const std::string& text, std::string& reason)
{
    Chain chain;
    if (!OpenChain(path, chain, reason))
        return false;
    Iterator it(FLAC__metadata_iterator_new());
    if (!it) {
        reason = "out of memory";
        return false;
    }
    FLAC__metadata_iterator_init(it.get(), chain.get());
    FLAC__StreamMetadata* comments = nullptr;
    do {
        if (FLAC__metadata_iterator_get_block_type(it.get()) == FLAC__METADATA_TYPE_VORBIS_COMMENT)
            comments = FLAC__metadata_iterator_get_block(it.get());
    } while (!comments && FLAC__metadata_iterator_next(it.get()));
    if (!comments) {
        // A new comment block goes right after STREAMINFO, where encoders put it.
        FLAC__metadata_iterator_init(it.get(), chain.get());
        FLAC__StreamMetadata* block = FLAC__metadata_object_new(FLAC__METADATA_TYPE_VORBIS_COMMENT);
        if (!block || !FLAC__metadata_iterator_insert_block_after(it.get(), block)) {
            if (block)
                FLAC__metadata_object_delete(block);
            reason = "out of memory";
            return false;
        }
        comments = block;
    }
    const int first = FLAC__metadata_object_vorbiscomment_find_entry_from(comments, 0, kField);
    std::string name = kField;
    if (first >= 0)
        name.assign(reinterpret_cast<const char*>(comments->data.vorbis_comment.comments[first].entry), name.size());
    FLAC__StreamMetadata_VorbisComment_Entry entry{};
    if (!FLAC__metadata_object_vorbiscomment_entry_from_name_value_pair(&entry, name.c_str(), text.c_str())) {
        reason = "the sheet is not valid UTF-8 text";
        return false;
    }
    const bool placed = first >= 0
        ? FLAC__metadata_object_vorbiscomment_set_comment(comments, static_cast<unsigned>(first), entry, false)
        : FLAC__metadata_object_vorbiscomment_append_comment(comments, entry, false);
    if (!placed) {
        std::free(entry.entry);
        reason = "out of memory";
        return false;
    }
    // The one kept is the first, or the one just appended.
    const int kept = first >= 0 ? first : static_cast<int>(comments->data.vorbis_comment.num_comments) - 1;
    for (int next; (next = FLAC__metadata_object_vorbiscomment_find_entry_from(comments, kept + 1, kField)) > kept;)
        FLAC__metadata_object_vorbiscomment_delete_comment(comments, static_cast<unsigned>(next));
    // Padding anywhere among the blocks is gathered at the end, where the
    // write can take the comment's growth from it.
    FLAC__metadata_chain_sort_padding(chain.get());
    if (!FLAC__metadata_chain_write(chain.get(), true, false)) {
        reason = ChainError(chain.get());
        return false;
    }
    return true;
}

// The APEv2 tag of a WavPack or APE file.
template <typename File>
bool ReadApe(const std::string& path, const char* kindName, EmbeddedSheetData& data, std::string& reason)
{
    // TagLib takes any file for one without tags; its stream header
    // (a sample rate) tells the real thing.
    File file(path.c_str(), true);
    if (!file.isValid() || !file.audioProperties() || file.audioProperties()->sampleRate() <= 0) {
        reason = std::string("it is not a ") + kindName + " file";
        return false;
    }
    data.tagKind = "APEv2 tag";
    if (const TagLib::APE::Tag* tag = file.APETag(false)) {
        // TagLib keys the items by their upper-case name.
        const auto& items = tag->itemListMap();
        const auto item = items.find(kField);
        if (item != items.end() && item->second.type() == TagLib::APE::Item::Text) {
            data.hasTag = true;
            if (!item->second.values().isEmpty())
                data.tagText = item->second.values().front().to8Bit(true);
            data.tagLostBytes = data.tagText.find("\xEF\xBF\xBD") != std::string::npos;
            // TagLib gives nothing for an item that is not UTF-8 at all:
            // that sheet can be neither shown nor safely replaced.
            if (data.tagText.empty() && item->second.size() > 0) {
                reason = "its CUESHEET APEv2 tag is not UTF-8 text and cannot be read";
                return false;
            }
        }
    }
    return true;
}

template <typename File>
bool WriteApe(const std::string& path, const char* kindName, const std::string& text, std::string& reason)
{
    File file(path.c_str(), false);
    if (!file.isValid()) {
        reason = std::string("it is not a ") + kindName + " file";
        return false;
    }
    TagLib::APE::Tag* tag = file.APETag(true);
    // An existing item keeps its name as written ("Cuesheet" from wavpack).
    TagLib::String key = kField;
    const auto item = tag->itemListMap().find(kField);
    if (item != tag->itemListMap().end())
        key = item->second.key();
    tag->setItem(key, TagLib::APE::Item(key, TagLib::String(text, TagLib::String::UTF8)));
    if (!file.save()) {
        reason = "its tag cannot be written";
        return false;
    }
    return true;
}

// The copy being edited has a temporary name: the kind goes with it.
bool ReadKind(Kind kind, const std::string& path, EmbeddedSheetData& data, std::string& reason)
{
    data = EmbeddedSheetData();
    switch (kind) {
    case Kind::Flac:
        return ReadFlac(path, data, reason);
    case Kind::WavPack:
        return ReadApe<TagLib::WavPack::File>(path, "WavPack", data, reason);
    case Kind::Ape:
        return ReadApe<TagLib::APE::File>(path, "Monkey's Audio", data, reason);
    case Kind::None:
        break;
    }
    reason = "it is not a FLAC, WavPack or APE file";
    return false;
}

} // namespace

CTagSheetStore::CTagSheetStore(CReplacementFile::FaultHook fault)
    : m_fault(std::move(fault))
{
}

bool CTagSheetStore::Handles(const std::string& path) const
{
    return KindOf(path) != Kind::None;
}

bool CTagSheetStore::Read(const std::string& path, EmbeddedSheetData& data, std::string& reason)
{
    // Refuses a FIFO or device before the libraries open it and block.
    if (!ts::CanReadFile(path, reason))
        return false;
    return ReadKind(KindOf(path), path, data, reason);
}

bool CTagSheetStore::Write(const std::string& path, const std::string& text, std::string& reason)
{
    const Kind kind = KindOf(path);
    if (kind == Kind::None) {
        reason = "it is not a FLAC, WavPack or APE file";
        return false;
    }
    // Checked on the original first, so that a file of the wrong kind is
    // named as such before anything is copied.
    EmbeddedSheetData current;
    if (!Read(path, current, reason))
        return false;
    CReplacementFile copy(m_fault);
    if (!copy.Begin(path, reason))
        return false;
    if (copy.Fails("edit")) {
        reason = "No space left on device";
        return false;
    }
    bool edited = false;
    switch (kind) {
    case Kind::Flac:
        edited = WriteFlac(copy.Path(), text, reason);
        break;
    case Kind::WavPack:
        edited = WriteApe<TagLib::WavPack::File>(copy.Path(), "WavPack", text, reason);
        break;
    case Kind::Ape:
        edited = WriteApe<TagLib::APE::File>(copy.Path(), "Monkey's Audio", text, reason);
        break;
    case Kind::None:
        break;
    }
    // The copy must read back with the new sheet before it replaces the file.
    EmbeddedSheetData written;
    if (edited && (!ReadKind(kind, copy.Path(), written, reason) || !written.hasTag || written.tagText != text)) {
        if (reason.empty())
            reason = "the tag did not read back as written";
        return false;
    }
    return edited && copy.Commit(reason);
}
