// While one exists, the skin readers of this thread share one parse of a
// skin file: the panel, its list and its scroll bar each read a section of
// the same file during one set-up, and parsing it once serves all three.
// Only a load that gave a document is shared; a failed one is tried again
// by the next reader, as without a scope. The document goes with the scope,
// so no DOM object outlives the set-up.
#pragma once
#include <memory>
#include "framework/CString.h"
#include "skin/CXmlSkinDocument.h"

class CSkinLoadScope
{
public:
    CSkinLoadScope();
    ~CSkinLoadScope();
    CSkinLoadScope(const CSkinLoadScope&) = delete;
    CSkinLoadScope& operator=(const CSkinLoadScope&) = delete;

    // The document the innermost scope holds for the path, or null.
    static CXmlSkinDocument* Find(const CString& strPath);
    // The innermost scope takes the loaded document (pDocument is then
    // empty); without a scope the caller keeps it.
    static void Keep(const CString& strPath, std::unique_ptr<CXmlSkinDocument>& pDocument);

private:
    CSkinLoadScope* m_pOuter;
    CString m_strPath;
    std::unique_ptr<CXmlSkinDocument> m_pDocument;
};
