#include "view/CPeakLoader.h"

#include "audio/CPeakCache.h"
#include "audio/CPeaks.h"
#include "audio/CWavePcmSource.h"

struct CPeakLoader::Job {
    std::string path;
    std::atomic<bool> cancel{false};
    std::atomic<int> permille{0};
    // Written by the worker before it posts the result.
    std::shared_ptr<CPeaks> peaks;
    bool fromCache = false;
    bool failed = false;
    std::string reason;
};

CPeakLoader::CPeakLoader(QObject* parent)
    : QObject(parent)
{
}

CPeakLoader::~CPeakLoader()
{
    Cancel();
}

void CPeakLoader::Cancel()
{
    ++m_generation;
    m_busy = false;
    if (m_job)
        m_job->cancel = true;
    if (m_thread.joinable())
        m_thread.join();
    m_job.reset();
}

int CPeakLoader::Permille() const
{
    return m_job ? m_job->permille.load(std::memory_order_relaxed) : 0;
}

void CPeakLoader::Load(const std::string& path)
{
    Cancel();
    auto job = std::make_shared<Job>();
    job->path = path;
    m_job = job;
    m_busy = true;
    const unsigned generation = m_generation;
    PcmSourceFactory factory = m_factory;
    if (!factory)
        factory = [](const std::string& name, std::string& reason) -> std::unique_ptr<IPcmSource> {
            return CWavePcmSource::Open(name, reason);
        };
    m_thread = std::thread([this, job, generation, factory = std::move(factory), folder = m_cacheFolder] {
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
    if (generation != m_generation)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_busy = false;
    const QString path = QString::fromStdString(job->path);
    if (job->failed)
        emit Failed(path, QString::fromStdString(job->reason));
    else
        emit Loaded(path, job->peaks, job->fromCache);
}
