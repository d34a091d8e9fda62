// TavrinSkinCheck [DIR]: checks the skin in DIR, a Config folder as it lies
// beside Tavrin.dll (default: the Config folder beside this program), and
// prints one line per finding, "FILE:LINE:COL: error|warning: message", then
// a summary line. Exit code 0 without errors, 1 with errors, 2 when the
// check cannot run.
#include <windows.h>
#include <gdiplus.h>
#include <cstdio>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>
#include "skin/ValueText.h"
#include "skincheck/CSkinChecker.h"

namespace {

const int kCannotRun = 2;

// Lines go out in UTF-8, whatever the console's code page.
void Print(FILE* pStream, const CString& strLine)
{
    CString strOut = strLine + L"\n";
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, strOut, strOut.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strBytes(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, strOut, strOut.GetLength(), &strBytes[0], nBytes, nullptr, nullptr);
    fwrite(strBytes.data(), 1, strBytes.size(), pStream);
}

int RunCheck(const CString& strDir)
{
    CSkinReport report(CSkinChecker::SkinFile(strDir));
    CSkinChecker checker;
    CString strWhy;
    if (!checker.Check(strDir, report, strWhy)) {
        Print(stderr, L"TavrinSkinCheck: " + strWhy);
        return kCannotRun;
    }
    for (const _SkinFinding& finding : report.Sorted())
        Print(stdout, report.Line(finding));
    Print(stdout, report.Summary());
    return report.ExitCode();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 2 || (argc == 2 && argv[1][0] == L'-')) {
        Print(stderr, L"usage: TavrinSkinCheck [DIR]   (DIR: a Config folder; default: the one beside this program)");
        return kCannotRun;
    }
    CString strDir = argc == 2 ? CString(argv[1]) : GetConfigDirectory(nullptr);
    // "DIR\" on a command line reaches us as DIR" (the backslash escapes the quote).
    if (strDir.Right(1) == L"\"")
        strDir = strDir.Left(strDir.GetLength() - 1);
    try {
        xercesc::XMLPlatformUtils::Initialize();
    } catch (...) {
        Print(stderr, L"TavrinSkinCheck: the XML library cannot start");
        return kCannotRun;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    int nExit = kCannotRun;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
        nExit = RunCheck(strDir);
        Gdiplus::GdiplusShutdown(token);
    } else {
        Print(stderr, L"TavrinSkinCheck: GDI+ cannot start");
    }
    xercesc::XMLPlatformUtils::Terminate();
    return nExit;
}
