#pragma once

#include "app/CMainFrame.h"
#include "platform/CScriptedPrompts.h"

#include <QApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class CQuillApp;

// The base of every window test: each test case starts in a fresh temporary
// folder with QStandardPaths' test mode on, the settings kept in that folder
// and scripted prompts; the editor starts only when a case asks for it and
// is closed, discarding changes, after every case. A test class derives from
// it instead of QObject and adds its own steps through the hooks below; it
// declares no init() or cleanup() slot of its own.
class WindowTest : public QObject
{
    Q_OBJECT

public:
    WindowTest();
    ~WindowTest() override;

protected:
    // Steps of a test class after the common set-up and before the common
    // clean-up of each case.
    virtual void InitCase() {}
    virtual void CleanupCase() {}
    // Called before the editor starts; by default links open into
    // m_launched instead of a browser.
    virtual void Configure(CQuillApp& app);
    // Called after the editor's window is shown, before it is waited on.
    virtual void Arrange(CMainFrame& frame);

    // Starts the editor with the given command line and waits until its
    // window is on screen. Check QTest::currentTestFailed() (or use
    // QVERIFY) afterwards when the case needs the window.
    void StartApp(const QStringList& arguments = {});
    // Closes the window, answering No to a question about unsaved changes.
    void StopApp();
    CMainFrame* Frame() const;
    // Closes the editor if it runs and makes its next start a first start:
    // the settings from here on in the named folder of the temporary folder,
    // fresh scripted prompts, no links followed. Each case begins this way
    // with "config"; a case that starts the editor more than once, each time
    // afresh (in two languages, say), calls it before each start.
    void FreshStart(const QString& settingsFolder);
    // Makes the window the active one, which the menu bar's access keys
    // need, and waits until it is.
    void ActivateWindow();

    // Delivers every event already posted (paints included) and every
    // pending window-system event, so that what a test counts next is
    // caused by what it does next.
    static void DeliverPendingEvents();
    // Writes a file of the temporary folder and returns its path.
    QString WriteFile(const QString& name, const QByteArray& bytes) const;
    // Sound through SDL's disk driver into played.raw of the temporary folder:
    // there is no sound card where the tests run.
    void PlayIntoFile() const;
    QString PlayedFile() const;
    // Runs act on the next modal dialog of type T once it is shown, as a
    // user answering it would; after giveUp it stops looking.
    template <class T>
    void OnModal(std::function<void(T*)> act, std::chrono::milliseconds giveUp)
    {
        constexpr int kIntervalMs = 20;
        auto* timer = new QTimer(Frame());
        timer->setInterval(kIntervalMs);
        auto tries = std::make_shared<long long>(0);
        const long long most = giveUp.count() / kIntervalMs;
        connect(timer, &QTimer::timeout, Frame(), [timer, tries, most, act] {
            auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dlg || !dlg->isVisible()) {
                if (++*tries > most)
                    timer->deleteLater();
                return;
            }
            timer->stop();
            timer->deleteLater();
            act(dlg);
        });
        timer->start();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CScriptedPrompts> m_prompts;
    std::unique_ptr<CQuillApp> m_app;
    QList<QUrl> m_launched;

private slots:
    void init();
    void cleanup();

private:
    QString m_startDir;
};
