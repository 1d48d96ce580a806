#pragma once

#include "audio/IPcmSource.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CPeaks;

// Gets the peaks of one file at a time on a worker thread: from the peak
// cache when it holds them, else computed from the file's source and then
// kept in the cache. Starting another file or clearing cancels the load
// under way without waiting for it (a slow disk must not hold up the
// window); only the latest load reports, on this object's thread.
class CPeakLoader final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPeakLoader)

public:
    explicit CPeakLoader(QObject* parent = nullptr);
    // Cancels every load and waits for the workers.
    ~CPeakLoader() override;

    // An empty factory reads wave files; an empty folder caches nothing.
    void SetSourceFactory(PcmSourceFactory factory) { m_factory = std::move(factory); }
    void SetCacheFolder(std::string folder) { m_cacheFolder = std::move(folder); }
    const std::string& CacheFolder() const { return m_cacheFolder; }

    void Load(const std::string& path);
    void Cancel();
    bool IsBusy() const { return m_busy; }
    // Part of the current load done, 0 to 1000.
    int Permille() const;

Q_SIGNALS:
    void Loaded(const QString& path, std::shared_ptr<const CPeaks> peaks, bool fromCache);
    void Failed(const QString& path, const QString& reason);

private:
    struct Job;
    void Finish(unsigned generation, const std::shared_ptr<Job>& job);

    PcmSourceFactory m_factory;
    std::string m_cacheFolder;
    struct Worker {
        std::thread thread;
        std::shared_ptr<Job> job;
    };
    void JoinFinished();

    Worker m_current;
    std::vector<Worker> m_cancelled; // still running, joined once done
    unsigned m_generation = 0;
    bool m_busy = false;
};
