#include "ModuleLoader.h"

namespace {
std::wstring HostFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    size_t slash = s.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : s.substr(0, slash);
}

template <class Fn>
bool Resolve(HMODULE h, const char* name, Fn& fn, std::wstring& error)
{
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(h, name)));
    if (!fn)
        error = L"Tavrin.dll has no export " + std::wstring(name, name + strlen(name));
    return fn != nullptr;
}
}

ModuleLoader::~ModuleLoader()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
}

bool ModuleLoader::Load(const std::wstring& dir, std::wstring& error)
{
    m_folder = dir.empty() ? HostFolder() : dir;
    std::wstring path = m_folder + L"\\Tavrin.dll";
    // The module's own dependencies (Pellix.dll, Xerces-C) lie beside it.
    m_hModule = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!m_hModule) {
        error = L"cannot load " + path;
        return false;
    }
    return Resolve(m_hModule, "QmUIFunInitialize", Initialize, error)
        && Resolve(m_hModule, "QmUIFunUnInitialize", UnInitialize, error)
        && Resolve(m_hModule, "QmUIFunEnter", Enter, error)
        && Resolve(m_hModule, "DllPreTranslateMessage", PreTranslate, error);
}
