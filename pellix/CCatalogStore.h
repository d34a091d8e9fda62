// Where the catalog lives and the one lock that guards reading and replacing it.
// The catalog file is the shared state between the caller's thread and refresh
// threads; it is read whole and replaced whole, always under the lock.
#pragma once
#include "framework/CString.h"
#include "pellix/CCatalog.h"
#include "pellix/CCriticalSection.h"

class CCatalogStore
{
public:
    // The file named by the environment variable PELLIX_CATALOG when it is
    // set, else "PellixCatalog.ini" in the folder of Pellix.dll.
    static CString GetCatalogPath();
    // The folder part of a path, ending with its backslash.
    static CString GetFolder(const CString& strPath);
    // strPath itself when absolute, else strPath below strFolder; empty stays empty.
    static CString ResolvePath(const CString& strFolder, const CString& strPath);

    // Reads and parses the catalog file; false when it is missing or invalid.
    bool Load(const CString& strPath, CCatalog& catalog);
    // Writes the catalog over the file at strPath. A catalog without a source
    // of its own takes over the source of the file it replaces.
    bool Replace(const CString& strPath, CCatalog& catalog);

private:
    static HMODULE GetLibraryModule();
    static bool WriteReplacing(const CString& strPath, const std::string& strBytes);
    static bool WriteNewFile(const CString& strPath, const std::string& strBytes);

    CCriticalSection m_lock;
};

extern CCatalogStore g_CatalogStore;
