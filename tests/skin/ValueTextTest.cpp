// Value texts of the skin: numbers, colours, rectangles, pairs, token lists,
// text styles, and the module's file paths.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include "skin/ValueText.h"

namespace {

const int kUntouched = 777;

TEST(ValueText, NumbersDecimalHexAndUnreadable)
{
    struct Row { const wchar_t* pszText; int nResult; int nValue; } rows[] = {
        {L" 0x ff ", 1, 255},
        {L"0x1a", 1, 26},
        {L"-12", 1, -12},
        {L"+7", 1, 7},
        {L"0XFFFFFFFF", 1, -1},
        {L"0XFF000000", 1, static_cast<int>(0xFF000000u)},
        {L"0X", 1, 0},          // two characters: read as decimal "0"
        {L"12PX", 1, 12},       // longest valid beginning
        {L"1 2 3", 1, 123},     // spaces anywhere are removed
        {L"0 X 1 0", 1, 16},
        {L"FF", 1, kUntouched}, // no digit readable: reported, destination kept
        {L"ABC", 1, kUntouched},
        {L"\t", 1, kUntouched}, // only the space character is removed
        {L"", 0, kUntouched},
        {L"     ", 0, kUntouched},
    };
    for (const Row& row : rows) {
        int nValue = kUntouched;
        EXPECT_EQ(row.nResult, ParseNumber(row.pszText, nValue)) << "text '" << CString(row.pszText).ToAnsi() << "'";
        EXPECT_EQ(row.nValue, nValue) << "text '" << CString(row.pszText).ToAnsi() << "'";
    }
}

TEST(ValueText, ColourPairs)
{
    const DWORD kDefault1 = 0x11111111, kDefault2 = 0x22222222;
    struct Row { const wchar_t* pszText; DWORD clrFirst; DWORD clrSecond; } rows[] = {
        {L"0XFF0000FF", 0xFF0000FF, 0xFF0000FF},
        {L"0XFF0000FF;0XFFFF0000", 0xFF0000FF, 0xFFFF0000},
        {L";0XFFFF0000", kDefault1, 0xFFFF0000},
        {L"0XFF0000FF;", 0xFF0000FF, 0xFF0000FF},
        {L" 0X FF00FF00 ; 0X80000000 ", 0xFF00FF00, 0x80000000},
        {L"4278190080;255", 0xFF000000, 255}, // decimal works too
        {L"0X0000FF", 0x000000FF, 0x000000FF}, // no alpha is added
        {L"", kDefault1, kDefault1},
    };
    for (const Row& row : rows) {
        DWORD clrFirst = kDefault1, clrSecond = kDefault2;
        ParseColorPair(row.pszText, clrFirst, clrSecond);
        EXPECT_EQ(row.clrFirst, clrFirst) << CString(row.pszText).ToAnsi();
        EXPECT_EQ(row.clrSecond, clrSecond) << CString(row.pszText).ToAnsi();
    }
}

TEST(ValueText, TextStyles)
{
    struct Row { const wchar_t* pszText; int nStyle, nAlign, nLineAlign, nTrimming; } rows[] = {
        {L"1", 1, 1, 1, 1},
        {L"2;0;2;3", 2, 0, 2, 3},
        {L" 1 ; 2 ", 1, 2, 1, 1},
        {L"1;;0", 1, 1, 0, 1},
        {L";;;", 0, 1, 1, 1},
        {L"", 0, 1, 1, 1},
        {L"3;2;1;0;9", 3, 2, 1, 0}, // a fifth token is not read
    };
    for (const Row& row : rows) {
        int nStyle = 0, nAlign = 1, nLineAlign = 1, nTrimming = 1;
        ParseTextStyle(row.pszText, nStyle, nAlign, nLineAlign, nTrimming);
        EXPECT_EQ(row.nStyle, nStyle) << CString(row.pszText).ToAnsi();
        EXPECT_EQ(row.nAlign, nAlign) << CString(row.pszText).ToAnsi();
        EXPECT_EQ(row.nLineAlign, nLineAlign) << CString(row.pszText).ToAnsi();
        EXPECT_EQ(row.nTrimming, nTrimming) << CString(row.pszText).ToAnsi();
    }
}

TEST(ValueText, RectanglesAndPairs)
{
    struct RectRow { const wchar_t* pszText; RECT rcStart; RECT rcExpected; } rects[] = {
        {L"10, 20, 30, 40", {9, 9, 9, 9}, {10, 20, 40, 60}},
        {L"-5,-5,10,10", {9, 9, 9, 9}, {-5, -5, 5, 5}},
        {L"", {9, 9, 9, 9}, {0, 0, 0, 0}},
        {L"   ", {9, 9, 9, 9}, {0, 0, 0, 0}},
        // Hexadecimal is not read here: only left = 0 is scanned, the rest keep
        // the destination's values and x, y are still added.
        {L"0X10,0,5,5", {1, 2, 3, 4}, {0, 2, 3, 6}},
    };
    for (const RectRow& row : rects) {
        RECT rc = row.rcStart;
        ParseRectText(row.pszText, rc);
        EXPECT_TRUE(EqualRect(&row.rcExpected, &rc)) << CString(row.pszText).ToAnsi() << " gave " << rc.left << ","
                                                     << rc.top << "," << rc.right << "," << rc.bottom;
    }

    struct PairRow { const wchar_t* pszText; POINT ptExpected; } pairs[] = {
        {L" 3 , 4 ", {3, 4}},
        {L"-1,0X10", {-1, 0}},
        {L"", {0, 0}},
        {L"7", {7, 9}}, // the second number is missing: the destination keeps it
    };
    for (const PairRow& row : pairs) {
        POINT pt = {9, 9};
        ParsePairText(row.pszText, pt);
        EXPECT_EQ(row.ptExpected.x, pt.x) << CString(row.pszText).ToAnsi();
        EXPECT_EQ(row.ptExpected.y, pt.y) << CString(row.pszText).ToAnsi();
    }
}

TEST(ValueText, Tokens)
{
    struct Row { const wchar_t* pszText; const wchar_t* pszSep; int nIndex; const wchar_t* pszToken; } rows[] = {
        {L"a;;c", L";", 0, L"a"},  {L"a;;c", L";", 1, L""},  {L"a;;c", L";", 2, L"c"},
        {L"a;;c", L";", 3, L""},   {L"a;;c", L";", -1, L""}, {L"abc", L";", 0, L"abc"},
        {L"abc", L";", 1, L""},    {L";x", L";", 0, L""},    {L";x", L";", 1, L"x"},
        {L"", L";", 0, L""},       {L"a::b::c", L"::", 1, L"b"}, {L"a::b::c", L"::", 2, L"c"},
        {L"a;b", L"", 0, L"a;b"},  {L"a;b", L"", 1, L""},  // an empty separator never cuts
    };
    for (const Row& row : rows) {
        CString strToken = L"junk";
        GetToken(row.pszText, row.pszSep, row.nIndex, strToken);
        EXPECT_STREQ(row.pszToken, strToken.GetString())
            << CString(row.pszText).ToAnsi() << " #" << row.nIndex;
    }

    struct NextRow { const wchar_t* pszText; int nStart; const wchar_t* pszToken; int nResult; } next[] = {
        {L"A\\B\\", 0, L"A", 1}, {L"A\\B\\", 2, L"B", 3}, {L"A\\B\\", 4, L"", -1},
        {L"A\\B\\", -1, L"", -1}, {L"A\\B\\", 10, L"", -1}, {L"AB", 0, L"AB", -1},
        {L"AB", 1, L"B", -1},    {L"\\A", 0, L"", 0},
    };
    for (const NextRow& row : next) {
        CString strToken = L"junk";
        EXPECT_EQ(row.nResult, GetNextToken(row.pszText, L"\\", row.nStart, strToken))
            << CString(row.pszText).ToAnsi() << " from " << row.nStart;
        EXPECT_STREQ(row.pszToken, strToken.GetString()) << CString(row.pszText).ToAnsi() << " from " << row.nStart;
    }
}

TEST(ValueText, SplitFilePath)
{
    struct Row { const wchar_t* pszPath; const wchar_t* pszFolder; const wchar_t* pszFile; } rows[] = {
        {L"C:\\A\\B\\x.xml", L"C:\\A\\B\\", L"x.xml"},
        {L"C:\\A\\", L"C:\\A\\", L""},
        {L"\\x", L"\\", L"x"},
        {L"x.xml", L"", L"x.xml"}, // no folder part: the whole text is the file name
        {L"", L"", L""},
    };
    for (const Row& row : rows) {
        CString strFolder = L"junk", strFile = L"junk";
        CString strReturned = SplitFilePath(row.pszPath, &strFolder, &strFile);
        EXPECT_STREQ(row.pszFolder, strFolder.GetString()) << CString(row.pszPath).ToAnsi();
        EXPECT_STREQ(row.pszFile, strFile.GetString()) << CString(row.pszPath).ToAnsi();
        EXPECT_STREQ(row.pszFile, strReturned.GetString()) << CString(row.pszPath).ToAnsi();
        EXPECT_STREQ(row.pszFile, SplitFilePath(row.pszPath).GetString()); // no destinations given
    }
}

TEST(ValueText, ModulePaths)
{
    // The test program lives in the build's bin folder, beside Pellix.dll.
    CString strExeFolder;
    GetModuleDirectory(nullptr, strExeFolder);
    ASSERT_FALSE(strExeFolder.IsEmpty());
    EXPECT_EQ(L'\\', strExeFolder[strExeFolder.GetLength() - 1]);
    EXPECT_TRUE(PathFileExistsW(strExeFolder + L"test_skin.exe")) << strExeFolder.ToAnsi();

    HMODULE hPellix = LoadLibraryW(strExeFolder + L"Pellix.dll");
    ASSERT_NE(nullptr, hPellix);
    CString strDllFolder;
    GetModuleDirectory(hPellix, strDllFolder);
    FreeLibrary(hPellix);
    EXPECT_EQ(0, strDllFolder.CompareNoCase(strExeFolder)) << strDllFolder.ToAnsi();

    EXPECT_STREQ((strExeFolder + L"Config\\").GetString(), GetConfigDirectory(nullptr).GetString());
    EXPECT_STREQ((strExeFolder + L"Config\\Morvel_SCfg.xml").GetString(), GetSkinFilePath(nullptr).GetString());
    EXPECT_STREQ((strExeFolder + L"Config\\UILogTrace.txt").GetString(), GetLogFilePath(nullptr).GetString());

    // A handle that names no module gives an empty folder.
    CString strNone = L"junk";
    GetModuleDirectory(reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(0x10)), strNone);
    EXPECT_TRUE(strNone.IsEmpty()) << strNone.ToAnsi();
}

} // namespace
