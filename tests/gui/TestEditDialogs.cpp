#include <memory>
#include <set>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "DialogSheet.h"
#include "view/IViewFrame.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "view/CEditCatalogDlg.h"
#include "view/CEditCdTextDlg.h"
#include "view/CEditCommentDlg.h"
#include "platform/FileUtil.h"
#include "view/CEditFileDlg.h"
#include "view/CEditFlagsDlg.h"
#include "view/CEditGapDlg.h"
#include "view/CEditIndexDlg.h"
#include "view/CEditIsrcDlg.h"
#include "view/CEditTrackDlg.h"
#include "view/CItemEditor.h"
#include "view/CTimeIntervalDlg.h"

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QStringList L(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << S(t);
    return list;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// What a control shows: a box's text, a list's current entry, a check or
// radio button's "text=on|off", a button's or label's text, a group's title.
QString ValueOf(const QWidget* w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (const auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->isCheckable() ? b->text() + (b->isChecked() ? S("=on") : S("=off")) : b->text();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return QString();
}

// Types a value into a control the way ValueOf reads it back.
void SetValue(QWidget* w, const QString& value)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(value);
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->setCurrentIndex(c->findText(value));
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setChecked(value == S("on"));
}

// The dialog of an item's kind, loaded from the item.
std::unique_ptr<QDialog> LoadedDialog(CCueItem& item)
{
    switch (item.Kind()) {
    case ItemKind::File: {
        auto d = std::make_unique<CEditFileDlg>(nullptr);
        d->Load(static_cast<CCueFile&>(item));
        return d;
    }
    case ItemKind::Track: {
        auto d = std::make_unique<CEditTrackDlg>(nullptr);
        d->Load(static_cast<CCueTrack&>(item));
        return d;
    }
    case ItemKind::Pregap: {
        auto d = std::make_unique<CEditGapDlg>(nullptr);
        d->Load(static_cast<CCuePregap&>(item));
        return d;
    }
    case ItemKind::Postgap: {
        auto d = std::make_unique<CEditGapDlg>(nullptr);
        d->Load(static_cast<CCuePostgap&>(item));
        return d;
    }
    case ItemKind::Comment: {
        auto d = std::make_unique<CEditCommentDlg>(nullptr);
        d->Load(static_cast<CCueComment&>(item));
        return d;
    }
    case ItemKind::Catalog: {
        auto d = std::make_unique<CEditCatalogDlg>(nullptr);
        d->Load(static_cast<CCueCatalog&>(item));
        return d;
    }
    case ItemKind::Isrc: {
        auto d = std::make_unique<CEditIsrcDlg>(nullptr);
        d->Load(static_cast<CCueIsrc&>(item));
        return d;
    }
    case ItemKind::Flags: {
        auto d = std::make_unique<CEditFlagsDlg>(nullptr);
        d->Load(static_cast<CCueFlags&>(item));
        return d;
    }
    case ItemKind::Index:
        return std::make_unique<CEditIndexDlg>(static_cast<CCueIndex&>(item), nullptr, nullptr,
                                               std::function<void()>(), nullptr);
    case ItemKind::CdText: {
        auto d = std::make_unique<CEditCdTextDlg>(nullptr);
        d->Load(static_cast<CCueCdText&>(item));
        return d;
    }
    case ItemKind::Unknown:
    case ItemKind::None: break;
    }
    return nullptr;
}

bool StoreDialog(QDialog& d, CCueItem& item)
{
    switch (item.Kind()) {
    case ItemKind::File: return static_cast<CEditFileDlg&>(d).Store(static_cast<CCueFile&>(item));
    case ItemKind::Track: return static_cast<CEditTrackDlg&>(d).Store(static_cast<CCueTrack&>(item));
    case ItemKind::Pregap: return static_cast<CEditGapDlg&>(d).Store(static_cast<CCuePregap&>(item));
    case ItemKind::Postgap: return static_cast<CEditGapDlg&>(d).Store(static_cast<CCuePostgap&>(item));
    case ItemKind::Comment: return static_cast<CEditCommentDlg&>(d).Store(static_cast<CCueComment&>(item));
    case ItemKind::Catalog: return static_cast<CEditCatalogDlg&>(d).Store(static_cast<CCueCatalog&>(item));
    case ItemKind::Isrc: return static_cast<CEditIsrcDlg&>(d).Store(static_cast<CCueIsrc&>(item));
    case ItemKind::Flags: return static_cast<CEditFlagsDlg&>(d).Store(static_cast<CCueFlags&>(item));
    case ItemKind::Index: return static_cast<CEditIndexDlg&>(d).Store();
    case ItemKind::CdText: return static_cast<CEditCdTextDlg&>(d).Store(static_cast<CCueCdText&>(item));
    case ItemKind::Unknown:
    case ItemKind::None: break;
    }
    return false;
}

// One field of an item as text, for checking what a dialog stored.
QString Field(const CCueItem& item, const QString& field)
{
    if (field == S("comment"))
        return Q(item.Comment());
    switch (item.Kind()) {
    case ItemKind::File: {
        const auto& f = static_cast<const CCueFile&>(item);
        return field == S("name") ? Q(f.Name()) : Q(std::string(f.TypeText()));
    }
    case ItemKind::Track: return Q(std::string(static_cast<const CCueTrack&>(item).TypeText()));
    case ItemKind::Pregap: return Q(static_cast<const CCuePregap&>(item).Time().Text());
    case ItemKind::Postgap: return Q(static_cast<const CCuePostgap&>(item).Time().Text());
    case ItemKind::Index: return Q(static_cast<const CCueIndex&>(item).Time().Text());
    case ItemKind::Catalog: return Q(static_cast<const CCueCatalog&>(item).Number());
    case ItemKind::Isrc: return Q(static_cast<const CCueIsrc&>(item).Code());
    case ItemKind::Flags: return Q(static_cast<const CCueFlags&>(item).FlagsText());
    case ItemKind::CdText: {
        const auto& t = static_cast<const CCueCdText&>(item);
        return field == S("keyword") ? Q(t.Keyword()) : Q(t.Value());
    }
    case ItemKind::Comment:
    case ItemKind::Unknown:
    case ItemKind::None: break;
    }
    return QString();
}

CCueItem* ItemOf(const DialogSheet& sheet, int kind, int nth)
{
    return kind == static_cast<int>(ItemKind::Index) ? sheet.IndexOf(nth / 10, nth % 10)
                                                     : sheet.Find(static_cast<ItemKind>(kind), nth);
}

// Accepts the modal dialog that the code under test opens, after letting
// act change it; records its title.
class ModalAnswerer
{
public:
    ModalAnswerer(QObject* context, std::function<void(QDialog&)> act)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, context, [this, act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            title = dialog->windowTitle();
            if (act)
                act(*dialog);
            dialog->accept();
        });
        m_timer.start();
    }
    QString title;

private:
    QTimer m_timer;
};

const int kFile = static_cast<int>(ItemKind::File);
const int kTrack = static_cast<int>(ItemKind::Track);
const int kPregap = static_cast<int>(ItemKind::Pregap);
const int kPostgap = static_cast<int>(ItemKind::Postgap);
const int kIndex = static_cast<int>(ItemKind::Index);
const int kComment = static_cast<int>(ItemKind::Comment);
const int kCatalog = static_cast<int>(ItemKind::Catalog);
const int kIsrc = static_cast<int>(ItemKind::Isrc);
const int kFlags = static_cast<int>(ItemKind::Flags);
const int kCdText = static_cast<int>(ItemKind::CdText);

} // namespace

class TestEditDialogs final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DialogSheet> m_sheet;

private slots:
    void init()
    {
        m_sheet = std::make_unique<DialogSheet>();
        QVERIFY(m_sheet->Open(kDialogSheet));
    }
    void cleanup() { m_sheet.reset(); }

    // Titles, labels with their access keys and buddies, control kinds,
    // list contents and the values loaded from the item.
    void dialogShowsItsItem_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nth"); // for an INDEX: track * 10 + index
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("controls"); // objectName:Class:value
        QTest::addColumn<QStringList>("buddies");  // label>control
        QTest::addColumn<QStringList>("lists");    // combo=item|item...
        const QStringList fileTypes = L({"typeCombo=WAVE|BINARY|MOTOROLA|AIFF"});
        const QStringList trackTypes =
            L({"typeCombo=AUDIO|CDG|MODE1/2048|MODE1/2352|MODE2/2336|MODE2/2352|CDI/2336|CDI/2352"});
        const QStringList commentBuddy = L({"commentLabel>commentEdit"});

        QTest::newRow("FILE") << kFile << 0 << S("Edit File")
                              << L({"nameLabel:QLabel:File &name", "nameEdit:QLineEdit:A.WAV",
                                    "browseButton:QPushButton:&Browse...", "typeLabel:QLabel:File &type",
                                    "typeCombo:QComboBox:WAVE", "commentLabel:QLabel:&Comment",
                                    "commentEdit:QLineEdit:"})
                              << L({"nameLabel>nameEdit", "typeLabel>typeCombo", "commentLabel>commentEdit"})
                              << fileTypes;
        QTest::newRow("binary FILE") << kFile << 1 << S("Edit File")
                                     << L({"nameEdit:QLineEdit:B.BIN", "typeCombo:QComboBox:BINARY"}) << commentBuddy
                                     << fileTypes;
        QTest::newRow("TRACK") << kTrack << 2 << S("Edit Track")
                               << L({"trackLabel:QLabel:Track", "trackValue:QLabel:03", "fileLabel:QLabel:&File",
                                     "fileValue:QLabel:A.WAV", "typeLabel:QLabel:&Type",
                                     "typeCombo:QComboBox:MODE1/2352", "commentLabel:QLabel:&Comment",
                                     "commentEdit:QLineEdit:; third"})
                               << L({"fileLabel>fileValue", "typeLabel>typeCombo", "commentLabel>commentEdit"})
                               << trackTypes;
        QTest::newRow("TRACK of the second FILE")
            << kTrack << 3 << S("Edit Track")
            << L({"trackValue:QLabel:04", "fileValue:QLabel:B.BIN", "typeCombo:QComboBox:MODE1/2048"}) << commentBuddy
            << trackTypes;
        QTest::newRow("PREGAP") << kPregap << 0 << S("Edit Pregap")
                                << L({"trackLabel:QLabel:Track", "trackValue:QLabel:01 AUDIO", "timeLabel:QLabel:&Time",
                                      "timeEdit:QLineEdit:00:02:00", "commentLabel:QLabel:&Comment",
                                      "commentEdit:QLineEdit:"})
                                << L({"timeLabel>timeEdit", "commentLabel>commentEdit"}) << QStringList();
        QTest::newRow("POSTGAP") << kPostgap << 0 << S("Edit Postgap")
                                 << L({"trackValue:QLabel:02 AUDIO", "timeEdit:QLineEdit:00:01:00"})
                                 << L({"timeLabel>timeEdit"}) << QStringList();
        QTest::newRow("comment") << kComment << 0 << S("Edit Comment")
                                 << L({"commentLabel:QLabel:&Comment", "commentEdit:QLineEdit:REM leading comment"})
                                 << commentBuddy << QStringList();
        QTest::newRow("CATALOG") << kCatalog << 0 << S("Edit Catalog")
                                 << L({"numberLabel:QLabel:Catalog &Number", "numberEdit:QLineEdit:1234567890123",
                                       "commentLabel:QLabel:&Comment"})
                                 << L({"numberLabel>numberEdit", "commentLabel>commentEdit"}) << QStringList();
        QTest::newRow("ISRC") << kIsrc << 0 << S("Edit ISRC")
                              << L({"trackLabel:QLabel:Track", "trackValue:QLabel:02 AUDIO",
                                    "isrcLabel:QLabel:&ISRC Number", "isrcEdit:QLineEdit:ABCDE1234567",
                                    "commentLabel:QLabel:&Comment"})
                              << L({"isrcLabel>isrcEdit", "commentLabel>commentEdit"}) << QStringList();
        QTest::newRow("FLAGS") << kFlags << 0 << S("Edit Flags")
                               << L({"trackLabel:QLabel:Track", "trackValue:QLabel:01 AUDIO",
                                     "flagsGroup:QGroupBox:Flags",
                                     "dcpCheck:QCheckBox:&Digital Copy Permitted (DCP)=on",
                                     "fourChannelCheck:QCheckBox:&4 Channel Audio (4CH)=off",
                                     "preEmphasisCheck:QCheckBox:&Pre-emphasis (PRE)=off",
                                     "commentLabel:QLabel:&Comment"})
                               << commentBuddy << QStringList();
        const char* const trackKeywords =
            "keywordCombo=TITLE|PERFORMER|SONGWRITER|COMPOSER|ARRANGER|MESSAGE|GENRE|DISC_ID|UPC_EAN|TOC_INFO1|"
            "TOC_INFO2|SIZE_INFO";
        QTest::newRow("disc CD-TEXT")
            << kCdText << 0 << S("Edit CD-Text")
            << L({"keywordLabel:QLabel:&Keyword", "keywordCombo:QComboBox:TITLE", "textLabel:QLabel:&Text",
                  "textEdit:QLineEdit:Disc title", "commentLabel:QLabel:&Comment", "commentEdit:QLineEdit:"})
            << L({"keywordLabel>keywordCombo", "textLabel>textEdit", "commentLabel>commentEdit"})
            << QStringList{S(trackKeywords) + S("|CDTEXTFILE")};
        QTest::newRow("track CD-TEXT")
            << kCdText << 1 << S("Edit CD-Text")
            << L({"keywordCombo:QComboBox:PERFORMER", "textEdit:QLineEdit:Someone"}) << commentBuddy
            << QStringList{S(trackKeywords)};
        QTest::newRow("INDEX") << kIndex << 21 << S("Edit Index")
                               << L({"numberGroup:QGroupBox:&Index Number", "zeroRadio:QRadioButton:&00=off",
                                     "autoRadio:QRadioButton:&Auto=on", "rangeLabel:QLabel:01:02:00 - ",
                                     "timeLabel:QLabel:&Time", "timeEdit:QLineEdit:02:30:00", "arrows:CUpDownCtrl:",
                                     "playButton:QPushButton:&Play", "setToButton:QPushButton:&Set to ",
                                     "commentLabel:QLabel:&Comment", "commentEdit:QLineEdit:"})
                               << L({"timeLabel>timeEdit", "commentLabel>commentEdit"}) << QStringList();
    }
    void dialogShowsItsItem()
    {
        QFETCH(int, kind);
        QFETCH(int, nth);
        QFETCH(QString, title);
        QFETCH(QStringList, controls);
        QFETCH(QStringList, buddies);
        QFETCH(QStringList, lists);
        CCueItem* item = ItemOf(*m_sheet, kind, nth);
        QVERIFY(item);
        const std::unique_ptr<QDialog> dialog = LoadedDialog(*item);
        QCOMPARE(dialog->windowTitle(), title);

        for (const QString& control : controls) {
            const QStringList parts = control.split(QLatin1Char(':'));
            const QString name = parts.at(0);
            const auto* w = dialog->findChild<QWidget*>(name);
            QVERIFY2(w, qPrintable(name));
            QCOMPARE(S(w->metaObject()->className()), parts.at(1));
            QCOMPARE(ValueOf(w), parts.mid(2).join(QLatin1Char(':')));
        }
        for (const QString& pair : buddies) {
            const QStringList parts = pair.split(QLatin1Char('>'));
            const auto* label = dialog->findChild<QLabel*>(parts.at(0));
            QVERIFY2(label && label->buddy(), qPrintable(pair));
            QCOMPARE(label->buddy()->objectName(), parts.at(1));
        }
        for (const QString& list : lists) {
            const QStringList parts = list.split(QLatin1Char('='));
            const auto* combo = dialog->findChild<QComboBox*>(parts.at(0));
            QVERIFY(combo);
            QStringList entries;
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
            QCOMPARE(entries, parts.at(1).split(QLatin1Char('|')));
            QVERIFY(!combo->isEditable());
        }

        // OK and Cancel, and no access key used twice.
        const auto* box = dialog->findChild<QDialogButtonBox*>(S("buttons"));
        QVERIFY(box);
        QCOMPARE(box->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        std::set<int> keys;
        for (const QWidget* w : dialog->findChildren<QWidget*>()) {
            const QString text = qobject_cast<const QLineEdit*>(w) ? QString() : ValueOf(w);
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (!key.isEmpty())
                QVERIFY2(keys.insert(key[0].toCombined()).second, qPrintable(text));
        }
    }

    // The Edit command's entry point picks the dialog by kind; OK without a
    // change reports no change and leaves the sheet unmodified, a changed
    // comment is stored and reported.
    void editItemOpensTheDialogOfTheKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nth");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("comment"); // typed into the Comment box; null: untouched
        QTest::addColumn<QString>("stored");
        const struct {
            const char* name;
            int kind;
            int nth;
            const char* title;
        } rows[] = {{"FILE", kFile, 0, "Edit File"},         {"TRACK", kTrack, 1, "Edit Track"},
                    {"PREGAP", kPregap, 0, "Edit Pregap"},   {"POSTGAP", kPostgap, 0, "Edit Postgap"},
                    {"comment", kComment, 0, "Edit Comment"}, {"CATALOG", kCatalog, 0, "Edit Catalog"},
                    {"ISRC", kIsrc, 0, "Edit ISRC"},          {"FLAGS", kFlags, 0, "Edit Flags"},
                    {"INDEX 00", kIndex, 10, "Edit Index"},   {"INDEX 02", kIndex, 21, "Edit Index"},
                    {"CD-TEXT", kCdText, 0, "Edit CD-Text"}};
        for (const auto& r : rows) {
            QTest::addRow("%s unchanged", r.name) << r.kind << r.nth << S(r.title) << QString() << QString();
            QTest::addRow("%s new comment", r.name)
                << r.kind << r.nth << S(r.title) << S("rem Changed")
                // Only a comment line starts with REM; on a keyword line
                // it would not read back as the line's comment.
                << S(std::string_view(r.name) == "comment" ? "rem Changed" : "; rem Changed");
        }
    }
    void editItemOpensTheDialogOfTheKind()
    {
        QFETCH(int, kind);
        QFETCH(int, nth);
        QFETCH(QString, title);
        QFETCH(QString, comment);
        QFETCH(QString, stored);
        CCueItem* item = ItemOf(*m_sheet, kind, nth);
        QVERIFY(item);
        const std::string before = m_sheet->doc.SheetText();
        const QString commentBefore = Q(item->Comment());

        ModalAnswerer answerer(this, [&](QDialog& dialog) {
            if (!comment.isNull())
                dialog.findChild<QLineEdit*>(S("commentEdit"))->setText(comment);
        });
        const bool changed = CItemEditor::EditItem(nullptr, *item, CItemEditor::WaveLink());
        QCOMPARE(answerer.title, title);
        QCOMPARE(changed, !comment.isNull());
        QCOMPARE(m_sheet->doc.IsModified(), changed);
        if (changed) {
            QCOMPARE(Q(item->Comment()), stored);
        } else {
            QCOMPARE(Q(item->Comment()), commentBefore);
            QCOMPARE(m_sheet->doc.SheetText(), before);
        }
    }

    void cancelChangesNothing()
    {
        CCueItem* item = m_sheet->Find(ItemKind::Isrc);
        QTimer::singleShot(0, this, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QLineEdit*>(S("isrcEdit"))->setText(S("CHANGED"));
                dialog->reject();
            }
        });
        QVERIFY(!CItemEditor::EditItem(nullptr, *item, static_cast<IViewFrame*>(nullptr)));
        QCOMPARE(Field(*item, S("code")), S("ABCDE1234567"));
        QVERIFY(!m_sheet->doc.IsModified());
    }

    // Each field reaches its setter; texts are kept as typed (the comment
    // setter adds "; " unless the text starts with ";" or REM).
    void eachFieldIsStored_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nth");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file name") << kFile << 0 << S("nameEdit") << S("C.WAV") << S("name") << S("C.WAV");
        QTest::newRow("file name stays one line")
            << kFile << 0 << S("nameEdit") << S("X\nY.WAV") << S("name") << S("X Y.WAV");
        QTest::newRow("file type") << kFile << 0 << S("typeCombo") << S("AIFF") << S("type") << S("AIFF");
        QTest::newRow("file comment") << kFile << 0 << S("commentEdit") << S("take one") << S("comment")
                                      << S("; take one");
        QTest::newRow("track type") << kTrack << 0 << S("typeCombo") << S("CDG") << S("type") << S("CDG");
        QTest::newRow("track comment") << kTrack << 2 << S("commentEdit") << S("REM second take") << S("comment")
                                       << S("; REM second take"); // reads back as the comment
        QTest::newRow("pregap time") << kPregap << 0 << S("timeEdit") << S("0:3:10") << S("time") << S("00:03:10");
        QTest::newRow("postgap time") << kPostgap << 0 << S("timeEdit") << S("1:2") << S("time") << S("01:02:00");
        QTest::newRow("gap comment") << kPregap << 0 << S("commentEdit") << S(";x") << S("comment") << S(";x");
        QTest::newRow("comment") << kComment << 0 << S("commentEdit") << S("hello") << S("comment") << S("; hello");
        QTest::newRow("comment, letter case only")
            << kComment << 0 << S("commentEdit") << S("REM Leading Comment") << S("comment")
            << S("REM Leading Comment");
        QTest::newRow("comment emptied") << kComment << 0 << S("commentEdit") << S("") << S("comment") << S("");
        QTest::newRow("catalog number kept as typed")
            << kCatalog << 0 << S("numberEdit") << S("12AB") << S("number") << S("12AB");
        QTest::newRow("catalog comment") << kCatalog << 0 << S("commentEdit") << S("disc") << S("comment")
                                         << S("; disc");
        QTest::newRow("ISRC code") << kIsrc << 0 << S("isrcEdit") << S("USS1Z9900001") << S("code") << S("USS1Z9900001");
        QTest::newRow("ISRC code with dashes")
            << kIsrc << 0 << S("isrcEdit") << S("us-s1z-99-00001") << S("code") << S("USS1Z9900001");
        QTest::newRow("ISRC comment") << kIsrc << 0 << S("commentEdit") << S("c") << S("comment") << S("; c");
        QTest::newRow("flag set") << kFlags << 0 << S("fourChannelCheck") << S("on") << S("flags") << S("DCP 4CH ");
        QTest::newRow("flag cleared") << kFlags << 0 << S("dcpCheck") << S("off") << S("flags") << S("");
        QTest::newRow("flags comment") << kFlags << 0 << S("commentEdit") << S("f") << S("comment") << S("; f");
        QTest::newRow("CD-TEXT keyword") << kCdText << 0 << S("keywordCombo") << S("PERFORMER") << S("keyword")
                                         << S("PERFORMER");
        QTest::newRow("quoted CD-TEXT stays quoted")
            << kCdText << 0 << S("textEdit") << S("Other") << S("value") << S("\"Other\"");
        QTest::newRow("bare CD-TEXT stays bare")
            << kCdText << 1 << S("textEdit") << S("Nobody") << S("value") << S("Nobody");
        QTest::newRow("CD-TEXT with a blank is quoted")
            << kCdText << 1 << S("textEdit") << S("Some; One") << S("value") << S("\"Some; One\"");
        // The reader takes a tab outside quotes for a blank.
        QTest::newRow("CD-TEXT with a tab is quoted")
            << kCdText << 1 << S("textEdit") << S("Some\tOne") << S("value") << S("\"Some\tOne\"");
        QTest::newRow("tab in a comment is a blank")
            << kTrack << 0 << S("commentEdit") << S("\tside\tA") << S("comment") << S(";  side A");
        QTest::newRow("CD-TEXT emptied") << kCdText << 1 << S("textEdit") << S("") << S("value") << S("\"\"");
        QTest::newRow("CD-TEXT comment") << kCdText << 1 << S("commentEdit") << S("c") << S("comment") << S("; c");
        QTest::newRow("index time") << kIndex << 11 << S("timeEdit") << S("1:30") << S("time") << S("01:30:00");
        QTest::newRow("index comment") << kIndex << 0 << S("commentEdit") << S("start") << S("comment")
                                       << S("; start");
    }
    void eachFieldIsStored()
    {
        QFETCH(int, kind);
        QFETCH(int, nth);
        QFETCH(QString, control);
        QFETCH(QString, value);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        CCueItem* item = ItemOf(*m_sheet, kind, nth);
        QVERIFY(item);
        const std::unique_ptr<QDialog> dialog = LoadedDialog(*item);
        auto* w = dialog->findChild<QWidget*>(control);
        QVERIFY(w);
        SetValue(w, value);
        dialog->accept();
        QVERIFY(StoreDialog(*dialog, *item));
        QVERIFY(m_sheet->doc.IsModified());
        QCOMPARE(Field(*item, field), expected);
        QVERIFY(m_sheet->prompts.Messages().empty());
    }

    // A sheet written in Windows-1252 shows its accents, and OK without a
    // change keeps its bytes.
    void windows1252TextShownAndKept()
    {
        QVERIFY(m_sheet->Open("REM caf\xe9\n"));
        CCueItem* item = m_sheet->Find(ItemKind::Comment);
        const std::string bytes = item->Comment();
        CEditCommentDlg dialog(nullptr);
        dialog.Load(static_cast<CCueComment&>(*item));
        QCOMPARE(dialog.findChild<QLineEdit*>(S("commentEdit"))->text(), QString(S("REM caf") + QChar(0xE9)));
        dialog.accept();
        QVERIFY(!dialog.Store(static_cast<CCueComment&>(*item)));
        QCOMPARE(item->Comment(), bytes);
        QVERIFY(!m_sheet->doc.IsModified());
    }

    // A type that the list does not hold shows no entry and is kept.
    void typeOutsideTheListIsKept()
    {
        CCueFile file(&m_sheet->doc);
        CEditFileDlg fileDialog(nullptr);
        fileDialog.Load(file);
        QCOMPARE(fileDialog.findChild<QComboBox*>(S("typeCombo"))->currentIndex(), -1);
        QVERIFY(!fileDialog.Store(file));
        QCOMPARE(file.Type(), FileType::Err);

        CCueTrack track(&m_sheet->doc, nullptr);
        CEditTrackDlg trackDialog(nullptr);
        trackDialog.Load(track);
        QCOMPARE(trackDialog.findChild<QComboBox*>(S("typeCombo"))->currentIndex(), -1);
        QCOMPARE(trackDialog.findChild<QLabel*>(S("fileValue"))->text(), QString());
        QVERIFY(!trackDialog.Store(track));
        QCOMPARE(track.Type(), TrackType::Err);
        QVERIFY(!m_sheet->doc.IsModified());
    }

    // Browse asks for a file through the prompts, starting in the named
    // file's folder; only the name and the type change.
    void browseSetsNameAndType_data()
    {
        QTest::addColumn<QString>("typed");  // the Name box before Browse
        QTest::addColumn<QString>("folder"); // "<sheet>" stands for the sheet's folder
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("named"); // the name stored; "" for the chosen path
        QTest::newRow("wave in capitals") << S("A.WAV") << S("<sheet>") << S("/music/SONG.WAV") << S("WAVE") << S("");
        QTest::newRow("iso image") << S("sub/A.WAV") << S("<sheet>/sub") << S("/data/disc.iso") << S("BINARY") << S("");
        QTest::newRow("no extension") << S("/abs/dir/A.WAV") << S("/abs/dir") << S("/x/track") << S("BINARY") << S("");
        QTest::newRow("written on Windows") << S("/abs\\dir\\A.WAV") << S("/abs/dir") << S("/x/a.wav") << S("WAVE")
                                            << S("");
        // Beside the sheet or below it: by the path from the sheet.
        QTest::newRow("in the sheet's folder") << S("A.WAV") << S("<sheet>") << S("<sheet>/disc 1/02 Song.wav")
                                               << S("WAVE") << S("disc 1/02 Song.wav");
    }
    void browseSetsNameAndType()
    {
        QFETCH(QString, typed);
        QFETCH(QString, folder);
        QFETCH(QString, chosen);
        QFETCH(QString, type);
        QFETCH(QString, named);
        chosen.replace(S("<sheet>"), m_sheet->dir.path());
        if (named.isEmpty())
            named = chosen;
        auto& file = static_cast<CCueFile&>(*m_sheet->Find(ItemKind::File, 1));
        CEditFileDlg dialog(nullptr);
        dialog.SetSheetFolder(ts::FolderOf(m_sheet->doc.PathName()));
        dialog.Load(file);
        dialog.findChild<QLineEdit*>(S("nameEdit"))->setText(typed);
        dialog.findChild<QLineEdit*>(S("commentEdit"))->setText(S("typed before browsing"));
        m_sheet->prompts.QueueFile(chosen.toStdString());
        dialog.findChild<QPushButton*>(S("browseButton"))->click();

        QCOMPARE(m_sheet->prompts.Dialogs().size(), std::size_t(1));
        const FileDialogRequest& request = m_sheet->prompts.Dialogs().front();
        QCOMPARE(Q(request.title), S("Select file to insert"));
        QCOMPARE(Q(request.folder), QString(folder).replace(S("<sheet>"), m_sheet->dir.path()));
        const std::vector<std::pair<std::string, std::string>> filters = {
            {"Wave files (*.wav)", "*.wav"}, {"Binary files (*.iso;*.raw)", "*.iso;*.raw"}, {"All files (*.*)", "*.*"}};
        QVERIFY(request.filters == filters);

        QCOMPARE(dialog.findChild<QLineEdit*>(S("nameEdit"))->text(), named);
        QCOMPARE(dialog.findChild<QComboBox*>(S("typeCombo"))->currentText(), type);
        QCOMPARE(dialog.findChild<QLineEdit*>(S("commentEdit"))->text(), S("typed before browsing"));
        dialog.accept();
        QVERIFY(dialog.Store(file));
        QCOMPARE(Q(file.Name()), named);
        QCOMPARE(Q(std::string(file.TypeText())), type);
    }

    void browseCancelledChangesNothing()
    {
        auto& file = static_cast<CCueFile&>(*m_sheet->Find(ItemKind::File));
        CEditFileDlg dialog(nullptr);
        dialog.Load(file);
        dialog.findChild<QPushButton*>(S("browseButton"))->click();
        QCOMPARE(m_sheet->prompts.Dialogs().size(), std::size_t(1));
        QCOMPARE(dialog.findChild<QLineEdit*>(S("nameEdit"))->text(), S("A.WAV"));
        QCOMPARE(dialog.findChild<QComboBox*>(S("typeCombo"))->currentText(), S("WAVE"));
        QVERIFY(!dialog.Store(file));
    }

    // A Time box shows its text normalised once it loses the focus, and
    // when OK is pressed from the keyboard; a time no sheet holds exactly is
    // refused with a message that says why, and the box takes back what it
    // showed before.
    void timeNormalisedWhenLeavingTheBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("short") << S("1:2") << S("01:02:00") << QString();
        QTest::newRow("minutes only") << S("5") << S("05:00:00") << QString();
        QTest::newRow("empty") << S("") << S("00:00:00") << QString();
        QTest::newRow("five hours") << S("300:00:00") << S("300:00:00") << QString();
        QTest::newRow("largest") << S("9999:59:74") << S("9999:59:74") << QString();
        QTest::newRow("not a time") << S("abc") << QString() << S("abc is not a valid time: Invalid time");
        QTest::newRow("seconds past 59") << S("3:75:00") << QString() << S("Seconds past 59");
        QTest::newRow("frames past 74") << S("01:02:75") << QString() << S("Frames past 74");
        QTest::newRow("past 9999 minutes") << S("10000:00:00") << QString() << S("Time past 9999:59:74");
        QTest::newRow("negative") << S("-1:00:00") << QString() << S("Negative time");
    }
    void timeNormalisedWhenLeavingTheBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, refusal);
        // A refused time leaves the box as it was loaded.
        auto& gap = static_cast<CCuePregap&>(*m_sheet->Find(ItemKind::Pregap));
        const QString loaded = Q(gap.Time().Text());
        if (shown.isEmpty())
            shown = loaded;
        auto refusedOnce = [&] {
            const auto& messages = m_sheet->prompts.Messages();
            if (refusal.isEmpty())
                return messages.empty();
            const bool one = messages.size() == 1 && Q(messages.front().text).contains(refusal);
            m_sheet->prompts.Clear();
            return one;
        };
        CEditGapDlg dialog(nullptr);
        dialog.Load(gap);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* time = dialog.findChild<QLineEdit*>(S("timeEdit"));
        auto* comment = dialog.findChild<QLineEdit*>(S("commentEdit"));
        time->setFocus();
        time->setText(typed);
        QCOMPARE(time->text(), typed);
        comment->setFocus(Qt::TabFocusReason);
        QCOMPARE(time->text(), shown);
        QVERIFY(refusedOnce());
        // OK from the keyboard: a refused time keeps the dialog open.
        time->setText(typed);
        static_cast<QDialog&>(dialog).accept();
        QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
        QVERIFY(refusedOnce());
        if (refusal.isEmpty())
            QCOMPARE(dialog.Store(gap), shown != loaded);
        QCOMPARE(Q(gap.Time().Text()), shown);

        if (!refusal.isEmpty() || shown == loaded)
            shown = S("00:00:00");
        CTimeIntervalDlg interval(nullptr);
        interval.SetStart(S("00:00:00"));
        interval.SetStop(S("00:00:00"));
        interval.show();
        QVERIFY(QTest::qWaitForWindowActive(&interval));
        auto* start = interval.findChild<QLineEdit*>(S("startEdit"));
        auto* stop = interval.findChild<QLineEdit*>(S("stopEdit"));
        start->setFocus();
        start->setText(typed);
        stop->setFocus(Qt::TabFocusReason);
        QCOMPARE(interval.Start(), shown);
        QVERIFY(refusedOnce());
        stop->setFocus();
        stop->setText(typed);
        start->setFocus(Qt::TabFocusReason);
        QCOMPARE(interval.Stop(), shown);
        QVERIFY(refusedOnce());
        stop->setFocus();
        stop->setText(typed);
        interval.accept(); // Enter in the Stop box: no focus change
        QCOMPARE(interval.Stop(), shown);
        QCOMPARE(interval.isVisible(), !refusal.isEmpty());
        QVERIFY(refusedOnce());
    }

    void timeIntervalDialog_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("ok");
        QTest::newRow("caption given") << S("Write silence") << S("Write silence");
        QTest::newRow("no caption") << QString() << S("OK");
    }
    void timeIntervalDialog()
    {
        QFETCH(QString, caption);
        QFETCH(QString, ok);
        CTimeIntervalDlg dialog(nullptr);
        dialog.SetOkCaption(caption);
        QCOMPARE(dialog.windowTitle(), S("Specify time interval"));
        QCOMPARE(dialog.findChild<QLabel*>(S("prompt"))->text(),
                 S("Enter Start and Stop times of interval\nin (mm:ss:ff):"));
        QCOMPARE(dialog.findChild<QLabel*>(S("startLabel"))->text(), S("&Start"));
        QCOMPARE(dialog.findChild<QLabel*>(S("startLabel"))->buddy(), dialog.findChild<QLineEdit*>(S("startEdit")));
        QCOMPARE(dialog.findChild<QLabel*>(S("stopLabel"))->text(), S("Sto&p"));
        QCOMPARE(dialog.findChild<QLabel*>(S("stopLabel"))->buddy(), dialog.findChild<QLineEdit*>(S("stopEdit")));
        QCOMPARE(dialog.findChild<QDialogButtonBox*>(S("buttons"))->button(QDialogButtonBox::Ok)->text(), ok);
        dialog.SetStart(S("00:01:02"));
        dialog.SetStop(S("00:03:04"));
        QCOMPARE(dialog.Start(), S("00:01:02"));
        QCOMPARE(dialog.Stop(), S("00:03:04"));
    }
};

QTEST_MAIN(TestEditDialogs)
#include "TestEditDialogs.moc"
