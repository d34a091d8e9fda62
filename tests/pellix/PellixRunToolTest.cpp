// Starting tools through the real Pellix.dll: the tool named by its identifier
// runs as a real process, and an unknown identifier starts nothing. Processes
// are counted through a job object that holds this test and its children
// (under Wine a console tool brings a console host process along, so a start
// counts at least one process, and "nothing" is exactly none).
#include <gtest/gtest.h>
#include "PellixTestSupport.h"
#include "include/PellixSDK.h"

namespace {

const DWORD kSafetyWaitMs = 30000;

class ProcessCounter
{
public:
    ProcessCounter()
    {
        m_hJob = CreateJobObjectW(nullptr, nullptr);
        m_bReady = m_hJob && AssignProcessToJobObject(m_hJob, GetCurrentProcess());
    }
    ~ProcessCounter()
    {
        if (m_hJob)
            CloseHandle(m_hJob);
    }
    ProcessCounter(const ProcessCounter&) = delete;
    ProcessCounter& operator=(const ProcessCounter&) = delete;

    bool IsReady() const { return m_bReady; }
    // Processes ever started in the job, this test included.
    DWORD Started() const
    {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
        QueryInformationJobObject(m_hJob, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr);
        return info.TotalProcesses;
    }
    // Waits until the started processes have ended, so that none of them
    // still has the test folder as its current folder when it is removed.
    bool WaitForStartedToEnd() const
    {
        for (DWORD dwWaited = 0; dwWaited < kSafetyWaitMs; dwWaited += 20) {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
            QueryInformationJobObject(m_hJob, JobObjectBasicAccountingInformation, &info, sizeof(info), nullptr);
            if (info.ActiveProcesses <= 1)
                return true;
            Sleep(20);
        }
        return false;
    }

private:
    HANDLE m_hJob = nullptr;
    bool m_bReady = false;
};

CString TouchCommand(const CString& strTarget, const wchar_t* pszText)
{
    wchar_t szExe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szExe, MAX_PATH);
    CString strBin = szExe;
    strBin = strBin.Left(strBin.ReverseFind(L'\\') + 1);
    return L"\"" + strBin + L"pellix_touch.exe\" \"" + strTarget + L"\" " + pszText;
}

CatalogTool Tool(const wchar_t* pszId, const CString& strCommand)
{
    CatalogTool tool;
    tool.strName = pszId;
    tool.strId = pszId;
    tool.strCommand = strCommand;
    return tool;
}

bool WaitForFile(const CString& strPath)
{
    for (DWORD dwWaited = 0; dwWaited < kSafetyWaitMs; dwWaited += 20) {
        if (FileExists(strPath))
            return true;
        Sleep(20);
    }
    return false;
}

} // namespace

TEST(PellixRunTool, TheToolWithThatIdRunsInTheCatalogFolder)
{
    ProcessCounter processes;
    ASSERT_TRUE(processes.IsReady());
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    WriteUtf8File(strCatalog, CatalogText(L"", { Tool(L"touch.a", TouchCommand(folder.File(L"a.txt"), L"alpha")),
                                                 Tool(L"touch.b", TouchCommand(folder.File(L"b.txt"), L"beta")) }));
    DWORD nBefore = processes.Started();

    DWORD dwResult = 0xBAD;
    EXPECT_TRUE(PxRunTool(L"touch.b", 4, 1, nullptr, &dwResult, 0));
    EXPECT_EQ(0u, dwResult);
    ASSERT_TRUE(WaitForFile(folder.File(L"b.txt")));
    CString strFolder = folder.Path().Left(folder.Path().GetLength() - 1);
    std::string strExpected = "beta\n";
    EXPECT_EQ(strExpected + ToUtf8(strFolder), ReadFileBytes(folder.File(L"b.txt")));
    EXPECT_LT(nBefore, processes.Started());
    EXPECT_FALSE(FileExists(folder.File(L"a.txt")));
    EXPECT_TRUE(processes.WaitForStartedToEnd());
}

TEST(PellixRunTool, UnknownOrUnstartableToolsStartNothing)
{
    ProcessCounter processes;
    ASSERT_TRUE(processes.IsReady());
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    WriteUtf8File(strCatalog, CatalogText(L"", { Tool(L"touch.a", TouchCommand(folder.File(L"a.txt"), L"alpha")),
                                                 Tool(L"empty", L""),
                                                 Tool(L"gone", L"\"" + folder.File(L"gone.exe") + L"\"") }));
    DWORD nBefore = processes.Started();
    struct Case { const wchar_t* pszId; DWORD dwExpected; };
    const Case cases[] = {
        { L"touch.c", ERROR_NOT_FOUND },
        { L"TOUCH.A", ERROR_NOT_FOUND },
        { L"touch", ERROR_NOT_FOUND },
        { L"", ERROR_NOT_FOUND },
        { nullptr, ERROR_NOT_FOUND },
        { L"empty", ERROR_BAD_COMMAND },
        { L"gone", ERROR_FILE_NOT_FOUND },
    };
    for (const Case& c : cases) {
        DWORD dwResult = 0xBAD;
        EXPECT_FALSE(PxRunTool(c.pszId, 4, 1, nullptr, &dwResult, 0)) << (c.pszId ? c.pszId : L"(null)");
        EXPECT_EQ(c.dwExpected, dwResult);
        EXPECT_FALSE(PxRunTool(c.pszId, 4, 1, nullptr, nullptr, 0));
    }
    EXPECT_EQ(nBefore, processes.Started());
    EXPECT_FALSE(FileExists(folder.File(L"a.txt")));

    // The counter does see a start from this catalog.
    EXPECT_TRUE(PxRunTool(L"touch.a", 4, 1, nullptr, nullptr, 0));
    ASSERT_TRUE(WaitForFile(folder.File(L"a.txt")));
    EXPECT_LT(nBefore, processes.Started());
    EXPECT_TRUE(processes.WaitForStartedToEnd());
}
