// Every toolbar button of the command table finds its icon in the
// resources, at 16 pixels and at 32 for scale factor 2; the application icon
// and the About picture are there too.
#include <span>

#include <QImage>
#include <QObject>
#include <QTest>

#include "res/CommandIds.h"
#include "res/CommandTable.h"

namespace {

// True when some pixel is drawn: a blank or broken render would pass a size check.
bool HasVisiblePixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 128)
                return true;
        }
    }
    return false;
}

} // namespace

class TestIcons final : public QObject
{
    Q_OBJECT

private slots:
    void toolbarIcon_data();
    void toolbarIcon();
    void picture_data();
    void picture();
};

void TestIcons::toolbarIcon_data()
{
    QTest::addColumn<QString>("name");
    const auto addButtons = [](std::span<const int> ids) {
        for (const int id : ids) {
            if (id == 0 || id == cmd::WavePosSlot)
                continue;
            const CommandInfo* command = res::FindCommand(id);
            QVERIFY2(command, qPrintable(QStringLiteral("no command %1").arg(id)));
            QVERIFY2(!command->icon.empty(), qPrintable(QStringLiteral("command %1 has no icon name").arg(id)));
            const QString name = QString::fromUtf8(command->icon.data(), static_cast<qsizetype>(command->icon.size()));
            QTest::newRow(qPrintable(name)) << name;
        }
    };
    addButtons(res::MainToolbar());
    addButtons(res::Wavebar());
    // Play/Stop shows this one while the wave plays.
    QTest::newRow("media-playback-pause") << QStringLiteral("media-playback-pause");
}

void TestIcons::toolbarIcon()
{
    QFETCH(QString, name);
    const QImage small(QStringLiteral(":/icons/%1.png").arg(name));
    QCOMPARE(small.size(), QSize(16, 16));
    QVERIFY(HasVisiblePixels(small));
    const QImage large(QStringLiteral(":/icons/%1@2x.png").arg(name));
    QCOMPARE(large.size(), QSize(32, 32));
    QVERIFY(HasVisiblePixels(large));
}

void TestIcons::picture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("application icon") << QStringLiteral(":/icons/tracksmith.png") << QSize(32, 32);
    QTest::newRow("application icon @2x") << QStringLiteral(":/icons/tracksmith@2x.png") << QSize(64, 64);
    QTest::newRow("application icon 16") << QStringLiteral(":/icons/tracksmith-16.png") << QSize(16, 16);
    QTest::newRow("application icon 48") << QStringLiteral(":/icons/tracksmith-48.png") << QSize(48, 48);
    QTest::newRow("application icon 128") << QStringLiteral(":/icons/tracksmith-128.png") << QSize(128, 128);
    QTest::newRow("about picture") << QStringLiteral(":/icons/about.png") << QSize(120, 120);
    QTest::newRow("about picture @2x") << QStringLiteral(":/icons/about@2x.png") << QSize(240, 240);
}

void TestIcons::picture()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QCOMPARE(image.size(), size);
    QVERIFY(HasVisiblePixels(image));
}

QTEST_MAIN(TestIcons)
#include "TestIcons.moc"
