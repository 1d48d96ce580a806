#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include <QDialog>
#include <QTimer>

#include "net/CAccurateRipFetch.h"
#include "tracks/CRipReader.h"
#include "tracks/DiscIds.h"
#include "verify/CVerifyReport.h"

class CQuillDoc;

namespace Ui {
class CVerifyDlg;
}

// File > Verify Rip: reads the sheet's audio on a worker thread with a
// progress bar and Cancel, then shows every track's checksums against the
// rip's log beside the sheet and the AccurateRip database.
class CVerifyDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVerifyDlg)

public:
    CVerifyDlg(QWidget* parent, const CQuillDoc& doc);
    ~CVerifyDlg() override;

    // Starts reading; the dialog closes itself with a message when the
    // sheet or its audio cannot be verified.
    void Start();
    const CVerifyReport& Report() const { return m_report; }

    static void Run(QWidget* parent, const CQuillDoc& doc);

signals:
    // The checksums, the log and the database's answer are all in.
    void Finished();

private:
    void OnRead(bool ok, const std::string& error);
    void OnDatabase(const CAccurateRipFetch::Result& result);
    void OnClose();
    void Fill();
    // "AccurateRip disc ID ID. " and the note on the rip log.
    QString DiscIdNote() const;
    static QString Translated(const std::string& english);
    void Done();

    std::unique_ptr<Ui::CVerifyDlg> m_ui;
    const CQuillDoc& m_doc;
    CRipReader m_reader;
    DiscIds m_ids;
    CVerifyReport m_report;
    CAccurateRipFetch* m_fetch = nullptr;
    std::thread m_worker;
    std::atomic<bool> m_opened{false};
    QTimer m_poll;
    bool m_running = false;
    bool m_cancelled = false;
    std::string m_logNote; // without its closing full stop
};
