// Painting cost of the windowless list: a list of 10 items and one of 100,000
// items are drawn into the same visible area many times. Only the visible
// rows are drawn, so both should cost about the same per draw.
#include <windows.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>
#include "controls/CKdWindowLessList.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"

using namespace Gdiplus::DllExports;

namespace {

const int kListWidth = 400, kListHeight = 300;
const int kDraws = 40; // each draw makes a font per item, which Wine makes slowly

CLSID PngEncoder()
{
    UINT nCount = 0, cbSize = 0;
    GdipGetImageEncodersSize(&nCount, &cbSize);
    std::string buffer(cbSize, '\0');
    auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(&buffer[0]);
    GdipGetImageEncoders(nCount, cbSize, pCodecs);
    for (UINT i = 0; i < nCount; ++i)
        if (wcscmp(pCodecs[i].MimeType, L"image/png") == 0)
            return pCodecs[i].Clsid;
    return CLSID();
}

void WritePng(const std::wstring& strFile, int nWidth, int nHeight, Gdiplus::ARGB color)
{
    Gdip::Bitmap bitmap(nWidth, nHeight);
    {
        Gdip::Graphics graphics(&bitmap);
        graphics.FillRectangle(Gdip::SolidBrush(color), 0, 0, nWidth, nHeight);
    }
    CLSID clsid = PngEncoder();
    GdipSaveImageToFile(bitmap.Native(), strFile.c_str(), &clsid, nullptr);
}

// A skin with backgrounds, icons and names, as the panel's list has them.
std::wstring WriteSkin(const std::wstring& strFolder)
{
    std::filesystem::create_directories(strFolder + L"Default");
    WritePng(strFolder + L"Default\\item.png", 4 * 80, 90, 0xFFC0C0C0);
    WritePng(strFolder + L"Default\\back.png", 40, 30, 0xFFFFFFFF);
    WritePng(strFolder + L"icon.png", 32, 32, 0xFF3366CC);
    const char* pszXml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Skin><CommonWindow><BenchList><WindowInfo>\n"
        "<Item ItemID=\"ListItemSpec\" Data=\"80;90;10;10\"/>\n"
        "<Item ItemID=\"BackBmp\" Data=\"back.png\"/>\n"
        "<Item ItemID=\"ItemBmp\" Data=\"item.png\"/>\n"
        "<Item ItemID=\"ItemIconPos\" Data=\"24,8\"/>\n"
        "<Item ItemID=\"ItemStringRect\" Data=\"0,50,80,30\"/>\n"
        "<Item ItemID=\"FontName\" Data=\"DejaVu Sans\"/>\n"
        "<Item ItemID=\"FontSize\" Data=\"12\"/>\n"
        "</WindowInfo></BenchList></CommonWindow></Skin>\n";
    std::wstring strSkin = strFolder + L"Skin.xml";
    FILE* pFile = _wfopen(strSkin.c_str(), L"wb");
    if (pFile) {
        fputs(pszXml, pFile);
        fclose(pFile);
    }
    return strSkin;
}

void Fill(CKdWindowLessList& list, const std::wstring& strSkin, const std::wstring& strIcon, int nItems)
{
    list.LoadSkin(strSkin.c_str(), L"CommonWindow\\BenchList", L"", L"Default");
    for (int i = 0; i < nItems; ++i) {
        wchar_t szId[16];
        swprintf(szId, 16, L"%d", i);
        list.AddItem(szId, L"Tool name", L"", strIcon.c_str());
    }
    list.m_nWidth = kListWidth;
    list.m_nHeight = kListHeight;
}

// Microseconds per draw, after one warm-up draw that loads the icons.
double TimePerDraw(CKdWindowLessList& list)
{
    Gdip::Bitmap target(kListWidth, kListHeight);
    Gdip::Graphics graphics(&target);
    list.Draw(POINT{0, 0}, &graphics);
    LARGE_INTEGER freq, start, stop;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kDraws; ++i)
        list.Draw(POINT{0, 0}, &graphics);
    QueryPerformanceCounter(&stop);
    return 1e6 * static_cast<double>(stop.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart) / kDraws;
}

} // namespace

int main()
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    xercesc::XMLPlatformUtils::Initialize();

    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    std::wstring strFolder = std::wstring(szTemp) + L"bench_list_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    std::wstring strSkin = WriteSkin(strFolder);
    std::wstring strIcon = strFolder + L"icon.png";

    double usSmall, usLargeTop, usLargeMiddle;
    {
        CKdWindowLessList small;
        Fill(small, strSkin, strIcon, 10);
        usSmall = TimePerDraw(small);
    }
    {
        CKdWindowLessList large;
        Fill(large, strSkin, strIcon, 100000);
        usLargeTop = TimePerDraw(large);
        large.m_nOffsetY = -(100000 / 4 / 2) * 100 - 37; // scrolled to the middle
        usLargeMiddle = TimePerDraw(large);
    }
    printf("list draw, %d x %d visible, %d draws each\n", kListWidth, kListHeight, kDraws);
    printf("  10 items:                 %10.1f us per draw\n", usSmall);
    printf("  100000 items, top:        %10.1f us per draw  (ratio %.2f)\n", usLargeTop, usLargeTop / usSmall);
    printf("  100000 items, scrolled:   %10.1f us per draw  (ratio %.2f)\n", usLargeMiddle, usLargeMiddle / usSmall);

    std::error_code ec;
    std::filesystem::remove_all(strFolder, ec);
    xercesc::XMLPlatformUtils::Terminate();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
