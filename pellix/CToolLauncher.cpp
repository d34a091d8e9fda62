#include "pellix/CToolLauncher.h"
#include "framework/CHandleOwner.h"

DWORD CToolLauncher::Run(const CCatalog::Tool& tool, const CString& strFolder)
{
    if (tool.strCommand.IsEmpty())
        return ERROR_BAD_COMMAND;
    // CreateProcessW may write into the command line, so it gets its own copy.
    CString strCommandLine = tool.strCommand;
    wchar_t* pszCommandLine = strCommandLine.GetBuffer(strCommandLine.GetLength());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const wchar_t* pszDirectory = strFolder.IsEmpty() ? nullptr : strFolder.GetString();
    if (!CreateProcessW(nullptr, pszCommandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, pszDirectory,
                        &startup, &process))
        return GetLastError();
    CKernelObjectOwner processHandle(process.hProcess);
    CKernelObjectOwner threadHandle(process.hThread);
    return ERROR_SUCCESS;
}
