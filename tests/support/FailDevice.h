#pragma once

#include <cerrno>
#include <cstdint>
#include <memory>

#include "platform/CFileDevice.h"

// A real file that starts failing once a shared budget of bytes is used up,
// like a disk that fills or a medium that goes bad part way through. The
// transfer that crosses the limit moves the bytes that still fit, then fails.
class FailDevice final : public CFileDevice
{
public:
    struct Budget {
        std::int64_t bytes = 0; // what may still be moved
        bool writes = true;     // writes draw on the budget
        bool reads = false;     // reads draw on the budget
        int error = ENOSPC;
        int failures = 0;       // how often the device failed
    };

    // Opens real files whose transfers draw on budget.
    static FileOpener Opener(std::shared_ptr<Budget> budget);

    FailDevice(std::unique_ptr<CFileDevice> inner, std::shared_ptr<Budget> budget);

    std::int64_t ReadAt(std::int64_t offset, void* data, std::size_t size) override;
    std::int64_t WriteAt(std::int64_t offset, const void* data, std::size_t size) override;
    std::int64_t Size() override { return m_inner->Size(); }
    bool Sync() override { return m_inner->Sync(); }
    bool Close() override { return m_inner->Close(); }
    int Error() const override { return m_error != 0 ? m_error : m_inner->Error(); }

private:
    std::unique_ptr<CFileDevice> m_inner;
    std::shared_ptr<Budget> m_budget;
    int m_error = 0;
};
