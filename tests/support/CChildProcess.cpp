#include "CChildProcess.h"
#include <vector>

CChildProcess::~CChildProcess()
{
    Stop();
}

bool CChildProcess::Start(const CString& strCommandLine, const CString& strFolder, bool bCaptureOutput)
{
    STARTUPINFOW si = {sizeof(si)};
    CKernelObjectOwner outputWrite;
    if (bCaptureOutput) {
        SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
        HANDLE hRead = nullptr, hWrite = nullptr;
        if (!CreatePipe(&hRead, &hWrite, &sa, 0))
            return false;
        m_outputRead.Attach(hRead);
        outputWrite.Attach(hWrite);
        SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = hWrite;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    std::wstring strLine = strCommandLine.Std();
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &strLine[0], nullptr, nullptr, bCaptureOutput, CREATE_NO_WINDOW, nullptr, strFolder,
                        &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_process.Attach(pi.hProcess);
    return true;
}

int CChildProcess::ReadOutputAndWait(std::string& strOutput, DWORD nTimeoutMs)
{
    char buffer[4096];
    DWORD dwRead = 0;
    while (m_outputRead.IsValid() && ReadFile(m_outputRead, buffer, sizeof(buffer), &dwRead, nullptr) && dwRead > 0)
        strOutput.append(buffer, dwRead);
    if (!m_process.IsValid() || WaitForSingleObject(m_process, nTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD dwExit = 0;
    GetExitCodeProcess(m_process, &dwExit);
    m_process.Close();
    return static_cast<int>(dwExit);
}

void CChildProcess::Stop()
{
    if (m_process.IsValid() && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    m_process.Close();
}
