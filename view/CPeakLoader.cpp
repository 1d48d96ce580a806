#include "view/CPeakLoader.h"

#include "audio/CDecodedPcmSource.h"
#include "audio/CPeakCache.h"
#include "audio/CPeaks.h"

struct CPeakLoader::Job {
    std::string path;
    std::atomic<bool> cancel{false};
    std::atomic<int> permille{0};
    // Written by the worker before it posts the result.
    std::shared_ptr<CPeaks> peaks;
    bool fromCache = false;
    bool failed = false;
    std::string reason;
    std::atomic<bool> finished{false};
};

CPeakLoader::CPeakLoader(QObject* parent)
    : QObject(parent)
{
}

CPeakLoader::~CPeakLoader()
{
    Cancel();
    // Every worker posts to this object; none may outlive it.
    for (Worker& worker : m_cancelled)
        worker.thread.join();
}

void CPeakLoader::Cancel()
{
    ++m_generation;
    m_busy = false;
    if (m_current.job) {
        m_current.job->cancel = true;
        m_cancelled.push_back(std::move(m_current));
        m_current = Worker{};
    }
    JoinFinished();
}

void CPeakLoader::JoinFinished()
{
    for (auto it = m_cancelled.begin(); it != m_cancelled.end();) {
        if (it->job->finished) {
            it->thread.join();
            it = m_cancelled.erase(it);
        } else {
            ++it;
        }
    }
}

int CPeakLoader::Permille() const
{
    return m_current.job ? m_current.job->permille.load(std::memory_order_relaxed) : 0;
}

void CPeakLoader::Load(const std::string& path)
{
    Cancel();
    auto job = std::make_shared<Job>();
    job->path = path;
    m_current.job = job;
    m_busy = true;
    const unsigned generation = m_generation;
    PcmSourceFactory factory = m_factory;
    if (!factory)
        factory = OpenPcmSource;
    m_current.thread = std::thread([this, job, generation, factory = std::move(factory), folder = m_cacheFolder] {
        // Set last thing on every way out, after the post: the thread may
        // then be joined at once.
        struct Done {
            Job& job;
            ~Done() { job.finished = true; }
        } done{*job};
        const CPeakCache cache(folder);
        auto peaks = std::make_shared<CPeaks>();
        if (cache.Load(job->path, *peaks)) {
            job->fromCache = true;
            job->permille = 1000;
        } else if (std::unique_ptr<IPcmSource> source = factory(job->path, job->reason); !source) {
            job->failed = true;
        } else {
            const CPeaks::Result result = CPeaks::Compute(*source, *peaks, job->cancel, &job->permille, job->reason);
            if (result == CPeaks::Result::Cancelled)
                return;
            job->failed = result == CPeaks::Result::Failed;
            // A cache that cannot be written only costs time next time.
            if (!job->failed)
                cache.Store(job->path, *peaks);
        }
        job->peaks = std::move(peaks);
        QMetaObject::invokeMethod(this, [this, generation, job] { Finish(generation, job); }, Qt::QueuedConnection);
    });
}

void CPeakLoader::Finish(unsigned generation, const std::shared_ptr<Job>& job)
{
    JoinFinished();
    if (generation != m_generation)
        return;
    m_busy = false;
    const QString path = QString::fromStdString(job->path);
    if (job->failed)
        emit Failed(path, QString::fromStdString(job->reason));
    else
        emit Loaded(path, job->peaks, job->fromCache);
}
