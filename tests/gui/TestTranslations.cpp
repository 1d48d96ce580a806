// The German translation and the English texts: every text of the command
// table, the forms and the engine's message templates has its German
// entry, the window shows them under a German locale, and without one
// every text stays English.
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/CTranslations.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "view/CMessageText.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>

namespace {

QString S(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct TsEntry {
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

QList<TsEntry> ReadTs(const QString& path)
{
    QList<TsEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    TsEntry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            entry = TsEntry{context, {}, {}, {}};
        else if (xml.name() == QLatin1String("source"))
            entry.source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText();
            entries << entry;
        }
    }
    return entries;
}

// The text before the tab, without access key marks; and the tab's part.
QString Shown(const QString& text) { return text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')); }
QString KeyPart(const QString& text) { return text.section(QLatin1Char('\t'), 1); }

// The text a reader sees in an HTML file: no tags, the entities used
// decoded, every run of white space one blank.
QString VisibleText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&mdash;"), QStringLiteral("-")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

QString ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSet<QString> Placeholders(const QString& text)
{
    QSet<QString> set;
    auto it = QRegularExpression(QStringLiteral("%[1-9]")).globalMatch(text);
    while (it.hasNext())
        set << it.next().captured();
    return set;
}

} // namespace

class TestTranslations final : public WindowTest
{
    Q_OBJECT

private:
    std::unique_ptr<CTranslations> m_translations;

    void CleanupCase() override
    {
        StopApp();
        m_translations.reset();
    }

    void German()
    {
        m_translations = std::make_unique<CTranslations>(nullptr);
        QVERIFY(m_translations->Install(QLocale(QStringLiteral("de_DE"))));
        QCOMPARE(CTranslations::Language(), QStringLiteral("de"));
    }

    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* action : m_app->Frame()->menuBar()->actions())
            titles << action->text();
        return titles;
    }

private slots:
    // Every text of the command table has its German entry, with one access
    // key where the English has one and the same keys after the tab.
    void commandTextsHaveGerman_data()
    {
        QTest::addColumn<QString>("english");
        QSet<QString> seen;
        const auto add = [&seen](std::string_view text) {
            const QString english = S(text);
            if (english.isEmpty() || seen.contains(english))
                return;
            seen << english;
            QTest::newRow(english.toUtf8().constData()) << english;
        };
        for (const CommandInfo& info : res::Commands()) {
            add(info.menuText);
            add(info.prompt);
            add(info.tooltip);
            add(info.contextText);
        }
        for (const res::MenuInfo& menu : res::MainMenu())
            add(menu.title);
        add(res::kReady);
        add(std::string(res::kPlayText) + std::string(res::kPlayKeyText));
        add(std::string(res::kPauseText) + std::string(res::kPlayKeyText));
    }
    void commandTextsHaveGerman()
    {
        QFETCH(QString, english);
        QTranslator commands;
        QVERIFY(commands.load(QStringLiteral(":/i18n/commands_de.qm")));
        const QString german = commands.translate("Commands", english.toUtf8().constData());
        QVERIFY2(!german.isEmpty(), qPrintable(QStringLiteral("no German for \"%1\"").arg(english)));
        QCOMPARE(german.count(QLatin1Char('&')), english.count(QLatin1Char('&')));
        QCOMPARE(KeyPart(german), KeyPart(english));
    }

    // Every text of the forms and the tr() calls, as lupdate finds them in
    // the sources now, is in the German file and translated there.
    void formTextsHaveGerman()
    {
        const QString committed = QStringLiteral(TS_SOURCE_DIR "/res/translations/tracksmith_de.ts");
        QSet<QString> translated;
        for (const TsEntry& e : ReadTs(committed)) {
            QVERIFY2(e.type.isEmpty() && !e.translation.isEmpty(),
                     qPrintable(QStringLiteral("%1: \"%2\" is %3").arg(e.context, e.source, e.type)));
            translated << e.context + QLatin1Char('\n') + e.source;
        }
        const QString fresh = m_dir->filePath(QStringLiteral("fresh_de.ts"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(TS_SOURCE_DIR));
        lupdate.start(QStringLiteral(TS_LUPDATE), {QStringLiteral("-silent"), QStringLiteral("-locations"),
                                                   QStringLiteral("none"), QStringLiteral("app"), QStringLiteral("view"),
                                                   QStringLiteral("-ts"), fresh});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        const QList<TsEntry> found = ReadTs(fresh);
        QVERIFY(found.size() >= 80);
        for (const TsEntry& e : found) {
            QVERIFY2(translated.contains(e.context + QLatin1Char('\n') + e.source),
                     qPrintable(QStringLiteral("%1: \"%2\" has no German").arg(e.context, e.source)));
        }
    }

    // Each message template has its German form, with the same parts.
    void messageTemplatesHaveGerman_data()
    {
        QTest::addColumn<QString>("english");
        for (const char* text : ts::MessageTemplates())
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void messageTemplatesHaveGerman()
    {
        QFETCH(QString, english);
        QTranslator messages;
        QVERIFY(messages.load(QStringLiteral(":/i18n/messages_de.qm")));
        const QString german = messages.translate("Messages", english.toUtf8().constData());
        QVERIFY2(!german.isEmpty(), qPrintable(QStringLiteral("no German for \"%1\"").arg(english)));
        QCOMPARE(Placeholders(german), Placeholders(english));
    }

    // Messages as the engine writes them, shown in German: whole, line by
    // line, through a template, with a message inside a template; a text
    // the catalogue does not know stays as it is.
    void messagesInGerman_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("whole") << S("Unable to launch README.TXT") << S("README.TXT kann nicht geöffnet werden");
        QTest::newRow("template in template")
            << S("Line 4:  Only one Pregap allowed per track") << S("Zeile 4:  Nur ein Pregap je Track erlaubt");
        QTest::newRow("warning") << S("Warning at Line 12:  Ignoring line") << S("Warnung in Zeile 12:  Zeile wird übergangen");
        QTest::newRow("quoted name and reason")
            << S("Cannot open \"/tmp/a b.cue\": No such file or directory")
            << S("„/tmp/a b.cue“ kann nicht geöffnet werden: Datei oder Verzeichnis nicht gefunden");
        QTest::newRow("two lines") << S("The file x.cue\ndoes not appear to be a cue sheet")
                                   << S("Die Datei x.cue\nscheint kein Cuesheet zu sein");
        QTest::newRow("name with a percent sign") << S("Save changes to 100% %1.cue?")
                                                  << S("Änderungen an 100% %1.cue speichern?");
        QTest::newRow("names between sentences")
            << S("\"/music/out\" already holds 2 of these files:\n  01 - A.flac\n  02 - B.flac\n\nReplace them?")
            << S("\"/music/out\" enthält schon 2 dieser Dateien:\n  01 - A.flac\n  02 - B.flac\n\nErsetzen?");
        QTest::newRow("file name that cannot be written")
            << S("The file name\n/tmp/a\"b c.wav\ncannot be written in a cue sheet: it holds a double quote\n\n"
                 "Please rename the file.")
            << S("Der Dateiname\n/tmp/a\"b c.wav\nkann nicht in ein Cuesheet geschrieben werden: it holds a double "
                 "quote\n\nBitte benennen Sie die Datei um.");
        QTest::newRow("finding of Check Sheet") << S("\"two.wav\": no such file") << S("„two.wav“: Datei nicht vorhanden");
        QTest::newRow("closed with a full stop")
            << S("\"x.mp3\" is neither a .flac nor a .wav file: the image is written as FLAC or WAVE.")
            << S("„x.mp3“ ist weder eine .flac- noch eine .wav-Datei: das Abbild wird als FLAC oder WAVE geschrieben.");
        QTest::newRow("reason closed with a full stop")
            << S("\"a.wav\" cannot be read: its audio cannot be decoded.")
            << S("„a.wav“ kann nicht gelesen werden: ihr Audio kann nicht dekodiert werden.");
        QTest::newRow("text with a double quote")
            << S("The text\nSay \"Hi\" again\ncannot be written in a cue sheet: a double quote (\") would end the text "
                 "early.")
            << S("Der Text\nSay \"Hi\" again\nkann nicht in ein Cuesheet geschrieben werden: ein doppeltes "
                 "Anführungszeichen (\") würde den Text vorzeitig beenden.");
        QTest::newRow("file name read without its closing quote")
            << S("Warning at Line 8:  The closing double quote of the file name is missing: read as \"02 - Two.wav\"")
            << S("Warnung in Zeile 8:  Das schließende Anführungszeichen des Dateinamens fehlt: gelesen als „02 - Two.wav“");
        QTest::newRow("comment with a lone double quote")
            << S("The comment\n12\" single\ncannot be written in a cue sheet: a double quote (\") without its "
                 "partner makes other programs read the lines after it as part of the comment.")
            << S("Der Kommentar\n12\" single\nkann nicht in ein Cuesheet geschrieben werden: ein doppeltes "
                 "Anführungszeichen (\") ohne Gegenstück lässt andere Programme die Zeilen danach als Teil des "
                 "Kommentars lesen.");
        QTest::newRow("ISRC not of its form")
            << S("The ISRC number\nxyz\ncannot be written in a cue sheet: an ISRC is 12 characters: a country code "
                 "of two letters, three letters or digits for the registrant, then seven digits (CCXXXYYNNNNN).")
            << S("Die ISRC-Nummer\nxyz\nkann nicht in ein Cuesheet geschrieben werden: eine ISRC hat 12 Zeichen: "
                 "einen Ländercode aus zwei Buchstaben, drei Buchstaben oder Ziffern für den Registranten, dann "
                 "sieben Ziffern (CCXXXYYNNNNN).");
        QTest::newRow("ellipsis kept") << S("Writing \"a.flac\"...") << S("\"a.flac\" wird geschrieben...");
        QTest::newRow("unknown") << S("Something the catalogue lacks") << S("Something the catalogue lacks");
    }
    void messagesInGerman()
    {
        QFETCH(QString, english);
        QFETCH(QString, german);
        QCOMPARE(ts::TranslateMessage(english), english);
        German();
        QCOMPARE(ts::TranslateMessage(english), german);
    }

    // The German help file names every menu command by its German text,
    // its contents links lead to its headings, and the build puts it beside
    // the program as it does the English one.
    void germanHelpNamesEveryCommand_data()
    {
        QTest::addColumn<QString>("german");
        QTranslator commands;
        QVERIFY(commands.load(QStringLiteral(":/i18n/commands_de.qm")));
        for (const CommandInfo& info : res::Commands()) {
            for (const std::string_view text : {info.menuText, info.contextText}) {
                if (text.empty() || info.id == cmd::RecentFile1)
                    continue;
                const QString german = Shown(commands.translate("Commands", std::string(text).c_str()));
                QTest::newRow(std::string(text).c_str()) << german;
            }
        }
    }
    void germanHelpNamesEveryCommand()
    {
        QFETCH(QString, german);
        const QString text = VisibleText(ReadFile(QStringLiteral(TS_SOURCE_DIR "/res/tracksmith.de.html")));
        QVERIFY(!german.isEmpty());
        QVERIFY2(text.contains(german), qPrintable(QStringLiteral("\"%1\" is not in the German help").arg(german)));
    }
    void germanHelpIsComplete()
    {
        const QString german = ReadFile(QStringLiteral(TS_SOURCE_DIR "/res/tracksmith.de.html"));
        const QString english = ReadFile(QStringLiteral(TS_SOURCE_DIR "/res/tracksmith.html"));
        QVERIFY(german.contains(QStringLiteral("<html lang=\"de\">")));
        // The same chapters, by their anchors, in the same order.
        const QRegularExpression anchor(QStringLiteral("<h[23] id=\"([a-z]+)\""));
        const auto ids = [&anchor](const QString& html) {
            QStringList list;
            auto it = anchor.globalMatch(html);
            while (it.hasNext())
                list << it.next().captured(1);
            return list;
        };
        QVERIFY(ids(english).size() >= 17);
        QCOMPARE(ids(german), ids(english));
        auto links = QRegularExpression(QStringLiteral("href=\"#([a-z]+)\"")).globalMatch(german);
        while (links.hasNext()) {
            const QString id = links.next().captured(1);
            QVERIFY2(german.contains(QStringLiteral("id=\"%1\"").arg(id)), qPrintable(id));
        }
        QCOMPARE(ReadFile(QStringLiteral(TS_APP_DIR "/tracksmith.de.html")), german);
    }

    // The help file in the program's language is the one beside the
    // English file with the language in its name, when it exists.
    void localizedFile_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("germanExists");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German, present") << S("de") << true << S("help.de.html");
        QTest::newRow("German, missing") << S("de") << false << S("help.html");
        QTest::newRow("English") << S("") << true << S("help.html");
        QTest::newRow("French, none") << S("fr") << true << S("help.html");
    }
    void localizedFile()
    {
        QFETCH(QString, language);
        QFETCH(bool, germanExists);
        QFETCH(QString, expected);
        const QString english = m_dir->filePath(QStringLiteral("help.html"));
        QFile(english).open(QIODevice::WriteOnly);
        if (germanExists)
            QFile(m_dir->filePath(QStringLiteral("help.de.html"))).open(QIODevice::WriteOnly);
        QCOMPARE(CTranslations::LocalizedFile(english, language), m_dir->filePath(expected));
    }

    // A locale the program has no catalogue for, and English, load nothing.
    void otherLocalesStayEnglish_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_GB") << S("en_GB");
        QTest::newRow("C") << S("C");
        QTest::newRow("ja_JP") << S("ja_JP");
    }
    void otherLocalesStayEnglish()
    {
        QFETCH(QString, locale);
        CTranslations translations(nullptr);
        QVERIFY(!translations.Install(QLocale(locale)));
        QCOMPARE(CTranslations::Language(), QString());
        QCOMPARE(ts::TranslateCommandText("&File"), S("&File"));
    }

    // The window in English and in German: menus, status bar, About box.
    void windowFollowsTheLanguage()
    {
        StartApp();
        QCOMPARE(MenuTitles(), QStringList({S("&File"), S("&Edit"), S("&View"), S("&Insert"), S("&Wave"), S("&Tools"), S("&Help")}));
        QCOMPARE(m_app->Frame()->Action(cmd::Save)->statusTip(), S("Save the active document"));
        {
            CAboutDlg about(m_app->Frame());
            QCOMPARE(about.windowTitle(), S("About Tracksmith"));
        }
        m_app->Frame()->close();
        m_app.reset();

        German();
        StartApp();
        QCOMPARE(MenuTitles(),
                 QStringList({S("&Datei"), S("&Bearbeiten"), S("&Ansicht"), S("E&infügen"), S("&Wiedergabe"), S("E&xtras"), S("&Hilfe")}));
        QCOMPARE(m_app->Frame()->Action(cmd::Save)->statusTip(), S("Das aktive Dokument speichern"));
        QCOMPARE(Shown(m_app->Frame()->Action(cmd::PlayStop)->text()), S("Abspielen"));
        CAboutDlg about(m_app->Frame());
        QCOMPARE(about.windowTitle(), S("Über Tracksmith"));
    }
};

QTEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
