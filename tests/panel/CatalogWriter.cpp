#include "CatalogWriter.h"
#include <tlhelp32.h>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const wchar_t kCatalogVariable[] = L"PELLIX_CATALOG";
const wchar_t kTouchProgram[] = L"pellix_touch.exe";
const DWORD kToolWaitMs = 5000;

bool IsToolRunning()
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool bRunning = false;
    for (BOOL bMore = Process32FirstW(hSnapshot, &entry); bMore && !bRunning; bMore = Process32NextW(hSnapshot, &entry))
        bRunning = _wcsicmp(entry.szExeFile, kTouchProgram) == 0;
    CloseHandle(hSnapshot);
    return bRunning;
}

} // namespace

CatalogWriter::CatalogWriter() : m_folder(L"tavrin catalog")
{
    DWORD cch = GetEnvironmentVariableW(kCatalogVariable, m_strOldVariable.GetBuffer(32767), 32768);
    m_strOldVariable.ReleaseBuffer(static_cast<int>(cch));
    m_bHadVariable = cch > 0;
    SetEnvironmentVariableW(kCatalogVariable, m_folder.File(L"catalog.ini"));
}

CatalogWriter::~CatalogWriter()
{
    SetEnvironmentVariableW(kCatalogVariable, m_bHadVariable ? m_strOldVariable.GetString() : nullptr);
}

CString CatalogWriter::CatalogText(const std::vector<CatalogTool>& tools, bool bWithSource) const
{
    CString strText = L"; written by the panel tests\r\n";
    if (bWithSource)
        strText += L"[Catalog]\r\nSource=next.ini\r\n";
    for (const CatalogTool& tool : tools) {
        CString strCommand = L"\"" + ProgramFolder() + kTouchProgram + L"\" \"" + m_folder.Path() + tool.strId +
                             m_strStage + L".run\" " + tool.strId;
        strText += L"\r\n[Tool]\r\nName=" + tool.strName + L"\r\nId=" + tool.strId + L"\r\nVersion=" +
                   tool.strVersion + L"\r\nDescription=" + tool.strDesc + L"\r\nIcon=" + tool.strIcon +
                   L"\r\nListed=" + (tool.bListed ? L"1" : L"0") + L"\r\nCommand=" + strCommand + L"\r\n";
    }
    return strText;
}

void CatalogWriter::Write(const std::vector<CatalogTool>& tools)
{
    m_tools = tools;
    WriteUtf8File(m_folder.File(L"catalog.ini"), CatalogText(tools, true));
}

void CatalogWriter::WriteRefreshSource(const std::vector<CatalogTool>& tools)
{
    WriteUtf8File(m_folder.File(L"next.ini"), CatalogText(tools, false));
}

void CatalogWriter::SetStage(const CString& strStage)
{
    m_strStage = strStage;
    Write(m_tools);
}

std::vector<CString> CatalogWriter::StartedTools()
{
    // PxRunTool has created its process by the time it returns; waiting for
    // all of them to end makes every marker complete.
    DWORD dwStart = GetTickCount();
    while (IsToolRunning() && GetTickCount() - dwStart < kToolWaitMs)
        Sleep(20);
    EXPECT_FALSE(IsToolRunning()) << "a started tool is still running";
    std::vector<CString> markers;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(m_folder.File(L"*.run"), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            CString strName = found.cFileName;
            DeleteFileW(m_folder.File(strName));
            markers.push_back(strName.Left(strName.GetLength() - 4));
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    std::sort(markers.begin(), markers.end());
    return markers;
}

std::vector<CatalogTool> NumberedTools(int nCount)
{
    std::vector<CatalogTool> tools;
    for (int i = 0; i < nCount; ++i) {
        CString strNumber;
        strNumber.Format(L"%d", i);
        tools.push_back({L"Tool " + strNumber, L"tool" + strNumber, L"1." + strNumber, L"Test tool " + strNumber,
                         CString(), true});
    }
    return tools;
}
