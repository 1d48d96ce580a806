// Access keys in the window's menus: in English and in German, no two
// entries of one menu (the menu bar, each of its menus, the listing's and
// the waveform's context menus) share an access key, so that pressing the
// key picks its entry instead of cycling between two.
#include "WindowTest.h"

#include "app/CMainFrame.h"
#include "app/CTranslations.h"

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

namespace {

// The access key of a menu text, lower case; a null QChar when it has none.
// "&&" is a literal ampersand, not a mark.
QChar AccessKey(const QString& text)
{
    const QString shown = text.section(QLatin1Char('\t'), 0, 0);
    for (qsizetype i = 0; i + 1 < shown.size(); ++i) {
        if (shown.at(i) != QLatin1Char('&'))
            continue;
        if (shown.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return shown.at(i + 1).toLower();
    }
    return {};
}

// The entries of one menu sharing a key, as "key: text | text" lines.
QStringList Clashes(const QList<QAction*>& actions)
{
    QMap<QChar, QStringList> byKey;
    for (const QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        const QChar key = AccessKey(action->text());
        if (!key.isNull())
            byKey[key] << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    QStringList clashes;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            clashes << QStringLiteral("%1: %2").arg(it.key(), it.value().join(QStringLiteral(" | ")));
    }
    return clashes;
}

} // namespace

class TestAccessKeys final : public WindowTest
{
    Q_OBJECT

private:
    std::unique_ptr<CTranslations> m_translations;

    // The window closes before its translation goes.
    void CleanupCase() override
    {
        StopApp();
        m_translations.reset();
    }

private slots:
    void menusHaveNoClashingKeys_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << QStringLiteral("en_US");
        QTest::newRow("German") << QStringLiteral("de_DE");
    }
    void menusHaveNoClashingKeys()
    {
        QFETCH(QString, locale);
        m_translations = std::make_unique<CTranslations>(nullptr);
        QCOMPARE(m_translations->Install(QLocale(locale)), locale != QLatin1String("en_US"));
        StartApp();
        QVERIFY(!QTest::currentTestFailed());
        CMainFrame* frame = Frame();

        // The menu bar's titles form one menu, each menu another; the
        // context menus are found among the window's children. Each menu
        // is prepared as for showing, so its entries have their texts of
        // the moment (Play or Pause, the recent files).
        QMap<QString, QList<QAction*>> menus;
        menus.insert(QStringLiteral("menu bar"), frame->menuBar()->actions());
        QList<QMenu*> all = frame->findChildren<QMenu*>();
        if (!all.contains(frame->ContextMenu()))
            all << frame->ContextMenu();
        int withEntries = 0;
        for (QMenu* menu : all) {
            emit menu->aboutToShow();
            const QString name = menu->title().isEmpty() ? menu->objectName() + QStringLiteral(" (context menu)")
                                                        : menu->title();
            menus.insert(name.isEmpty() ? QStringLiteral("menu %1").arg(menus.size()) : name, menu->actions());
            withEntries += menu->actions().isEmpty() ? 0 : 1;
        }
        // The seven menus of the bar and the listing's context menu.
        QVERIFY2(withEntries >= 8, qPrintable(QString::number(withEntries)));

        QStringList failures;
        for (auto it = menus.cbegin(); it != menus.cend(); ++it) {
            for (const QString& clash : Clashes(it.value()))
                failures << it.key() + QStringLiteral(" - ") + clash;
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestAccessKeys)
#include "TestAccessKeys.moc"
