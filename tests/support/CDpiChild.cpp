#include "CDpiChild.h"
#include <windows.h>
#include <cstdlib>
#include "CChildProcess.h"
#include "CRegistryValueScope.h"
#include "TestFiles.h"
#include "framework/CHandleOwner.h"

namespace {

const wchar_t kDpiVariable[] = L"TAVRIN_TEST_DPI";
const wchar_t kEventVariable[] = L"TAVRIN_TEST_DPI_EVENT";
const wchar_t kFolderVariable[] = L"TAVRIN_TEST_DPI_FOLDER";
const DWORD kStartTimeoutMs = 20000;
const DWORD kRunTimeoutMs = 300000;

CString Variable(const wchar_t* pszName)
{
    wchar_t szValue[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(pszName, szValue, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(szValue) : CString();
}

// Environment variables set for the children, removed again afterwards.
class CVariableScope
{
public:
    CVariableScope(const wchar_t* pszName, const CString& strValue) : m_pszName(pszName)
    {
        SetEnvironmentVariableW(pszName, strValue);
    }
    ~CVariableScope() { SetEnvironmentVariableW(m_pszName, nullptr); }
    CVariableScope(const CVariableScope&) = delete;
    CVariableScope& operator=(const CVariableScope&) = delete;

private:
    const wchar_t* m_pszName;
};

} // namespace

int CDpiChild::RequestedDpi()
{
    return _wtoi(Variable(kDpiVariable));
}

CString CDpiChild::SharedFolder()
{
    return Variable(kFolderVariable);
}

void CDpiChild::ReportStarted()
{
    CKernelObjectOwner event(OpenEventW(EVENT_MODIFY_STATE, FALSE, Variable(kEventVariable)));
    if (event.IsValid())
        SetEvent(event);
}

int CDpiChild::Run(int nDpi, const CString& strFilter, const CString& strSharedFolder, std::string& strOutput)
{
    CString strEvent;
    strEvent.Format(L"TavrinDpiChild-%lu-%d", GetCurrentProcessId(), nDpi);
    CKernelObjectOwner started(CreateEventW(nullptr, TRUE, FALSE, strEvent));
    CString strDpi;
    strDpi.Format(L"%d", nDpi);
    CVariableScope dpi(kDpiVariable, strDpi), event(kEventVariable, strEvent), folder(kFolderVariable, strSharedFolder);
    wchar_t szProgram[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szProgram, MAX_PATH);
    CChildProcess child;
    {
        CRegistryValueScope logPixels(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels");
        logPixels.SetNumber(static_cast<DWORD>(nDpi));
        if (!child.Start(L"\"" + CString(szProgram) + L"\" --gtest_color=no --gtest_filter=" + strFilter, ProgramFolder(),
                         true))
            return -1;
        WaitForSingleObject(started, kStartTimeoutMs);
    }
    return child.ReadOutputAndWait(strOutput, kRunTimeoutMs);
}
