// Strings, containers, value types and handle owners.
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>

TEST(Values, StringOperations)
{
    CString s;
    s.Format(L"%s=%d;%s", L"Wärme", 42, L"\u4e2d");
    EXPECT_STREQ(L"Wärme=42;\u4e2d", s.GetString()) << "%s takes wide text";

    CString path(L"Config\\Default\\icon.png");
    EXPECT_EQ(6, path.Find(L'\\'));
    EXPECT_EQ(14, path.Find(L'\\', 7));
    EXPECT_EQ(-1, path.Find(L"gif"));
    EXPECT_EQ(14, path.ReverseFind(L'\\'));
    EXPECT_STREQ(L"Default", path.Mid(7, 7).GetString());
    EXPECT_STREQ(L"icon.png", path.Mid(15).GetString());
    EXPECT_STREQ(L"", path.Mid(100).GetString());

    CString text(L"a b  c");
    EXPECT_EQ(3, text.Remove(L' '));
    EXPECT_STREQ(L"abc", text.GetString());
    CString repl(L"x--y--z");
    EXPECT_EQ(2, repl.Replace(L"--", L"+"));
    EXPECT_STREQ(L"x+y+z", repl.GetString());
    EXPECT_EQ(0, repl.Replace(L"", L"?"));

    struct { const wchar_t* a; const wchar_t* b; int sign; } compares[] = {
        { L"CLOSE", L"close", 0 }, { L"IdOk", L"IDOK", 0 }, { L"a", L"B", -1 }, { L"b", L"A", 1 }, { L"", L"", 0 },
    };
    for (const auto& c : compares) {
        int r = CString(c.a).CompareNoCase(c.b);
        EXPECT_EQ(c.sign, (r > 0) - (r < 0)) << CString(c.a).ToAnsi() << " vs " << CString(c.b).ToAnsi();
    }

    // Through the ANSI code page and back.
    CString original(L"Trace \u00e4\u00f6\u00fc 12:00");
    std::string ansi = original.ToAnsi();
    EXPECT_EQ(static_cast<size_t>(original.GetLength()), ansi.size());
    EXPECT_STREQ(original.GetString(), CString(ansi.c_str()).GetString());
}

TEST(Values, ArrayGrowthKeepsOwnedHandles)
{
    CArray<CFontOwner> fonts;
    std::vector<HFONT> handles;
    for (int i = 0; i < 40; ++i) {
        HFONT h = ::CreateFontW(-(8 + i), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        ASSERT_NE(nullptr, h);
        handles.push_back(h);
        fonts.Add(CFontOwner(h));
    }
    ASSERT_EQ(40, fonts.GetSize());
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(handles[static_cast<size_t>(i)], fonts[i].Get());
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(fonts[i]));
    }

    fonts.RemoveAt(0, 2);
    EXPECT_EQ(0u, ::GetObjectType(handles[0])) << "removed owners delete their fonts";
    EXPECT_EQ(0u, ::GetObjectType(handles[1]));
    EXPECT_EQ(handles[2], fonts[0].Get());
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(handles[2]));

    fonts.RemoveAll();
    for (HFONT h : handles)
        EXPECT_EQ(0u, ::GetObjectType(h));

    // Adding an element of the array itself while the array grows.
    CArray<CString> names;
    names.Add(L"first");
    while (names.GetSize() < names.GetCapacity())
        names.Add(L"filler");
    names.Add(names[0]);
    EXPECT_STREQ(L"first", names[names.GetUpperBound()].GetString());
}

TEST(Values, HandleOwnersReleaseOnce)
{
    wchar_t szDir[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szDir);
    ::GetTempFileNameW(szDir, L"mfo", 0, szFile);
    auto openExclusive = [&] {
        return ::CreateFileW(szFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    {
        CArray<CFileOwner> files;
        files.Add(CFileOwner(openExclusive()));
        ASSERT_TRUE(files[0].IsValid());
        CFileOwner second(openExclusive());
        EXPECT_FALSE(second.IsValid()) << "the first handle is still open";
    }
    CFileOwner reopened(openExclusive());
    EXPECT_TRUE(reopened.IsValid()) << "the array's owner closed the file";
    reopened.Close();
    ::DeleteFileW(szFile);

    CRegKeyOwner key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyW(HKEY_CURRENT_USER, L"Software", key.Receive()));
    EXPECT_TRUE(key.IsValid());
    CRegKeyOwner moved(std::move(key));
    EXPECT_FALSE(key.IsValid());
    DWORD nSubKeys = 0;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryInfoKeyW(moved, nullptr, nullptr, nullptr, &nSubKeys, nullptr, nullptr,
                                                nullptr, nullptr, nullptr, nullptr, nullptr));

    // Icons and cursors are destroyed with their owners, each by its own function.
    BYTE andMask[32], xorMask[32];
    memset(andMask, 0xFF, sizeof(andMask));
    memset(xorMask, 0, sizeof(xorMask));
    HICON hIcon = ::CreateIcon(nullptr, 16, 16, 1, 1, andMask, xorMask);
    HCURSOR hCursor = ::CreateCursor(nullptr, 0, 0, 16, 16, andMask, xorMask);
    ICONINFO info;
    {
        CIconOwner icon(hIcon);
        CCursorOwner cursor(hCursor);
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
    }
    EXPECT_FALSE(::GetIconInfo(hIcon, &info));
    EXPECT_FALSE(::GetIconInfo(hCursor, &info));

    HDC hScreen = ::GetDC(nullptr);
    CMemoryDC memDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_NE(nullptr, memDC.GetSafeHdc());
    CBitmapOwner bitmap(::CreateCompatibleBitmap(memDC, 4, 4));
    HGDIOBJ hDefault = ::GetCurrentObject(memDC, OBJ_BITMAP);
    {
        CScopedSelect select(memDC, bitmap);
        EXPECT_EQ(bitmap.Get(), ::GetCurrentObject(memDC, OBJ_BITMAP));
    }
    EXPECT_EQ(hDefault, ::GetCurrentObject(memDC, OBJ_BITMAP));
}

TEST(Values, RectPointSize)
{
    CRect rc(10, 20, 110, 70);
    EXPECT_EQ(100, rc.Width());
    EXPECT_EQ(50, rc.Height());
    EXPECT_TRUE(rc.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rc.PtInRect(CPoint(110, 20))) << "right edge is outside";
    rc.OffsetRect(5, -5);
    EXPECT_EQ(CRect(15, 15, 115, 65), rc);
    rc.DeflateRect(5, 10);
    EXPECT_EQ(CRect(20, 25, 110, 55), rc);
    rc.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(19, 23, 113, 59), rc);
    EXPECT_EQ(CSize(94, 36), rc.Size());
    LPRECT pRaw = rc;
    EXPECT_EQ(19, pRaw->left);
    CPoint pt(CPoint(MAKELPARAM(-4, 9)));
    EXPECT_EQ(CPoint(-4, 9), pt);
    EXPECT_EQ(CSize(3, -1), CPoint(5, 5) - CPoint(2, 6));
}
