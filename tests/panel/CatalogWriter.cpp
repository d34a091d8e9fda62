#include "CatalogWriter.h"
#include <algorithm>
#include <gtest/gtest.h>
#include "support/CFindOwner.h"

namespace {

const wchar_t kCatalogVariable[] = L"PELLIX_CATALOG";
const wchar_t kTouchProgram[] = L"pellix_touch.exe";
const DWORD kTestProgramOnly = 1; // active processes of the job while no tool runs
const DWORD kToolWaitMs = 5000;

// Every process that the test program starts, the tools started through
// Pellix.dll included (with any console host the system gives them), joins
// this job at its creation, so the job knows when they have all ended.
class ToolJob
{
public:
    ToolJob() : m_job(CreateJobObjectW(nullptr, nullptr))
    {
        // The desktop's own process is started before the program joins the
        // job, so that only the tools join it.
        GetDesktopWindow();
        EXPECT_TRUE(AssignProcessToJobObject(m_job, GetCurrentProcess())) << "error " << GetLastError();
    }

    DWORD ActiveProcesses() const
    {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
        QueryInformationJobObject(m_job, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr);
        return info.ActiveProcesses;
    }

private:
    CKernelObjectOwner m_job;
};

ToolJob& TheToolJob()
{
    static ToolJob s_job;
    return s_job;
}

} // namespace

CatalogWriter::CatalogWriter() : m_folder(L"tavrin catalog")
{
    TheToolJob(); // joined before any tool can start
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
    DWORD dwStart = GetTickCount();
    while (TheToolJob().ActiveProcesses() > kTestProgramOnly && GetTickCount() - dwStart < kToolWaitMs)
        Sleep(20);
    EXPECT_EQ(kTestProgramOnly, TheToolJob().ActiveProcesses()) << "a started tool is still running";
    std::vector<CString> markers;
    WIN32_FIND_DATAW found;
    CFindOwner search(FindFirstFileW(m_folder.File(L"*.run"), &found));
    for (bool bMore = search.IsValid(); bMore; bMore = FindNextFileW(search, &found) != FALSE) {
        CString strName = found.cFileName;
        DeleteFileW(m_folder.File(strName));
        markers.push_back(strName.Left(strName.GetLength() - 4));
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
