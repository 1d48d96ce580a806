#include "WindowTest.h"

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

WindowTest::WindowTest() = default;
WindowTest::~WindowTest() = default;

void WindowTest::Configure(CQuillApp& app)
{
    app.SetLauncher([this](const QUrl& url) {
        m_launched << url;
        return true;
    });
}

void WindowTest::Arrange(CMainFrame&) {}

void WindowTest::StartApp(const QStringList& arguments)
{
    m_app = std::make_unique<CQuillApp>();
    Configure(*m_app);
    QVERIFY(m_app->InitInstance(arguments, true, m_prompts.get()));
    Arrange(*Frame());
    QVERIFY(QTest::qWaitForWindowExposed(Frame()));
}

void WindowTest::StopApp()
{
    if (m_app && Frame()) {
        m_prompts->QueueAnswer(PromptAnswer::No);
        Frame()->close();
    }
    m_app.reset();
}

CMainFrame* WindowTest::Frame() const
{
    return m_app ? m_app->Frame() : nullptr;
}

void WindowTest::FreshStart(const QString& settingsFolder)
{
    StopApp();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->filePath(settingsFolder));
    m_prompts = std::make_unique<CScriptedPrompts>();
    m_launched.clear();
}

void WindowTest::ActivateWindow()
{
    QApplication::setActiveWindow(Frame());
    QVERIFY(QTest::qWaitForWindowActive(Frame()));
}

void WindowTest::DeliverPendingEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

QString WindowTest::WriteFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

void WindowTest::PlayIntoFile() const
{
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", PlayedFile().toUtf8());
}

QString WindowTest::PlayedFile() const
{
    return m_dir->filePath(QStringLiteral("played.raw"));
}

void WindowTest::init()
{
    QStandardPaths::setTestModeEnabled(true);
    m_startDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    FreshStart(QStringLiteral("config"));
    InitCase();
}

void WindowTest::cleanup()
{
    CleanupCase();
    StopApp();
    m_prompts.reset();
    QDir::setCurrent(m_startDir);
    m_dir.reset();
}
