// Icons shared by path: one decoded image per path, the fallback for files
// that do not exist, loads tried again after a failure, and the bound on the
// number of decoded images. Icons are told apart by their widths.
#include <cstdio>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "controls/CIconCache.h"

namespace {

UINT WidthOf(Gdip::Image* pImage)
{
    return pImage ? pImage->Width() : 0;
}

} // namespace

TEST(IconCache, SharesByPathFallsBackForMissingFilesAndRetriesFailedLoads)
{
    CTempFolder folder{L"iconcache"};
    WriteSolidPng(folder.File(L"a.png"), 4, 4, 0xFFFF0000);
    WriteSolidPng(folder.File(L"b.png"), 6, 6, 0xFF0000FF);
    WriteSolidPng(folder.File(L"default.png"), 8, 8, 0xFF00FF00);

    CIconCache cache;
    int a1 = cache.AddPath(folder.File(L"a.png"));
    int a2 = cache.AddPath(folder.File(L"a.png"));
    int b = cache.AddPath(folder.File(L"b.png"));
    int missing = cache.AddPath(folder.File(L"missing.png"));
    EXPECT_EQ(a1, a2);
    EXPECT_NE(a1, b);
    EXPECT_EQ(nullptr, cache.PeekImage(a1)); // nothing decoded before it is asked for

    // Without a fallback a missing file gives no image; its load is tried
    // again, so a file that appears later is shown.
    EXPECT_EQ(nullptr, cache.GetImage(missing));
    WriteSolidPng(folder.File(L"missing.png"), 10, 10, 0xFF000000);
    EXPECT_EQ(10u, WidthOf(cache.GetImage(missing)));

    Gdip::Image* pA = cache.GetImage(a1);
    EXPECT_EQ(4u, WidthOf(pA));
    EXPECT_EQ(pA, cache.GetImage(a2));
    EXPECT_EQ(6u, WidthOf(cache.GetImage(b)));
    EXPECT_EQ(3, cache.GetDecodedCount());

    // With a fallback, what does not exist at its first request shows the fallback from then on.
    cache.Clear();
    cache.SetFallbackPath(folder.File(L"default.png"));
    struct Row
    {
        const wchar_t* pszFile;
        bool bCreateLater;
        UINT nWidth;
    } rows[] = {
        {L"a.png", false, 4},
        {L"gone.png", false, 8},
        {L"", false, 8},
        {L"late.png", true, 8}, // missing at the first request
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << CString(row.pszFile).ToAnsi());
        int nSlot = cache.AddPath(*row.pszFile ? folder.File(row.pszFile) : CString());
        EXPECT_EQ(row.nWidth, WidthOf(cache.GetImage(nSlot)));
        if (row.bCreateLater)
            WriteSolidPng(folder.File(row.pszFile), 12, 12, 0xFF000000);
        EXPECT_EQ(row.nWidth, WidthOf(cache.GetImage(nSlot)));
    }

    // A file that exists but cannot be decoded is tried again at each request.
    std::FILE* pFile = _wfopen(folder.File(L"broken.png"), L"wb");
    ASSERT_NE(nullptr, pFile);
    std::fputs("not an image", pFile);
    std::fclose(pFile);
    int broken = cache.AddPath(folder.File(L"broken.png"));
    EXPECT_EQ(nullptr, cache.GetImage(broken));
    WriteSolidPng(folder.File(L"broken.png"), 14, 14, 0xFF000000);
    EXPECT_EQ(14u, WidthOf(cache.GetImage(broken)));
}

TEST(IconCache, KeepsABoundedNumberOfDecodedImages)
{
    CTempFolder folder{L"iconcache"};
    const int nFiles = CIconCache::kMaxDecoded + 20;
    CIconCache cache;
    std::vector<int> slots;
    for (int i = 0; i < nFiles; ++i) {
        CString strFile = folder.File((L"icon" + std::to_wstring(i) + L".png").c_str());
        WriteSolidPng(strFile, 1 + i % 16, 2, 0xFF000000);
        slots.push_back(cache.AddPath(strFile));
    }
    for (int i = 0; i < nFiles; ++i)
        EXPECT_EQ(static_cast<UINT>(1 + i % 16), WidthOf(cache.GetImage(slots[i]))) << i;
    EXPECT_EQ(CIconCache::kMaxDecoded, cache.GetDecodedCount());
    // The least recently asked for went first; the latest are still decoded.
    EXPECT_EQ(nullptr, cache.PeekImage(slots[0]));
    EXPECT_NE(nullptr, cache.PeekImage(slots[nFiles - 1]));
    // An evicted icon is decoded again when asked for.
    EXPECT_EQ(1u, WidthOf(cache.GetImage(slots[0])));
}
