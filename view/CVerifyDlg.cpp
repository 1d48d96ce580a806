#include "view/CVerifyDlg.h"

#include "ui_CVerifyDlg.h"

#include <algorithm>
#include <cstdio>

#include <QPushButton>

#include "document/CQuillDoc.h"
#include "platform/CPrompts.h"
#include "verify/CAccurateRipDb.h"
#include "verify/CRipLog.h"
#include "view/CMessageText.h"

namespace {

const char* const kVerifyCaption = "Verify Rip";
constexpr int kPollMs = 50;
constexpr int kVerifySteps = 1000;

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

CVerifyDlg::CVerifyDlg(QWidget* parent, const CQuillDoc& doc)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CVerifyDlg>())
    , m_doc(doc)
{
    m_ui->setupUi(this);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &CVerifyDlg::OnClose);
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (!m_opened)
            return;
        const std::uint64_t total = m_reader.FramesTotal();
        if (total > 0)
            m_ui->progressBar->setValue(static_cast<int>(std::min<std::uint64_t>(m_reader.FramesDone() * kVerifySteps / total, kVerifySteps)));
    });
}

CVerifyDlg::~CVerifyDlg()
{
    m_reader.Cancel();
    if (m_worker.joinable())
        m_worker.join();
}

void CVerifyDlg::Start()
{
    m_running = true;
    m_poll.start();
    // Opening the files for their lengths may take as long as reading them
    // on a slow disk, so both run on the worker.
    m_worker = std::thread([this] {
        std::string error;
        bool ok = m_reader.Open(m_doc, error);
        if (ok) {
            m_opened = true;
            ok = ts::ComputeDiscIds(m_reader.Layout().Toc(), m_ids, error) && m_reader.Compute(error);
        }
        QMetaObject::invokeMethod(this, [this, ok, error] { OnRead(ok, error); }, Qt::QueuedConnection);
    });
}

void CVerifyDlg::OnRead(bool ok, const std::string& error)
{
    m_worker.join();
    m_poll.stop();
    if (!ok) {
        m_running = false;
        if (!m_cancelled)
            ShowMessageBox(error + ".", kVerifyCaption, PromptButtons::Ok, PromptIcon::Error, true);
        reject();
        return;
    }
    m_ui->progressBar->setValue(kVerifySteps);
    m_report.SetChecksums(m_reader.Checksums(), m_reader.ImageCrc());

    const std::string logPath = CRipLog::FindBeside(m_doc.PathName());
    if (logPath.empty()) {
        m_logNote = "No rip log beside the sheet";
    } else {
        CRipLog log;
        std::string logError;
        if (log.Read(logPath, logError)) {
            m_report.CompareLog(log);
            m_logNote = std::string(log.KindName()) + " log: \"" + logPath + "\"";
        } else {
            m_logNote = logError;
        }
    }
    m_ui->statusLabel->setText(DiscIdNote() + QLatin1Char(' ') + tr("Asking the AccurateRip database..."));
    Fill();
    m_fetch = new CAccurateRipFetch(this);
    connect(m_fetch, &CAccurateRipFetch::Finished, this, &CVerifyDlg::OnDatabase);
    m_fetch->Start(QString::fromStdString(m_ids.accurateRip));
}

void CVerifyDlg::OnDatabase(const CAccurateRipFetch::Result& result)
{
    CAccurateRipDb database;
    std::string error;
    if (result.outcome == CAccurateRipFetch::Outcome::NotFound)
        m_report.SetNotInDatabase();
    else if (result.outcome == CAccurateRipFetch::Outcome::Failed)
        m_report.SetDatabaseMessage(result.message.toStdString());
    else if (!database.Parse(result.data.toStdString(), error))
        m_report.SetDatabaseMessage(error);
    else
        m_report.CompareDatabase(database, m_reader.Layout().Toc(), m_ids.freedb);
    QString status = DiscIdNote();
    if (!m_report.DatabaseMessage().empty())
        status += QLatin1Char(' ') + Translated(m_report.DatabaseMessage()) + QLatin1Char('.');
    m_ui->statusLabel->setText(status);
    Fill();
    Done();
}

QString CVerifyDlg::Translated(const std::string& english)
{
    return ts::TranslateMessage(QString::fromStdString(english));
}

QString CVerifyDlg::DiscIdNote() const
{
    return tr("AccurateRip disc ID %1.").arg(QString::fromStdString(m_ids.accurateRip)) + QLatin1Char(' ')
        + Translated(m_logNote) + QLatin1Char('.');
}

void CVerifyDlg::Fill()
{
    const auto& rows = m_report.Rows();
    m_ui->table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const CVerifyReport::Row& row = rows[static_cast<std::size_t>(r)];
        char number[4];
        std::snprintf(number, sizeof number, "%02d", row.sums.number);
        const std::string cells[] = {number,
                                     CVerifyReport::Hex(row.sums.accurateRipV1),
                                     CVerifyReport::Hex(row.sums.accurateRipV2),
                                     CVerifyReport::Hex(row.sums.crc),
                                     CVerifyReport::Hex(row.sums.crcNoNull),
                                     row.log,
                                     row.database,
                                     row.verified ? "verified" : "not verified"};
        for (int c = 0; c < 8; ++c)
            m_ui->table->setItem(r, c, Cell(cells[c]));
        // The log's, the database's and the verdict's words in the program's
        // language; the log's column lists its comparisons with commas.
        for (int c = 5; c < 8; ++c) {
            QStringList parts = QString::fromStdString(cells[c]).split(QStringLiteral(", "));
            for (QString& part : parts)
                part = ts::TranslateMessage(part);
            m_ui->table->item(r, c)->setText(parts.join(QStringLiteral(", ")));
        }
    }
    m_ui->table->resizeColumnsToContents();
    QString summary = tr("Image CRC %1").arg(QString::fromStdString(CVerifyReport::Hex(m_report.ImageCrc())));
    if (!m_report.ImageLog().empty())
        summary += QLatin1Char(' ') + Translated(m_report.ImageLog());
    summary += QStringLiteral(". ") + Translated(m_report.Summary()) + QLatin1Char('.');
    m_ui->summaryLabel->setText(summary);
}

void CVerifyDlg::Done()
{
    m_running = false;
    m_ui->closeButton->setText(tr("Close"));
    emit Finished();
}

void CVerifyDlg::OnClose()
{
    if (m_running && !m_cancelled && m_worker.joinable()) {
        // The worker stops at its next block; OnRead closes the dialog.
        m_cancelled = true;
        m_reader.Cancel();
        m_ui->statusLabel->setText(tr("Cancelling..."));
        m_ui->closeButton->setEnabled(false);
        return;
    }
    reject();
}

void CVerifyDlg::Run(QWidget* parent, const CQuillDoc& doc)
{
    if (doc.PathName().empty()) {
        ShowMessageBox("Save the cue sheet first: its audio files are found in the folder it is saved in.", kVerifyCaption,
                       PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    CVerifyDlg dialog(parent, doc);
    dialog.Start();
    dialog.exec();
}
