#include "skin/CSkinLoadScope.h"

namespace {
// The panel lives on its host's user-interface thread; so do its scopes.
CSkinLoadScope* g_pInnermost = nullptr;
}

CSkinLoadScope::CSkinLoadScope() : m_pOuter(g_pInnermost)
{
    g_pInnermost = this;
}

CSkinLoadScope::~CSkinLoadScope()
{
    g_pInnermost = m_pOuter;
}

CXmlSkinDocument* CSkinLoadScope::Find(const CString& strPath)
{
    if (!g_pInnermost || !g_pInnermost->m_pDocument || g_pInnermost->m_strPath.CompareNoCase(strPath) != 0)
        return nullptr;
    return g_pInnermost->m_pDocument.get();
}

void CSkinLoadScope::Keep(const CString& strPath, std::unique_ptr<CXmlSkinDocument>& pDocument)
{
    if (!g_pInnermost)
        return;
    g_pInnermost->m_strPath = strPath;
    g_pInnermost->m_pDocument = std::move(pDocument);
}
