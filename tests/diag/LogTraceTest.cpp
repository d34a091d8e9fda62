// The trace log against the real registry and real files of the Wine prefix.
#include <gtest/gtest.h>
#include <regex>
#include "DiagTestSupport.h"
#include "diag/CLogTrace.h"

namespace {

const wchar_t kQuendaKey[] = L"SOFTWARE\\brelwick\\Quenda3.0";
const DWORD kAllLevels = 0xFFFFFFFF;
const DWORD kTenMiB = 0xA00000;

// Both switches taken over for one test; "Debug" can then be set to turn logging on.
struct Switches
{
    CRegistryValueScope debug{ kQuendaKey, L"Debug" };
    CRegistryValueScope morvel{ L"SOFTWARE", L"MorvelDebugFlag" };
};

// Logging switched on by "Debug" = "1", writing log.txt in a fresh folder.
class LogTraceOn : public ::testing::Test
{
protected:
    void SetUp() override
    {
        switches.debug.SetText(L"1");
        log.Init(strLog, kAllLevels, kTenMiB);
    }

    CTempFolder folder{L"tracelog"};
    Switches switches;
    CString strLog = folder.File(L"log.txt");
    CLogTrace log;
};

// The log file's lines, each with its CR LF.
std::vector<std::string> Lines(const std::string& strFile)
{
    std::vector<std::string> lines;
    for (size_t nPos = 0; nPos < strFile.size();) {
        size_t nEnd = strFile.find("\r\n", nPos);
        nEnd = nEnd == std::string::npos ? strFile.size() : nEnd + 2;
        lines.push_back(strFile.substr(nPos, nEnd - nPos));
        nPos = nEnd;
    }
    return lines;
}

// The message part of a line (after the five spaces, before CR LF).
std::string Message(const std::string& strLine)
{
    size_t nStart = strLine.find("]     ");
    if (nStart == std::string::npos || strLine.size() < nStart + 8)
        return "<malformed line>";
    return strLine.substr(nStart + 6, strLine.size() - nStart - 8);
}

// Local time text of t, by way of the system's own time conversion.
std::string LocalTimeText(__time64_t t)
{
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(t) * 10000000ULL + 116444736000000000ULL;
    FILETIME utc = { ticks.LowPart, ticks.HighPart };
    SYSTEMTIME utcTime, localTime;
    FileTimeToSystemTime(&utc, &utcTime);
    SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &localTime);
    char szText[32];
    snprintf(szText, sizeof(szText), "%04u-%02u-%02u %02u:%02u:%02u", localTime.wYear, localTime.wMonth, localTime.wDay,
             localTime.wHour, localTime.wMinute, localTime.wSecond);
    return szText;
}

DWORD WINAPI TraceFromThread(LPVOID pParam)
{
    static_cast<CLogTrace*>(pParam)->Trace(4, L"%s", L"from a second thread");
    return 0;
}

} // namespace

TEST(LogTrace, EitherRegistrySwitchHoldingExactlyOneTurnsLoggingOn)
{
    enum Kind { None, Text, Number, Expand };
    struct Setting { Kind kind; const wchar_t* pszText; DWORD dwNumber; };
    struct Case { Setting debug; Setting morvel; bool bOn; };
    const Case cases[] = {
        { { None }, { None }, false },
        { { Text, L"1" }, { None }, true },
        { { Number, nullptr, 1 }, { None }, true },
        { { Text, L" 1" }, { None }, false },
        { { Text, L"01" }, { None }, false },
        { { Text, L"1 " }, { None }, false },
        { { Number, nullptr, 0 }, { None }, false },
        { { Number, nullptr, 11 }, { None }, false },
        { { Expand, L"1" }, { None }, false },
        { { None }, { Text, L"1" }, true },
        { { None }, { Number, nullptr, 1 }, true },
        { { Text, L"1" }, { Text, L"0" }, true },
        { { Text, L"0" }, { Number, nullptr, 1 }, true },
        { { Text, L"0" }, { Text, L"0" }, false },
    };
    CTempFolder folder(L"tracelog");
    Switches switches;
    int nCase = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(nCase);
        CRegistryValueScope* scopes[] = { &switches.debug, &switches.morvel };
        const Setting* settings[] = { &c.debug, &c.morvel };
        for (int i = 0; i < 2; ++i) {
            switch (settings[i]->kind) {
            case None: scopes[i]->Remove(); break;
            case Text: scopes[i]->SetText(settings[i]->pszText); break;
            case Number: scopes[i]->SetNumber(settings[i]->dwNumber); break;
            case Expand: scopes[i]->SetText(settings[i]->pszText, REG_EXPAND_SZ); break;
            }
        }
        CString strLog;
        strLog.Format(L"case%d.txt", nCase++);
        CLogTrace log;
        log.Init(folder.File(strLog), kAllLevels, kTenMiB);
        log.Trace(4, L"%s", L"probe");
        // Off means not even an empty file appears.
        EXPECT_EQ(c.bOn, FileExists(folder.File(strLog)));
        if (c.bOn) {
            EXPECT_EQ(1u, Lines(ReadFileBytes(folder.File(strLog))).size());
            // A later Init with both switches off keeps it on.
            switches.debug.Remove();
            switches.morvel.Remove();
            log.Init(folder.File(strLog), kAllLevels, kTenMiB);
            log.Trace(4, L"%s", L"still on");
            EXPECT_EQ(2u, Lines(ReadFileBytes(folder.File(strLog))).size());
        }
    }
}

TEST_F(LogTraceOn, LinesCarryThreadTimeAndMessageInTheFixedFormat)
{
    __time64_t tBefore = _time64(nullptr);
    log.Trace(4, L"%s", L"hello world");
    HANDLE hThread = CreateThread(nullptr, 0, &TraceFromThread, &log, 0, nullptr);
    ASSERT_TRUE(hThread);
    DWORD dwSecondThread = GetThreadId(hThread);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
    __time64_t tAfter = _time64(nullptr);

    std::vector<std::string> lines = Lines(ReadFileBytes(strLog));
    ASSERT_EQ(2u, lines.size());
    const std::regex format(R"(TID:(\d{6,}) \[(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\.(\d{3})\]     (.*)\r\n)");
    const DWORD threads[] = { GetCurrentThreadId(), dwSecondThread };
    const char* messages[] = { "hello world", "from a second thread" };
    for (size_t i = 0; i < lines.size(); ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, format)) << lines[i];
        EXPECT_EQ(threads[i], std::stoul(match[1].str()));
        EXPECT_EQ(messages[i], match[4].str());
        // Time text and seconds-modulo-1000 come from one moment within the calls.
        bool bMatched = false;
        for (__time64_t t = tBefore; t <= tAfter && !bMatched; ++t)
            bMatched = match[2].str() == LocalTimeText(t) && std::stoi(match[3].str()) == static_cast<int>(t % 1000);
        EXPECT_TRUE(bMatched) << lines[i];
    }
}

TEST(LogTrace, LevelsOutsideTheMaskAndLevelZeroAreNotWritten)
{
    CTempFolder folder(L"tracelog");
    Switches switches;
    switches.morvel.SetText(L"1");
    struct Case { DWORD dwMask; DWORD dwLevel; bool bWritten; };
    const Case cases[] = {
        { kAllLevels, 0, false }, { kAllLevels, 4, true }, { kAllLevels, 0x80000000, true },
        { 0x4, 0, false },        { 0x4, 4, true },        { 0x4, 8, false },
        { 0x4, 0xC, true },       { 0, 4, false },
    };
    for (const Case& c : cases) {
        CLogTrace log;
        log.Init(folder.File(L"levels.txt"), c.dwMask, kTenMiB);
        DeleteFileW(folder.File(L"levels.txt"));
        log.Trace(c.dwLevel, L"level %u", c.dwLevel);
        EXPECT_EQ(c.bWritten, FileExists(folder.File(L"levels.txt"))) << "mask " << c.dwMask << " level " << c.dwLevel;
    }
}

TEST(LogTrace, MessagesAreDataCutTo1023Characters)
{
    CTempFolder folder(L"tracelog");
    Switches switches;
    switches.debug.SetNumber(1);
    CLogTrace log;
    log.Init(folder.File(L"log.txt"), kAllLevels, kTenMiB);

    CString strLong;
    for (int i = 0; i < 5000; ++i)
        strLong += static_cast<wchar_t>(L'0' + i % 10);
    log.Trace(4, L"%s", strLong.GetString());
    log.Trace(4, L"%s|%s", strLong.Left(1000).GetString(), strLong.GetString());
    log.Trace(4, L"%s", L"100% of %s and %d%n");
    log.Trace(4, L"%d%% done", 50);
    log.Trace(4, L"%s", L"");

    std::vector<std::string> lines = Lines(ReadFileBytes(folder.File(L"log.txt")));
    ASSERT_EQ(5u, lines.size());
    std::string strDigits = strLong.ToAnsi();
    EXPECT_EQ(strDigits.substr(0, 1023), Message(lines[0]));
    EXPECT_EQ(strDigits.substr(0, 1000) + "|" + strDigits.substr(0, 22), Message(lines[1]));
    EXPECT_EQ("100% of %s and %d%n", Message(lines[2]));
    EXPECT_EQ("50% done", Message(lines[3]));
    EXPECT_EQ("", Message(lines[4]));
}

TEST_F(LogTraceOn, TextIsWrittenInTheAnsiCodePage)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "expected bytes are those of code page 1252, this system uses " << GetACP();
    log.Trace(4, L"%s", L"caf\u00E9 \u20AC \u4E2D");
    std::vector<std::string> lines = Lines(ReadFileBytes(strLog));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("caf\xE9 \x80 ?", Message(lines[0]));
}

TEST_F(LogTraceOn, FileLargerThanTheLimitIsEmptiedBeforeTheNextLine)
{
    MakeFileOfSize(strLog, 10485760);
    log.Trace(4, L"%s", L"appended");
    std::string strFile = ReadFileBytes(strLog);
    ASSERT_GT(strFile.size(), 10485760u);
    EXPECT_EQ(std::string(10485760, 'x'), strFile.substr(0, 10485760));
    EXPECT_EQ("appended", Message(strFile.substr(10485760)));

    MakeFileOfSize(strLog, 10485761);
    log.Trace(4, L"%s", L"first after emptying");
    log.Trace(4, L"%s", L"second");
    std::vector<std::string> lines = Lines(ReadFileBytes(strLog));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("first after emptying", Message(lines[0]));
    EXPECT_EQ("second", Message(lines[1]));
}

TEST_F(LogTraceOn, OthersMayHoldTheFileWhileLinesAreWritten)
{
    // A reader-writer that shares everything: lines land at the end, between its own writes.
    HANDLE hShared = CreateFileW(strLog, GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hShared);
    log.Trace(4, L"%s", L"one");
    DWORD cb = 0;
    SetFilePointer(hShared, 0, nullptr, FILE_END);
    WriteFile(hShared, "other\r\n", 7, &cb, nullptr);
    log.Trace(4, L"%s", L"two");
    std::string strSeen(256, '\0');
    SetFilePointer(hShared, 0, nullptr, FILE_BEGIN);
    ReadFile(hShared, &strSeen[0], static_cast<DWORD>(strSeen.size()), &cb, nullptr);
    strSeen.resize(cb);
    CloseHandle(hShared);
    std::vector<std::string> lines = Lines(strSeen);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("one", Message(lines[0]));
    EXPECT_EQ("other\r\n", lines[1]);
    EXPECT_EQ("two", Message(lines[2]));

    // No handle is kept between lines: the file can be deleted and starts anew.
    EXPECT_TRUE(DeleteFileW(strLog));
    log.Trace(4, L"%s", L"three");
    lines = Lines(ReadFileBytes(strLog));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("three", Message(lines[0]));

    // A holder that denies writing makes the line drop, silently.
    HANDLE hExclusive = CreateFileW(strLog, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hExclusive);
    log.Trace(4, L"%s", L"dropped");
    CloseHandle(hExclusive);
    log.Trace(4, L"%s", L"four");
    lines = Lines(ReadFileBytes(strLog));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("four", Message(lines[1]));

    // A file in a folder that does not exist: nothing is written, nothing fails.
    CLogTrace lost;
    lost.Init(folder.File(L"missing\\log.txt"), kAllLevels, kTenMiB);
    lost.Trace(4, L"%s", L"nowhere");
    EXPECT_FALSE(FileExists(folder.File(L"missing\\log.txt")));
}
