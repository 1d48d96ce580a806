// The window and its dialogs under a German locale, compared with the same
// window and dialogs in English: every visible text (window titles,
// labels, buttons, group boxes, tabs, headers, list, tree and table items,
// combo items, menus, actions, tool and status tips) that shows the same
// text in both runs must be a name, a number, a file name or a cue
// keyword, or a text the German catalogue keeps as it is on purpose.
// Anything else is a text that escaped the translation; the test names it
// by its widget path. The message boxes' texts are checked the same way.
#include "WindowTest.h"

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/CTranslations.h"
#include "res/CommandIds.h"
#include "view/CMessageText.h"
#include "view/CQuillView.h"

#include "document/CQuillDoc.h"
#include "model/CCueItem.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// A sheet that reaches every dialog: a disc catalogue, CD-TEXT, flags,
// gaps, an ISRC, two audio files (the second one goes missing later, for
// Find Missing Audio and the findings of Check Sheet).
const char* const kSheet = "REM COMMENT \"ripped 2024\"\n"
                           "CATALOG 1234567890123\n"
                           "PERFORMER \"Kraftwerk\"\n"
                           "TITLE \"Autobahn\"\n"
                           "FILE \"one.wav\" WAVE\n"
                           "  TRACK 01 AUDIO\n"
                           "    FLAGS DCP\n"
                           "    PREGAP 00:02:00\n"
                           "    ISRC DEA123400001\n"
                           "    INDEX 01 00:00:00\n"
                           "  TRACK 02 AUDIO\n"
                           "    INDEX 00 00:06:00\n"
                           "    INDEX 01 00:08:00\n"
                           "    POSTGAP 00:01:00\n"
                           "FILE \"two.wav\" WAVE\n"
                           "  TRACK 03 AUDIO\n"
                           "    INDEX 01 00:00:00\n";

// A tracklist for the first file, with a line it skips.
const char* const kTracklist = "0:00 Kraftwerk - Autobahn\nside two follows\n0:05 Kraftwerk - Kometenmelodie\n";

// Seconds of CD audio (44.1 kHz, 16-bit, stereo) as a WAVE file, silent
// but for a tone in its first half, so silence detection has a start.
bool WriteWave(const QString& path, int seconds)
{
    const quint32 frames = 44100u * static_cast<quint32>(seconds);
    const quint32 bytes = frames * 4;
    QByteArray data;
    const auto u32 = [&data](quint32 v) {
        for (int i = 0; i < 4; ++i)
            data.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const auto u16 = [&data](quint16 v) {
        data.append(static_cast<char>(v & 0xFF));
        data.append(static_cast<char>(v >> 8));
    };
    data.append("RIFF");
    u32(36 + bytes);
    data.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    data.append("data");
    u32(bytes);
    for (quint32 i = 0; i < frames; ++i) {
        const qint16 v = i < frames / 2 ? static_cast<qint16>((i / 50) % 2 ? 8000 : -8000) : 0;
        u16(static_cast<quint16>(v));
        u16(static_cast<quint16>(v));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QString Visible(QString text);

// Source -> translation of the German catalogues, as a reader sees them.
QHash<QString, QString> ReadCatalogues()
{
    QHash<QString, QString> map;
    for (const char* name : {"tracksmith_de.ts", "commands_de.ts", "messages_de.ts"}) {
        QFile file(QStringLiteral(TS_SOURCE_DIR "/res/translations/") + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&file);
        QString source;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation"))
                map.insert(Visible(source), Visible(xml.readElementText()));
        }
    }
    return map;
}

// What a reader sees of a text: no access key marks, no key after a tab,
// no markup.
QString Visible(QString text)
{
    if (Qt::mightBeRichText(text))
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.trimmed();
}

// Words that read the same in both languages: names of programs, formats
// and services, and units.
const QSet<QString>& Names()
{
    static const QSet<QString> names = {
        S("Tracksmith"), S("Kestrel"), S("Larkspur"), S("AccurateRip"), S("MusicBrainz"), S("freedb"),
        S("Discogs"), S("FFmpeg"), S("ffmpeg"), S("libcue"), S("cdrdao"), S("cueprint"), S("cuebreakpoints"),
        S("shntool"), S("flacon"), S("Audacity"), S("Matroska"), S("WavPack"), S("Opus"), S("Unicode"),
        S("Windows"), S("Hz"), S("kHz"), S("dB"), S("dBFS"), S("s"), S("ms"), S("min"), S("v"), S("Kraftwerk"),
        S("Autobahn"), S("Big"), S("Shift"), S("JIS"), S("Vorbis"), S("Ogg"), S("YouTube"), S("ID"),
    };
    return names;
}

// True when a text shown the same in English and German is fine so: it
// holds no words but names, cue keywords (upper case), numbers, times and
// file names, or the catalogue keeps it unchanged.
bool SameByNature(const QString& text, const QHash<QString, QString>& catalogue)
{
    // Also as a tool tip shows a menu text: without its closing "...".
    for (const QString& entry : {text, text + QStringLiteral("...")}) {
        if (const auto it = catalogue.constFind(entry); it != catalogue.cend() && it.value() == entry)
            return true;
    }
    // A template the catalogue keeps as it is ("Build %1").
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
        if (it.key() != it.value() || !it.key().contains(QLatin1Char('%')))
            continue;
        QStringList parts = it.key().split(QRegularExpression(QStringLiteral("%[1-9]")));
        for (QString& part : parts)
            part = QRegularExpression::escape(part);
        if (QRegularExpression(QStringLiteral("^") + parts.join(QStringLiteral(".*")) + QStringLiteral("$")).match(text).hasMatch())
            return true;
    }
    QString rest = text;
    // Quoted names, file names and paths, web addresses.
    rest.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"|\u201E[^\u201C]*\u201C")));
    rest.remove(QRegularExpression(QStringLiteral("\\S*[/\\\\]\\S*|\\S+\\.[A-Za-z0-9]{1,4}\\b|https?:\\S+")));
    auto words = QRegularExpression(QStringLiteral("\\p{L}+")).globalMatch(rest);
    while (words.hasNext()) {
        const QString word = words.next().captured();
        const bool keyword = word.size() >= 2 && word == word.toUpper();
        if (!keyword && !Names().contains(word))
            return false;
    }
    return true;
}

// A widget's place below the window: object names where set, otherwise the
// class and its number among its siblings of that class.
QString PathOf(const QObject* object, const QObject* root)
{
    QStringList parts;
    for (const QObject* o = object; o && o != root; o = o->parent()) {
        QString name = o->objectName();
        if (name.isEmpty()) {
            int nth = 0;
            if (o->parent()) {
                for (const QObject* sibling : o->parent()->children()) {
                    if (sibling == o)
                        break;
                    nth += sibling->metaObject() == o->metaObject() ? 1 : 0;
                }
            }
            name = QStringLiteral("%1[%2]").arg(QLatin1String(o->metaObject()->className())).arg(nth);
        }
        parts.prepend(name);
    }
    return parts.join(QLatin1Char('/'));
}

// The visible texts of a window, by "path: what".
class TextWalk
{
public:
    explicit TextWalk(QMap<QString, QString>& out, const QString& prefix)
        : m_out(out)
        , m_prefix(prefix)
    {
    }

    void Window(QWidget* root)
    {
        Add(QStringLiteral("title"), root->windowTitle());
        Widget(root, root);
        for (QWidget* w : root->findChildren<QWidget*>()) {
            // Menus are walked whether open or not; other widgets only
            // where the user sees them.
            if (auto* menu = qobject_cast<QMenu*>(w)) {
                // Not the menu bar's own overflow menu, which holds what the
                // bar's width leaves out.
                auto* bar = qobject_cast<QMenuBar*>(menu->parent());
                if (!bar || bar->actions().contains(menu->menuAction()))
                    Widget(w, root);
            } else if (w->isVisibleTo(root)) {
                Widget(w, root);
            }
        }
    }

private:
    QMap<QString, QString>& m_out;
    QString m_prefix;
    QString m_path;

    void Add(const QString& what, const QString& text)
    {
        const QString shown = Visible(text);
        if (!shown.isEmpty())
            m_out.insert(m_prefix + QLatin1Char('/') + m_path + QStringLiteral(": ") + what, shown);
    }

    void Widget(QWidget* w, QWidget* root)
    {
        m_path = PathOf(w, root);
        Add(QStringLiteral("tool tip"), w->toolTip());
        Add(QStringLiteral("status tip"), w->statusTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            Add(QStringLiteral("text"), label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            Add(QStringLiteral("text"), button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w))
            Add(QStringLiteral("title"), box->title());
        if (auto* dock = qobject_cast<QDockWidget*>(w))
            Add(QStringLiteral("title"), dock->windowTitle());
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            Add(QStringLiteral("placeholder"), edit->placeholderText());
        if (auto* spin = qobject_cast<QSpinBox*>(w)) {
            Add(QStringLiteral("suffix"), spin->suffix());
            Add(QStringLiteral("special"), spin->specialValueText());
        }
        if (auto* spin = qobject_cast<QDoubleSpinBox*>(w))
            Add(QStringLiteral("suffix"), spin->suffix());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                Add(QStringLiteral("tab %1").arg(i), tabs->tabText(i));
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                Add(QStringLiteral("item %1").arg(i), combo->itemText(i));
        }
        if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                Add(QStringLiteral("item %1").arg(i), list->item(i)->text());
        }
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int c = 0; c < tree->columnCount(); ++c) {
                Add(QStringLiteral("header %1").arg(c), tree->headerItem()->text(c));
                for (int r = 0; r < tree->topLevelItemCount(); ++r) {
                    Add(QStringLiteral("row %1 column %2").arg(r).arg(c), tree->topLevelItem(r)->text(c));
                    Add(QStringLiteral("row %1 column %2 tip").arg(r).arg(c), tree->topLevelItem(r)->toolTip(c));
                }
            }
        }
        if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < table->columnCount(); ++c) {
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(c))
                    Add(QStringLiteral("header %1").arg(c), header->text());
                for (int r = 0; r < table->rowCount(); ++r) {
                    if (const QTableWidgetItem* item = table->item(r, c)) {
                        Add(QStringLiteral("row %1 column %2").arg(r).arg(c), item->text());
                        Add(QStringLiteral("row %1 column %2 tip").arg(r).arg(c), item->toolTip());
                    }
                }
            }
        }
        if (auto* menu = qobject_cast<QMenu*>(w))
            Add(QStringLiteral("title"), menu->title());
        const QString at = m_path;
        const QList<QAction*> actions = w->actions();
        for (qsizetype i = 0; i < actions.size(); ++i) {
            QAction* action = actions.at(i);
            if (action->isSeparator())
                continue;
            m_path = at + QStringLiteral("/action %1").arg(i);
            Add(QStringLiteral("text"), action->text());
            Add(QStringLiteral("tool tip"), action->toolTip());
            Add(QStringLiteral("status tip"), action->statusTip());
        }
        m_path = at;
    }
};

} // namespace

class TestUntranslated final : public WindowTest
{
    Q_OBJECT

private:
    std::unique_ptr<CTranslations> m_translations;

    void InitCase() override
    {
        WriteFile(QStringLiteral("autobahn.cue"), kSheet);
        QVERIFY(WriteWave(m_dir->filePath(QStringLiteral("one.wav")), 12));
        QVERIFY(WriteWave(m_dir->filePath(QStringLiteral("two.wav")), 6));
        WriteFile(QStringLiteral("tracks.txt"), kTracklist);
    }
    // The window closes before its translation goes.
    void CleanupCase() override
    {
        StopApp();
        m_translations.reset();
    }

    CCueItem* Find(ItemKind kind) const
    {
        const CQuillDoc& doc = m_app->Document();
        for (int i = 0; i < doc.LineCount(); ++i) {
            if (CCueItem* item = doc.Line(i); item && item->Kind() == kind)
                return item;
        }
        return nullptr;
    }

    // Runs what opens a modal dialog, walks it once it shows and closes it.
    bool WalkDialog(const QString& name, const std::function<void()>& open, QMap<QString, QString>& texts)
    {
        bool seen = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || seen || !dialog->isVisible())
                return;
            seen = true;
            TextWalk(texts, name).Window(dialog);
            dialog->reject();
        });
        poll.start();
        open();
        return QTest::qWaitFor([&] { return seen && QApplication::activeModalWidget() == nullptr; }, 10000);
    }

    // The window with the sheet open, its panels shown, and each dialog the
    // sheet reaches; every text by where it shows. Message boxes go to the
    // scripted prompts and are kept in the order they came.
    void Run(const QString& locale, QMap<QString, QString>& texts, QStringList& messages)
    {
        // Settings of its own, so that both runs start alike (no recent
        // files, panels as at first start).
        FreshStart(QStringLiteral("config-") + locale);
        // Verify Rip asks a database on this machine that is not there.
        QSettings(QStringLiteral("Kestrel"), QStringLiteral("Tracksmith"))
            .setValue(QStringLiteral("AccurateRip/BaseUrl"), QStringLiteral("http://127.0.0.1:9/accuraterip"));
        m_translations = std::make_unique<CTranslations>(nullptr);
        m_translations->Install(QLocale(locale));
        const QString sheet = m_dir->filePath(QStringLiteral("autobahn.cue"));
        StartApp({sheet});
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(m_app->Document().PathName(), sheet.toStdString());

        // The edit dialog of each kind of line.
        const std::pair<const char*, ItemKind> lines[] = {
            {"comment", ItemKind::Comment}, {"catalog", ItemKind::Catalog}, {"cd-text", ItemKind::CdText},
            {"file", ItemKind::File},       {"track", ItemKind::Track},     {"flags", ItemKind::Flags},
            {"pregap", ItemKind::Pregap},   {"isrc", ItemKind::Isrc},       {"index", ItemKind::Index},
            {"postgap", ItemKind::Postgap},
        };
        for (const auto& [name, kind] : lines) {
            CCueItem* item = Find(kind);
            QVERIFY2(item, name);
            Frame()->View()->SetCurrentItem(item);
            QVERIFY2(WalkDialog(S("edit ") + S(name), [this] { Frame()->ExecuteCommand(cmd::Edit); }, texts), name);
        }
        Frame()->View()->SetCurrentItem(Find(ItemKind::Index));

        // The dialogs of the menus that need no more than the sheet.
        const std::pair<const char*, int> commands[] = {
            {"about", cmd::About},
            {"encoding", cmd::ViewEncoding},
            {"export tracks", cmd::ExportTracks},
            {"export tracklist", cmd::ExportTracklist},
            {"disc information", cmd::DiscInfo},
            {"detect tracks", cmd::DetectTracks},
            {"verify rip", cmd::VerifyRip},
        };
        for (const auto& [name, id] : commands)
            QVERIFY2(WalkDialog(S(name), [this, id = id] { Frame()->ExecuteCommand(id); }, texts), name);

        // A tracklist with a line it skips, for the first file.
        m_prompts->QueueFile(m_dir->filePath(QStringLiteral("tracks.txt")).toStdString());
        m_prompts->QueueFile(m_dir->filePath(QStringLiteral("one.wav")).toStdString());
        QVERIFY(WalkDialog(S("import tracklist"), [this] { Frame()->ExecuteCommand(cmd::ImportTracklist); }, texts));

        // A message box from below the view: an image named as no image can be.
        m_prompts->QueueFile(m_dir->filePath(QStringLiteral("image.mp3")).toStdString());
        Frame()->ExecuteCommand(cmd::JoinImage);
        QTRY_VERIFY(!m_prompts->Messages().empty());

        // The window with its panels; then, with the second file gone,
        // Find Missing Audio and the findings of Check Sheet.
        if (!Frame()->WaveformDock()->isVisible())
            Frame()->ExecuteCommand(cmd::ViewWaveform);
        QTRY_VERIFY(Frame()->WaveformDock()->isVisible());
        QFile::rename(m_dir->filePath(QStringLiteral("two.wav")), m_dir->filePath(QStringLiteral("moved.wav")));
        QVERIFY(WalkDialog(S("find missing audio"), [this] { Frame()->ExecuteCommand(cmd::FindMissingAudio); }, texts));
        Frame()->ExecuteCommand(cmd::CheckSheet);
        QTRY_VERIFY(Frame()->findChild<QTreeWidget*>(QStringLiteral("findings"))->topLevelItemCount() > 0);
        TextWalk(texts, QStringLiteral("window")).Window(Frame());
        QFile::rename(m_dir->filePath(QStringLiteral("moved.wav")), m_dir->filePath(QStringLiteral("two.wav")));

        for (const MessageBoxRequest& request : m_prompts->Messages())
            messages << QString::fromStdString(request.text);
        StopApp();
        m_translations.reset();
    }

private slots:
    void everyVisibleTextIsGerman()
    {
        QMap<QString, QString> english;
        QMap<QString, QString> german;
        QStringList englishMessages;
        QStringList germanMessages;
        Run(QStringLiteral("en_US"), english, englishMessages);
        if (QTest::currentTestFailed())
            return;
        Run(QStringLiteral("de_DE"), german, germanMessages);
        if (QTest::currentTestFailed())
            return;
        // Both runs reached the same widgets: every dialog and panel.
        QVERIFY2(english.size() > 300, qPrintable(QString::number(english.size())));
        const QSet<QString> englishKeys(english.keyBegin(), english.keyEnd());
        const QSet<QString> germanKeys(german.keyBegin(), german.keyEnd());
        QStringList differ = QSet<QString>(englishKeys).subtract(germanKeys).values();
        differ += QSet<QString>(germanKeys).subtract(englishKeys).values();
        differ.sort();
        QVERIFY2(differ.isEmpty(), qPrintable(QStringLiteral("only in one language:\n") + differ.join(QLatin1Char('\n'))));

        const QHash<QString, QString> catalogue = ReadCatalogues();
        // The user's own words (the sheet's, the tracklist's) are shown as
        // they are.
        const QString userText = QString::fromUtf8(kSheet) + QString::fromUtf8(kTracklist);
        QStringList untranslated;
        for (auto it = german.cbegin(); it != german.cend(); ++it) {
            if (english.value(it.key()) == it.value() && !SameByNature(it.value(), catalogue)
                && !userText.contains(it.value()))
                untranslated << it.key() + QStringLiteral(" \"") + it.value() + QLatin1Char('"');
        }
        // Message boxes: the scripted prompts keep the engine's English; the
        // window's prompts show it through the message catalogue.
        QCOMPARE(germanMessages, englishMessages);
        m_translations = std::make_unique<CTranslations>(nullptr);
        QVERIFY(m_translations->Install(QLocale(QStringLiteral("de_DE"))));
        for (const QString& message : std::as_const(germanMessages)) {
            for (const QString& line : ts::TranslateMessage(message).split(QLatin1Char('\n'))) {
                if (message.contains(line) && !SameByNature(line.trimmed(), catalogue))
                    untranslated << QStringLiteral("message box \"") + line + QLatin1Char('"');
            }
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    }

    // The check itself: texts that are names, keywords, numbers or file
    // names pass; English words fail.
    void sameByNature_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("same");
        QTest::newRow("keyword and time") << S("INDEX 01 00:02:00") << true;
        QTest::newRow("file name") << S("one.wav") << true;
        QTest::newRow("path") << S("/tmp/x y/one.wav") << true;
        QTest::newRow("quoted name") << S("\"Autobahn\" 44100 Hz") << true;
        QTest::newRow("program names") << S("libcue (cueprint, cuebreakpoints), cdrdao") << true;
        QTest::newRow("English words") << S("No wave file") << false;
        QTest::newRow("English around a name") << S("\"one.wav\": no such file") << false;
        QTest::newRow("one English word") << S("Close") << false;
    }
    void sameByNature()
    {
        QFETCH(QString, text);
        QFETCH(bool, same);
        QCOMPARE(SameByNature(text, {}), same);
    }
};

QTEST_MAIN(TestUntranslated)
#include "TestUntranslated.moc"
