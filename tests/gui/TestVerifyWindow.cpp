// File > Disc Information and File > Verify Rip in the real window,
// offscreen, on audio that sox makes, against what tracksmith-cli prints
// for the same sheet, a hand-made EAC log and a database file served from
// a loopback HTTP server the test starts.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/WaveFixtures.h"
#include "WindowTest.h"
#include "view/CDiscInfoDlg.h"
#include "view/CVerifyDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>

using namespace wavetest;

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

// Serves files of a folder to GET requests on 127.0.0.1; 404 for the rest.
class LoopbackServer final : public QObject
{
public:
    explicit LoopbackServer(QString root)
        : m_root(std::move(root))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_request += socket->readAll();
                    if (!m_request.contains("\r\n\r\n"))
                        return;
                    const QByteArray path = m_request.split(' ').value(1);
                    m_request.clear();
                    QFile file(m_root + QString::fromUtf8(path));
                    QByteArray reply;
                    if (!path.contains("..") && file.open(QIODevice::ReadOnly)) {
                        const QByteArray body = file.readAll();
                        reply = "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                                "\r\nConnection: close\r\n\r\n" + body;
                    } else {
                        reply = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
                    }
                    socket->write(reply);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    bool Listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    quint16 Port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
    QString m_root;
    QByteArray m_request;
};

// "Key: value" lines of tracksmith-cli's output.
std::map<std::string, std::string> Fields(const std::string& text)
{
    std::map<std::string, std::string> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos)
            out[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return out;
}

// Per track the words tracksmith-cli verify prints after "AR v1" and so on.
struct CliRow {
    QString v1, v2, crc, crcNoNull;
};
std::vector<CliRow> CliRows(const std::string& text)
{
    std::vector<CliRow> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Track ", 0) != 0)
            continue;
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        // Track NN AR v1 X AR v2 X CRC X CRC without nulls X
        rows.push_back({Q(w[4]), Q(w[7]), Q(w[9]), Q(w[13])});
    }
    return rows;
}

} // namespace

class TestVerifyWindow final : public WindowTest
{
    Q_OBJECT

private:
    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    // Three tracks of 4, 3 and 5 seconds with a one-second gap before the
    // second, as one FLAC image at rate.
    void MakeDisc(int rate, int seconds = 12)
    {
        QCOMPARE(Run("sox -D -n -r " + std::to_string(rate) + " -c 2 -b 16 " + Quote(File("disc.flac")) + " synth " +
                     std::to_string(seconds) + " whitenoise sine 440 gain -6"),
                 0);
        QFile cue(m_dir->filePath(QStringLiteral("disc.cue")));
        QVERIFY(cue.open(QIODevice::WriteOnly));
        cue.write("FILE \"disc.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                  "    INDEX 00 00:03:00\n    INDEX 01 00:04:00\n  TRACK 03 AUDIO\n    INDEX 01 00:07:00\n");
    }
    void OpenWindow()
    {
        StartApp({m_dir->filePath(QStringLiteral("disc.cue"))});
        ActivateWindow();
    }
    std::string Cli(const std::string& args, int expected)
    {
        std::string out;
        const int code = Run(Quote(TS_CLI_PATH) + " " + args + " 2>/dev/null", &out);
        [&] { QCOMPARE(code, expected); }();
        return out;
    }
    // Runs act on the next modal dialog of type T.
    // The dialogs of these tests show within 30 s.
    template <class T>
    void OnModal(std::function<void(T*)> act)
    {
        WindowTest::OnModal<T>(std::move(act), std::chrono::milliseconds(30000));
    }
    void FileMenuKey(Qt::Key key)
    {
        QTest::keyClick(Frame(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), key);
    }
    QStringList Boxes() const
    {
        QStringList lines;
        for (const std::string& line : m_prompts->Lines())
            lines << Q(line);
        return lines;
    }
    void SetBaseUrl(const QString& url)
    {
        QSettings settings(QStringLiteral("Kestrel"), QStringLiteral("Tracksmith"));
        settings.setValue(QStringLiteral("AccurateRip/BaseUrl"), url);
    }
    // Opens Verify Rip, waits until every answer is in, hands the dialog
    // to check, then closes it.
    void VerifyInWindow(const std::function<void(CVerifyDlg*)>& check)
    {
        bool checked = false;
        OnModal<CVerifyDlg>([&](CVerifyDlg* dlg) {
            auto* close = dlg->findChild<QPushButton*>(QStringLiteral("closeButton"));
            QTRY_COMPARE_WITH_TIMEOUT(close->text(), S("Close"), 60000);
            check(dlg);
            QTest::mouseClick(close, Qt::LeftButton);
            checked = true;
        });
        FileMenuKey(Qt::Key_V);
        QTRY_VERIFY_WITH_TIMEOUT(checked, 90000);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

private slots:
    void discInformationShowsTheIds()
    {
        MakeDisc(44100);
        const auto ids = Fields(Cli("discid " + Quote(File("disc.cue")), 0));
        QCOMPARE(Q(ids.at("TOC")), S("1 3 1050 150 450 675"));
        OpenWindow();
        bool checked = false;
        OnModal<CDiscInfoDlg>([&](CDiscInfoDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), S("Disc Information"));
            const std::pair<const char*, const char*> fields[] = {{"musicBrainzEdit", "MusicBrainz disc ID"},
                                                                  {"freedbEdit", "freedb ID"},
                                                                  {"accurateRipEdit", "AccurateRip disc ID"},
                                                                  {"ctdbEdit", "CTDB TOC ID"}};
            for (const auto& [name, key] : fields)
                QCOMPARE(dlg->findChild<QLineEdit*>(S(name))->text(), Q(ids.at(key)));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("accurateRipCopy")), Qt::LeftButton);
            QCOMPARE(QApplication::clipboard()->text(), Q(ids.at("AccurateRip disc ID")));
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("lookUpButton")), Qt::LeftButton);
            QCOMPARE(m_launched.size(), 1);
            QCOMPARE(m_launched.front().toString(), Q(ids.at("MusicBrainz lookup")));
            dlg->reject();
            checked = true;
        });
        FileMenuKey(Qt::Key_D);
        QTRY_VERIFY(checked);
        QCOMPARE(Boxes(), QStringList());
    }

    void verifyAgainstLogAndDatabase()
    {
        MakeDisc(44100);
        const std::vector<CliRow> rows = CliRows(Cli("verify --offline " + Quote(File("disc.cue")), 1));
        QCOMPARE(rows.size(), std::size_t(3));
        const auto ids = Fields(Cli("discid " + Quote(File("disc.cue")), 0));
        const std::string arPath = ids.at("AccurateRip disc ID");

        // An EAC log beside the sheet with the right CRCs but for track 3.
        std::u16string log = u"\uFEFFExact Audio Copy V1.6 from 23. October 2020\r\n\r\n";
        for (int i = 0; i < 3; ++i) {
            const QString crc = i == 2 ? S("DEADBEEF") : rows[static_cast<std::size_t>(i)].crc;
            log += (QStringLiteral("Track  %1\r\n\r\n     Copy CRC %2\r\n     Copy OK\r\n\r\n").arg(i + 1).arg(crc))
                       .toStdU16String();
        }
        QFile logFile(m_dir->filePath(QStringLiteral("disc.log")));
        QVERIFY(logFile.open(QIODevice::WriteOnly));
        logFile.write(reinterpret_cast<const char*>(log.data()), static_cast<qint64>(log.size() * 2));
        logFile.close();

        // A database file whose v2 record knows tracks 1 and 3 only.
        const QStringList name = Q(arPath).section(QLatin1Char('/'), 3).chopped(4).split(QLatin1Char('-'));
        QByteArray record;
        auto put = [&](quint32 v) {
            for (int b = 0; b < 4; ++b)
                record += static_cast<char>((v >> (8 * b)) & 0xFF);
        };
        record += static_cast<char>(3);
        put(name[2].toUInt(nullptr, 16));
        put(name[3].toUInt(nullptr, 16));
        put(name[4].toUInt(nullptr, 16));
        for (int i = 0; i < 3; ++i) {
            record += static_cast<char>(4);
            put(i == 1 ? 0x12345678u : rows[static_cast<std::size_t>(i)].v2.toUInt(nullptr, 16));
            put(0);
        }
        const QString served = m_dir->filePath(QStringLiteral("served/ar/")) + Q(arPath);
        QVERIFY(QDir().mkpath(QFileInfo(served).path()));
        QFile db(served);
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write(record);
        db.close();
        LoopbackServer server(m_dir->filePath(QStringLiteral("served")));
        QVERIFY(server.Listen());
        SetBaseUrl(QStringLiteral("http://127.0.0.1:%1/ar/").arg(server.Port()));

        OpenWindow();
        VerifyInWindow([&](CVerifyDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), S("Verify Rip"));
            auto* table = dlg->findChild<QTableWidget*>(QStringLiteral("table"));
            QCOMPARE(table->rowCount(), 3);
            for (int r = 0; r < 3; ++r) {
                const CliRow& row = rows[static_cast<std::size_t>(r)];
                QCOMPARE(table->item(r, 0)->text(), QStringLiteral("%1").arg(r + 1, 2, 10, QLatin1Char('0')));
                QCOMPARE(table->item(r, 1)->text(), row.v1);
                QCOMPARE(table->item(r, 2)->text(), row.v2);
                QCOMPARE(table->item(r, 3)->text(), row.crc);
                QCOMPARE(table->item(r, 4)->text(), row.crcNoNull);
            }
            QCOMPARE(table->item(0, 5)->text(), S("CRC matches"));
            QCOMPARE(table->item(2, 5)->text(), S("CRC differs (log DEADBEEF)"));
            QCOMPARE(table->item(0, 6)->text(), S("accurately ripped (confidence 4)"));
            QCOMPARE(table->item(1, 6)->text(), S("not accurate"));
            QCOMPARE(table->item(2, 6)->text(), S("accurately ripped (confidence 4)"));
            // Track 2 matches its log, track 3 the database.
            QCOMPARE(table->item(0, 7)->text(), S("verified"));
            QCOMPARE(table->item(1, 7)->text(), S("verified"));
            QCOMPARE(table->item(2, 7)->text(), S("verified"));
            QVERIFY(dlg->findChild<QLabel*>(QStringLiteral("summaryLabel"))->text().endsWith(S("All 3 tracks verified.")));
            QVERIFY(dlg->findChild<QLabel*>(QStringLiteral("statusLabel"))->text().contains(S("EAC log")));
        });
        QCOMPARE(Boxes(), QStringList());
    }

    void verifyWithoutNetwork()
    {
        MakeDisc(44100);
        // A port nobody listens on: taken, then closed.
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            port = probe.serverPort();
        }
        SetBaseUrl(QStringLiteral("http://127.0.0.1:%1/ar").arg(port));
        OpenWindow();
        VerifyInWindow([&](CVerifyDlg* dlg) {
            auto* table = dlg->findChild<QTableWidget*>(QStringLiteral("table"));
            QCOMPARE(table->rowCount(), 3);
            QCOMPARE(table->item(0, 7)->text(), S("not verified"));
            const QString status = dlg->findChild<QLabel*>(QStringLiteral("statusLabel"))->text();
            QVERIFY2(status.contains(S("The AccurateRip database at \"127.0.0.1\" cannot be reached: ")), qPrintable(status));
            QVERIFY(status.contains(S("No rip log beside the sheet.")));
        });
    }

    void verifyRefusesOtherAudio()
    {
        MakeDisc(48000);
        OpenWindow();
        FileMenuKey(Qt::Key_V);
        QTRY_COMPARE_WITH_TIMEOUT(Boxes().size(), 1, 30000);
        QCOMPARE(Boxes().front(), S("Verify Rip: \"") + Q(File("disc.flac")) +
                                      S("\" has audio at 48000 Hz: a CD's audio is 44.1 kHz 16-bit stereo."));
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void verifyCancels()
    {
        // Long enough that reading it outlasts the click.
        MakeDisc(44100, 600);
        OpenWindow();
        bool clicked = false;
        OnModal<CVerifyDlg>([&](CVerifyDlg* dlg) {
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
            clicked = true;
        });
        FileMenuKey(Qt::Key_V);
        QTRY_VERIFY(clicked);
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, 30000);
        QCOMPARE(Boxes(), QStringList());
    }
};

QTEST_MAIN(TestVerifyWindow)
#include "TestVerifyWindow.moc"
