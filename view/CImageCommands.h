#pragma once

#include <functional>
#include <string>

class CCueItem;
class CImageWriter;
class CQuillDoc;
class QWidget;

// The commands on sheets whose files are BINARY or MOTOROLA disc images:
// their bytes are copied as they are, never decoded.
class CImageCommands final
{
public:
    CImageCommands() = delete;

    // File > Join Into One Image on a byte image: asks for the image's
    // name, then writes the image and its sheet beside it.
    static void JoinImage(QWidget* parent, const CQuillDoc& doc);

    // Edit > Convert Gaps: asks which way, writes the copies of the files
    // whose gaps change, then puts the converted sheet in place of the
    // document's tree. The first line for the view, or null when nothing
    // changed.
    static CCueItem* ConvertGaps(QWidget* parent, CQuillDoc& doc);
    // Whether the sheet is a byte image whose gaps can be converted.
    static bool CanConvertGaps(const CQuillDoc& doc);

    // Runs work on a worker thread under a progress dialog whose Cancel
    // cancels the writer; true when the work succeeded.
    static bool RunWithProgress(QWidget* parent, const std::string& label, CImageWriter& writer,
                                const std::function<bool()>& work);
};
