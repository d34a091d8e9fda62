#include "BenchFiles.h"
#include <fstream>

namespace {

const int kSharedIcons = 9;

// The sample catalog's icons tool01.png ... tool09.png.
std::wstring SampleIcon(int i)
{
    wchar_t szName[32];
    swprintf(szName, 32, L"ToolIcons\\tool%02d.png", i % kSharedIcons + 1);
    return ModuleFolder() + szName;
}

} // namespace

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring ModuleFolder()
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strPath(szPath);
    return strPath.substr(0, strPath.rfind(L'\\') + 1);
}

std::wstring SelfPath()
{
    wchar_t szSelf[MAX_PATH];
    GetModuleFileNameW(nullptr, szSelf, MAX_PATH);
    return szSelf;
}

std::wstring BenchFolder()
{
    wchar_t szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    std::wstring strFolder = std::wstring(szDir) + L"tavrin_bench\\";
    CreateDirectoryW(strFolder.c_str(), nullptr);
    return strFolder;
}

std::wstring WriteCatalog(int nTools, bool bOwnIcons)
{
    std::wstring strFolder = BenchFolder();
    std::wstring strIconFolder = strFolder + (bOwnIcons ? L"OwnIcons\\" : L"ToolIcons\\");
    CreateDirectoryW(strIconFolder.c_str(), nullptr);
    std::wstring strPath = strFolder + (bOwnIcons ? L"own_" : L"shared_") + std::to_wstring(nTools) + L".ini";
    std::ofstream out(strPath.c_str(), std::ios::binary);
    for (int i = 0; i < nTools; ++i) {
        std::string strIcon = bOwnIcons ? "OwnIcons\\icon" + std::to_string(i) + ".png"
                                        : "ToolIcons\\tool0" + std::to_string(i % kSharedIcons + 1) + ".png";
        std::wstring strIconFile = strFolder + std::wstring(strIcon.begin(), strIcon.end());
        if ((bOwnIcons || i < kSharedIcons) && GetFileAttributesW(strIconFile.c_str()) == INVALID_FILE_ATTRIBUTES)
            CopyFileW(SampleIcon(i).c_str(), strIconFile.c_str(), FALSE);
        out << "[Tool]\r\nName=Tool " << i << "\r\nId=bench." << i << "\r\nVersion=1.0\r\nDescription=Benchmark tool "
            << i << "\r\nIcon=" << strIcon << "\r\nListed=1\r\nCommand=cmd.exe\r\n";
    }
    return strPath;
}

std::string RunProgram(const std::wstring& strProgram, const std::wstring& strArguments)
{
    std::wstring strCommand = L"\"" + strProgram + L"\" " + strArguments;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!CreatePipe(&hRead, &hWrite, &sa, 0))
        return std::string();
    SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = CreateProcessW(nullptr, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(hWrite);
    std::string strOut;
    char buffer[256];
    DWORD cbRead = 0;
    while (bStarted && ReadFile(hRead, buffer, sizeof(buffer), &cbRead, nullptr) && cbRead)
        strOut.append(buffer, cbRead);
    CloseHandle(hRead);
    if (!bStarted)
        return std::string();
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return strOut;
}

std::string RunSelf(const std::wstring& strArguments)
{
    return RunProgram(SelfPath(), strArguments);
}

void CopyFolder(const std::wstring& strFrom, const std::wstring& strTo, bool bTree, const wchar_t* pszPattern)
{
    CreateDirectoryW(strTo.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strFrom + pszPattern).c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring strName = fd.cFileName;
        if (strName == L"." || strName == L"..")
            continue;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileW((strFrom + strName).c_str(), (strTo + strName).c_str(), FALSE);
        else if (bTree)
            CopyFolder(strFrom + strName + L"\\", strTo + strName + L"\\", true);
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
}

