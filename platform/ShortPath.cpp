#include "platform/ShortPath.h"

#ifdef _WIN32
#include <windows.h>
#include <vector>
#endif

namespace ts {

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& s)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& w)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

} // namespace

bool ShortPathName(const std::string& path, std::string& shortPath)
{
    const std::wstring wide = Widen(path);
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0)
        return false;
    std::wstring buffer(needed, L'\0');
    const DWORD got = GetShortPathNameW(wide.c_str(), buffer.data(), needed);
    if (got == 0 || got >= needed)
        return false;
    buffer.resize(got);
    shortPath = Narrow(buffer);
    return shortPath.find(' ') == std::string::npos;
}

bool HasShortNames() { return true; }

#else

bool ShortPathName(const std::string& path, std::string& shortPath)
{
    if (path.find(' ') != std::string::npos)
        return false;
    shortPath = path;
    return true;
}

bool HasShortNames() { return false; }

#endif

} // namespace ts
