// A tool for the tool-service tests: "pellix_touch <file> <text>" writes a
// UTF-8 file holding <text>, a line feed and the folder it was started in.
// The file appears complete at once (written aside, then moved into place).
#include <windows.h>
#include <shellapi.h>
#include <string>

namespace {

std::string Utf8(const std::wstring& strText)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()), nullptr, 0, nullptr,
                                 nullptr);
    std::string strBytes(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()), &strBytes[0], cb, nullptr,
                            nullptr);
    return strBytes;
}

} // namespace

int main()
{
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppszArgs || nArgs < 3)
        return 2;
    wchar_t szFolder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, szFolder);
    std::string strContent = Utf8(std::wstring(ppszArgs[2]) + L"\n" + szFolder);
    std::wstring strTarget = ppszArgs[1];
    std::wstring strAside = strTarget + L".part";
    HANDLE hFile = CreateFileW(strAside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    DWORD cbWritten = 0;
    WriteFile(hFile, strContent.data(), static_cast<DWORD>(strContent.size()), &cbWritten, nullptr);
    CloseHandle(hFile);
    return MoveFileExW(strAside.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
