// Loads Tavrin.dll and resolves its four exports.
#pragma once
#include <windows.h>
#include <string>
#include "include/Tavrin.h"

class ModuleLoader
{
public:
    using InitializeFn = PFN_QMUIFUNINITIALIZE;
    using UnInitializeFn = PFN_QMUIFUNUNINITIALIZE;
    using EnterFn = PFN_QMUIFUNENTER;
    using PreTranslateFn = PFN_DLLPRETRANSLATEMESSAGE;

    ModuleLoader() = default;
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;
    ~ModuleLoader();

    // Loads <dir>\Tavrin.dll (the host's folder when dir is empty); false with
    // a message when the file or an export is missing.
    bool Load(const std::wstring& dir, std::wstring& error);
    // The folder the module was loaded from (no trailing backslash).
    const std::wstring& Folder() const { return m_folder; }

    InitializeFn Initialize = nullptr;
    UnInitializeFn UnInitialize = nullptr;
    EnterFn Enter = nullptr;
    PreTranslateFn PreTranslate = nullptr;

private:
    HMODULE m_hModule = nullptr;
    std::wstring m_folder;
};
