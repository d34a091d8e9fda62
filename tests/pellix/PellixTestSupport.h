// Shared pieces of the tool-service tests: temporary folders with a non-ASCII
// name, catalogs written as UTF-8 files, the catalog switch of Pellix.dll, and
// the tool list as the module sees it.
#pragma once
#include <windows.h>
#include <ostream>
#include <string>
#include <vector>
#include "framework/CString.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

// The prefix of the tests' temporary folders: non-ASCII, so that the paths
// the library reads and the commands it starts carry Unicode text.
const wchar_t kPellixFolderPrefix[] = L"pellix Ünï 工具";

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
