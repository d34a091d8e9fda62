// TavrinSkinCheck.exe as a user runs it: compiler-style lines, a summary
// line, and the exit codes 0 (no errors), 1 (errors) and 2 (cannot run).
#include <gtest/gtest.h>
#include "DamagedSkin.h"
#include "support/CChildProcess.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

struct CheckerRun
{
    int nExit = -1;
    std::vector<CString> lines;
};

CheckerRun RunChecker(const CString& strArguments)
{
    CheckerRun run;
    CChildProcess checker;
    CString strProgram = ProgramFolder() + L"TavrinSkinCheck.exe";
    EXPECT_TRUE(checker.Start(L"\"" + strProgram + L"\" " + strArguments, ProgramFolder(), true));
    std::string strOutput;
    run.nExit = checker.ReadOutputAndWait(strOutput);
    CString strText = FromUtf8(strOutput);
    strText.Remove(L'\r');
    int nStart = 0;
    for (int nEnd = strText.Find(L'\n'); nEnd >= 0; nStart = nEnd + 1, nEnd = strText.Find(L'\n', nStart))
        run.lines.push_back(strText.Mid(nStart, nEnd - nStart));
    return run;
}

// A folder as a quoted argument; without its trailing backslash, which
// would escape the closing quote.
CString Quoted(const CString& strFolder)
{
    CString str = strFolder;
    if (str.Right(1) == L"\\")
        str = str.Left(str.GetLength() - 1);
    return L"\"" + str + L"\"";
}

TEST(SkinCheckProgramTest, PrintsFindingsThenSummaryAndExitsByWorstFinding)
{
    DamagedSkin clean;
    CheckerRun run = RunChecker(Quoted(clean.ConfigDir()));
    EXPECT_EQ(0, run.nExit);
    ASSERT_EQ(1u, run.lines.size());
    EXPECT_EQ(clean.SkinFile() + L": no errors, no warnings", run.lines[0]);

    DamagedSkin damaged;
    damaged.Replace(L"\"SheetSize\"", L"\"SheetSzie\"");
    damaged.Replace(L"\"ToolMgrBack.png\"", L"\"Nope.png\"");
    int nLine = damaged.LineOf(L"Nope.png");
    run = RunChecker(Quoted(damaged.ConfigDir()));
    EXPECT_EQ(1, run.nExit);
    ASSERT_EQ(3u, run.lines.size());
    CString strPrefix;
    strPrefix.Format(L"%s:%d:32: error: file Default\\Nope.png not found", damaged.SkinFile().GetString(), nLine);
    EXPECT_EQ(strPrefix, run.lines[0]);
    EXPECT_EQ(0, run.lines[1].Find(damaged.SkinFile() + L":" + std::to_wstring(nLine + 1).c_str() + L":15: warning: "));
    EXPECT_EQ(damaged.SkinFile() + L": 1 error, 1 warning", run.lines[2]);

    // A folder without a skin file cannot be checked.
    CTempFolder empty(L"tavrin no skin");
    run = RunChecker(Quoted(empty.Path()));
    EXPECT_EQ(2, run.nExit);
    ASSERT_EQ(1u, run.lines.size());
    EXPECT_EQ(0, run.lines[0].Find(L"TavrinSkinCheck: cannot open "));
}

} // namespace
