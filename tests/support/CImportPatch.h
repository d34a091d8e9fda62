// Redirects one imported function of a loaded module to a replacement while
// the object lives, by rewriting that module's import address table: a test
// can count the calls a DLL makes to the system at its real boundary.
#pragma once
#include <windows.h>

class CImportPatch
{
public:
    // pszDll is matched ignoring case ("gdiplus.dll"); pszFunction by name.
    CImportPatch(HMODULE hModule, const char* pszDll, const char* pszFunction, void* pReplacement);
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    bool IsPatched() const { return m_pSlot != nullptr; }
    void* Original() const { return m_pOriginal; }

private:
    static void Write(void** pSlot, void* pValue);

    void** m_pSlot = nullptr;
    void* m_pOriginal = nullptr;
};
