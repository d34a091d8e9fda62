// A catalog for Pellix.dll in a folder of its own; PELLIX_CATALOG names it
// while the object lives. Every tool's command line runs pellix_touch.exe,
// which writes a marker file "<id><stage>.run" into the folder, so a started
// tool can be seen: StartedTools() lists the markers once every started tool
// has finished. Rewriting the catalog with another stage (the library reads
// it afresh at each call) tells apart starts made at different moments.
#pragma once
#include <vector>
#include "support/CTempFolder.h"
#include "support/TestFiles.h"

struct CatalogTool
{
    CString strName;
    CString strId;
    CString strVersion;
    CString strDesc;
    CString strIcon; // empty, or a path
    bool bListed = true;
};

class CatalogWriter
{
public:
    CatalogWriter();
    ~CatalogWriter();
    CatalogWriter(const CatalogWriter&) = delete;
    CatalogWriter& operator=(const CatalogWriter&) = delete;

    const CTempFolder& Folder() const { return m_folder; }

    // Writes the catalog; a refresh fetches the file "next.ini" beside it.
    void Write(const std::vector<CatalogTool>& tools);
    // Writes "next.ini", the catalog that the next refresh brings.
    void WriteRefreshSource(const std::vector<CatalogTool>& tools);
    // Rewrites the catalog so that starts from now on leave "<id><strStage>.run".
    void SetStage(const CString& strStage);

    // Waits (bounded) until no started tool is running any more, then returns
    // the markers written since the last call, sorted, and removes them.
    std::vector<CString> StartedTools();

private:
    CString CatalogText(const std::vector<CatalogTool>& tools, bool bWithSource) const;

    CTempFolder m_folder;
    std::vector<CatalogTool> m_tools;
    CString m_strStage;
    bool m_bHadVariable = false;
    CString m_strOldVariable;
};

// n tools named "Tool <i>" with identifiers "tool<i>", all listed, no icon.
std::vector<CatalogTool> NumberedTools(int nCount);
