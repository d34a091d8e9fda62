#include "SkinWatcher.h"
#include <windows.h>
#include <functional>
#include "framework/CHandleOwner.h"

namespace {

// Calls visit(relative path, find data) for every file below folder + relative.
void ForEachFile(const std::wstring& folder, const std::wstring& relative,
                 const std::function<void(const std::wstring&, const WIN32_FIND_DATAW&)>& visit)
{
    WIN32_FIND_DATAW data;
    CFindOwner find(FindFirstFileW((folder + L"\\" + relative + L"*").c_str(), &data));
    if (!find.IsValid())
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ForEachFile(folder, relative + name + L"\\", visit);
        else
            visit(relative + name, data);
    } while (FindNextFileW(find, &data));
}

} // namespace

std::wstring SkinWatcher::Signature() const
{
    std::wstring signature;
    ForEachFile(m_source, L"", [&signature](const std::wstring& path, const WIN32_FIND_DATAW& data) {
        signature += path + L"|" + std::to_wstring(data.nFileSizeLow) + L"|" +
                     std::to_wstring(data.ftLastWriteTime.dwLowDateTime) + L"|" +
                     std::to_wstring(data.ftLastWriteTime.dwHighDateTime) + L"\n";
    });
    return signature;
}

bool SkinWatcher::PollSettledChange()
{
    std::wstring now = Signature();
    bool settled = now != m_copied && now == m_pending;
    m_pending = now;
    return settled;
}

bool SkinWatcher::CopyToTarget(std::wstring& error)
{
    std::wstring signature = Signature();
    bool ok = true;
    CreateDirectoryW(m_target.c_str(), nullptr);
    ForEachFile(m_source, L"", [&](const std::wstring& path, const WIN32_FIND_DATAW&) {
        for (size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
            CreateDirectoryW((m_target + L"\\" + path.substr(0, slash)).c_str(), nullptr);
        if (!CopyFileW((m_source + L"\\" + path).c_str(), (m_target + L"\\" + path).c_str(), FALSE)) {
            error = L"cannot copy " + path + L" into " + m_target;
            ok = false;
        }
    });
    m_copied = signature;
    m_pending = signature;
    return ok;
}
