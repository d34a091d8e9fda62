// A program started by a test: its command line, its output (when asked for)
// and its exit code. A program still running when the owner goes away is
// stopped, so no test leaves one behind.
#pragma once
#include <windows.h>
#include <string>
#include "framework/CHandleOwner.h"
#include "framework/CString.h"

class CChildProcess
{
public:
    CChildProcess() = default;
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Starts the command line in strFolder; with bCaptureOutput its standard
    // output and error go to a pipe that ReadOutputAndWait drains.
    bool Start(const CString& strCommandLine, const CString& strFolder, bool bCaptureOutput);
    // Reads the output to its end, waits for the exit and gives the exit code
    // (-1 when the program did not end within nTimeoutMs).
    int ReadOutputAndWait(std::string& strOutput, DWORD nTimeoutMs = 60000);
    // Ends the program now (it is ours: started by Start).
    void Stop();

private:
    CKernelObjectOwner m_process;
    CKernelObjectOwner m_outputRead;
};
