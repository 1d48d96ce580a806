#include "support/FailDevice.h"

#include <algorithm>

#include "platform/CPosixFile.h"

FileOpener FailDevice::Opener(std::shared_ptr<Budget> budget)
{
    return [budget](const std::string& path, std::uint32_t mode, int& error) -> std::unique_ptr<CFileDevice> {
        std::unique_ptr<CFileDevice> inner = CPosixFile::Open(path, mode, error);
        if (!inner)
            return nullptr;
        return std::make_unique<FailDevice>(std::move(inner), budget);
    };
}

FailDevice::FailDevice(std::unique_ptr<CFileDevice> inner, std::shared_ptr<Budget> budget)
    : m_inner(std::move(inner))
    , m_budget(std::move(budget))
{
}

std::int64_t FailDevice::ReadAt(std::int64_t offset, void* data, std::size_t size)
{
    if (!m_budget->reads)
        return m_inner->ReadAt(offset, data, size);
    const auto allowed = static_cast<std::size_t>(std::clamp<std::int64_t>(m_budget->bytes, 0, static_cast<std::int64_t>(size)));
    const std::int64_t n = m_inner->ReadAt(offset, data, allowed);
    if (n > 0)
        m_budget->bytes -= n;
    if (allowed < size && n == static_cast<std::int64_t>(allowed)) {
        ++m_budget->failures;
        m_error = m_budget->error;
        return -1;
    }
    return n;
}

std::int64_t FailDevice::WriteAt(std::int64_t offset, const void* data, std::size_t size)
{
    if (!m_budget->writes)
        return m_inner->WriteAt(offset, data, size);
    const auto allowed = static_cast<std::size_t>(std::clamp<std::int64_t>(m_budget->bytes, 0, static_cast<std::int64_t>(size)));
    const std::int64_t n = allowed > 0 ? m_inner->WriteAt(offset, data, allowed) : 0;
    if (n > 0)
        m_budget->bytes -= n;
    if (allowed < size) {
        ++m_budget->failures;
        m_error = m_budget->error;
        return -1;
    }
    return n;
}
