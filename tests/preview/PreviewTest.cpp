// The live preview as an author uses it: the host runs with --watch-skin on
// a copy of the default skin and saves a screenshot after every load; a
// colour changed in the skin (its background image saved anew while the
// panel shows it) appears in the next screenshot.
#include <windows.h>
#include <gdiplus.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gtest/gtest.h>
#include "support/CChildProcess.h"
#include "support/CTempFolder.h"
#include "support/ChannelsNear.h"
#include "support/HostLikeEnvironment.h"
#include "support/PngWriter.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostLikeEnvironment);

const int kSheetW = 360, kSheetH = 480; // the default skin's sheet
const POINT kBackgroundPoint = {5, 200}; // left of the list area, clear of every control
const wchar_t* const kHostFiles[] = {L"TavrinHost.exe", L"Tavrin.dll", L"Pellix.dll"};

// The colour of a pixel of a PNG file, read without keeping the file open;
// false when the file is missing or not (yet) a whole image.
bool PngPixel(const CString& strFile, POINT pt, Gdiplus::ARGB& argb)
{
    std::string strBytes = ReadFileBytes(strFile);
    if (strBytes.empty())
        return false;
    IStream* pStream = SHCreateMemStream(reinterpret_cast<const BYTE*>(strBytes.data()), static_cast<UINT>(strBytes.size()));
    if (!pStream)
        return false;
    Gdiplus::GpBitmap* pBitmap = nullptr;
    bool bRead = Gdiplus::DllExports::GdipCreateBitmapFromStream(pStream, &pBitmap) == Gdiplus::Ok &&
                 Gdiplus::DllExports::GdipBitmapGetPixel(pBitmap, pt.x, pt.y, &argb) == Gdiplus::Ok;
    if (pBitmap)
        Gdiplus::DllExports::GdipDisposeImage(pBitmap);
    pStream->Release();
    return bRead;
}

// Waits (bounded) until the screenshot shows the colour at the point.
bool ScreenshotShows(const CString& strShot, Gdiplus::ARGB expected, DWORD nTimeoutMs = 40000)
{
    for (DWORD nStart = GetTickCount(); GetTickCount() - nStart < nTimeoutMs; Sleep(200)) {
        Gdiplus::ARGB argb = 0;
        if (PngPixel(strShot, kBackgroundPoint, argb) && ChannelsNear(argb, expected, 4, 3))
            return true;
    }
    return false;
}

TEST(PreviewTest, ChangedSkinColourAppearsInTheNextScreenshot)
{
    CTempFolder app(L"tavrin preview app");
    for (const wchar_t* pszFile : kHostFiles)
        ASSERT_TRUE(CopyFileW(ProgramFolder() + pszFile, app.File(pszFile), FALSE)) << ToUtf8(pszFile);
    CTempFolder author(L"tavrin preview skin");
    CString strSkin = author.Path() + L"Config\\";
    CopyFolderTree(ProgramFolder() + L"Config\\", strSkin);
    CString strBack = strSkin + L"Default\\ToolMgrBack.png";
    WriteSolidPng(strBack, kSheetW, kSheetH, 0xFF2040C0);
    CString strShot = author.File(L"panel.png");

    CChildProcess host;
    ASSERT_TRUE(host.Start(L"\"" + app.File(L"TavrinHost.exe") + L"\" --watch-skin \"" + strSkin.Left(strSkin.GetLength() - 1) +
                               L"\" --screenshot \"" + strShot + L"\"",
                           app.Path(), false));
    EXPECT_TRUE(ScreenshotShows(strShot, 0xFF2040C0)) << "the first screenshot does not show the skin";

    // Saved aside and moved into place, as editors save.
    WriteSolidPng(strBack + L".new.png", kSheetW, kSheetH, 0xFFC04020);
    ASSERT_TRUE(MoveFileExW(strBack + L".new.png", strBack, MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(ScreenshotShows(strShot, 0xFFC04020)) << "the screenshot does not follow the changed colour";
    host.Stop();
}

} // namespace
