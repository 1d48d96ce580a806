#pragma once

#include <string>
#include <string_view>

// The character set a sheet's bytes are shown and typed in. The core keeps
// a sheet's text as the file's bytes; a codec turns them into UTF-8 for
// whatever shows them, and typed UTF-8 back into bytes of the same set, so
// one sheet never mixes two. The edit session owns the codec of its sheet
// and hands it to whoever shows or takes text.
class ISheetCodec
{
public:
    virtual ~ISheetCodec() = default;

    virtual const std::string& Charset() const = 0;
    virtual bool IsUtf8() const = 0;
    // The bytes as UTF-8 text.
    virtual std::string ToUtf8(std::string_view bytes) const = 0;
    // The bytes of UTF-8 text; false when a character has no form in the
    // character set (bytes then hold the rest).
    virtual bool FromUtf8(std::string_view utf8, std::string& bytes) const = 0;

protected:
    ISheetCodec() = default;
    ISheetCodec(const ISheetCodec&) = default;
    ISheetCodec& operator=(const ISheetCodec&) = default;
};
