#pragma once

#include "document/CUtf8Codec.h"

#include <memory>
#include <string>

#include <QDialog>
#include <QString>

#include "platform/CPrompts.h"

class CCueFile;

namespace Ui {
class CEditFileDlg;
}

// Edits a FILE line: its name (typed or browsed, stored as given), its file
// type and its comment.
class CEditFileDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditFileDlg)

public:
    explicit CEditFileDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditFileDlg() override;

    void Load(const CCueFile& file);
    // Sets what was changed, in the order name, type, comment; true when
    // any setter reported a change.
    bool Store(CCueFile& file) const;
    // The folder of the sheet's file (empty for an untitled sheet): Browse
    // starts there, and names the chosen file from there.
    void SetSheetFolder(const std::string& folder) { m_sheetFolder = folder; }

    // The file dialog of Browse, which is Insert File's: starting in folder.
    static FileDialogRequest BrowseRequest(const std::string& folder);

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    void OnBrowse();

    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditFileDlg> m_ui;
    QString m_name;
    int m_type = -1;
    QString m_comment;
    std::string m_sheetFolder;
};
