// Shared pieces of the tool-service tests: a temporary folder with a non-ASCII
// name, catalogs written as UTF-8 files, the catalog switch of Pellix.dll, and
// the tool list as the module sees it.
#pragma once
#include <windows.h>
#include <ostream>
#include <string>
#include <vector>
#include "framework/CString.h"

// Readable CString values in test failure messages.
void PrintTo(const CString& strText, std::ostream* pStream);

// A new folder below the system's temporary folder, removed with its content
// when the object goes away.
class PellixTempFolder
{
public:
    PellixTempFolder();
    ~PellixTempFolder();
    PellixTempFolder(const PellixTempFolder&) = delete;
    PellixTempFolder& operator=(const PellixTempFolder&) = delete;

    const CString& Path() const { return m_strPath; } // ends with a backslash
    CString File(const wchar_t* pszName) const { return m_strPath + pszName; }

private:
    CString m_strPath;
};

// One tool as a catalog describes it.
struct CatalogTool
{
    CString strName;
    CString strId;
    CString strVersion;
    CString strDescription;
    CString strIcon;
    bool bListed = true;
    CString strCommand;
};

// Catalog text with an optional [Catalog] Source line and one [Tool] section per tool.
CString CatalogText(const CString& strSource, const std::vector<CatalogTool>& tools);
void WriteUtf8File(const CString& strPath, const CString& strText);
void WriteBytes(const CString& strPath, const std::string& strBytes);
std::string ReadBytes(const CString& strPath);
bool FileExists(const CString& strPath);

// Points Pellix.dll at a catalog file through PELLIX_CATALOG (or clears the
// variable for a null path) and restores the variable's old state afterwards.
class CatalogSwitch
{
public:
    explicit CatalogSwitch(const wchar_t* pszCatalogPath);
    ~CatalogSwitch();
    CatalogSwitch(const CatalogSwitch&) = delete;
    CatalogSwitch& operator=(const CatalogSwitch&) = delete;

private:
    bool m_bHadValue = false;
    CString m_strOldValue;
};

// One record as read through the module's record view.
struct ListedTool
{
    CString strName;
    CString strId;
    CString strVersion;
    CString strDescription;
    CString strIconPath;
    bool bListed = false;
};

// Calls PxGetAllPluginList (with *ppHead preset to garbage, which the library
// must overwrite), walks the list with CPluginRecord and frees it.
// nResult receives the call's result.
std::vector<ListedTool> ReadToolList(int& nResult);
std::vector<ListedTool> ReadToolList();
