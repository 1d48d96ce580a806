#include "DialogSheet.h"

#include <QFile>

#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueItem.h"
#include "model/CCueTrack.h"

const char* const kDialogSheet =
    "REM leading comment\n"
    "CATALOG 1234567890123\n"
    "TITLE \"Disc title\"\n"
    "FILE A.WAV WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    FLAGS DCP\n"
    "    PREGAP 00:02:00\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    ISRC ABCDE1234567\n"
    "    PERFORMER Someone\n"
    "    INDEX 00 01:00:00\n"
    "    INDEX 01 01:02:00\n"
    "    POSTGAP 00:01:00\n"
    "  TRACK 03 MODE1/2352 ; third\n"
    "    INDEX 01 02:00:00\n"
    "    INDEX 02 02:30:00\n"
    "FILE B.BIN BINARY\n"
    "  TRACK 04 MODE1/2048\n"
    "    INDEX 01 00:00:00\n";

DialogSheet::DialogSheet() = default;

bool DialogSheet::Open(const char* text)
{
    const QString path = dir.filePath(QStringLiteral("sheet.cue"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
        return false;
    file.close();
    if (!doc.OnOpenDocument(path.toStdString()))
        return false;
    doc.SetPathName(path.toStdString());
    doc.SetModifiedFlag(false);
    return prompts.Messages().empty();
}

CCueItem* DialogSheet::Find(ItemKind kind, int nth) const
{
    for (int i = 0; i < doc.LineCount(); ++i) {
        CCueItem* item = doc.Line(i);
        if (item && item->Kind() == kind && nth-- == 0)
            return item;
    }
    return nullptr;
}

CCueItem* DialogSheet::IndexOf(int track, int index) const
{
    const auto* t = static_cast<const CCueTrack*>(Find(ItemKind::Track, track));
    return t ? t->Index(index) : nullptr;
}
