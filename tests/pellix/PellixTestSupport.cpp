#include "PellixTestSupport.h"
#include <gtest/gtest.h>
#include "panel/PluginRecord.h"

namespace {

const wchar_t kCatalogVariable[] = L"PELLIX_CATALOG";

} // namespace

CString CatalogText(const CString& strSource, const std::vector<CatalogTool>& tools)
{
    CString strText = L"; catalog written by the tool-service tests\r\n";
    if (!strSource.IsEmpty())
        strText += L"[Catalog]\r\nSource=" + strSource + L"\r\n";
    for (const CatalogTool& tool : tools) {
        strText += L"\r\n[Tool]\r\nName=" + tool.strName + L"\r\nId=" + tool.strId + L"\r\nVersion=" +
                   tool.strVersion + L"\r\nDescription=" + tool.strDescription + L"\r\nIcon=" + tool.strIcon +
                   L"\r\nListed=" + (tool.bListed ? L"1" : L"0") + L"\r\nCommand=" + tool.strCommand + L"\r\n";
    }
    return strText;
}

CatalogSwitch::CatalogSwitch(const wchar_t* pszCatalogPath)
{
    DWORD cch = GetEnvironmentVariableW(kCatalogVariable, m_strOldValue.GetBuffer(32767), 32768);
    m_strOldValue.ReleaseBuffer(static_cast<int>(cch));
    m_bHadValue = cch > 0;
    SetEnvironmentVariableW(kCatalogVariable, pszCatalogPath);
}

CatalogSwitch::~CatalogSwitch()
{
    SetEnvironmentVariableW(kCatalogVariable, m_bHadValue ? m_strOldValue.GetString() : nullptr);
}

std::vector<ListedTool> ReadToolList(int& nResult)
{
    _PLUGIN_INFO* pHead = reinterpret_cast<_PLUGIN_INFO*>(static_cast<UINT_PTR>(0xDEADBEEF));
    nResult = PxGetAllPluginList(&pHead);
    std::vector<ListedTool> tools;
    for (const _PLUGIN_INFO* pInfo = pHead; pInfo; pInfo = CPluginRecord(*pInfo).GetNext()) {
        CPluginRecord record(*pInfo);
        tools.push_back({ record.GetName(), record.GetId(), record.GetVersion(), record.GetDescription(),
                          record.GetIconPath(), record.IsListed() });
    }
    PxFreePluginListBuffer(pHead);
    return tools;
}

std::vector<ListedTool> ReadToolList()
{
    int nResult = 0;
    return ReadToolList(nResult);
}
