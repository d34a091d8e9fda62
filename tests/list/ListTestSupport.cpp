#include "ListTestSupport.h"
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include <xercesc/util/PlatformUtils.hpp>
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"

using namespace Gdiplus::DllExports;

namespace {

// The host starts GDI+ and the XML library before the module draws or reads
// a skin; the test program does the same once.
class HostEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
        xercesc::XMLPlatformUtils::Initialize();
    }
    void TearDown() override
    {
        xercesc::XMLPlatformUtils::Terminate();
        Gdiplus::GdiplusShutdown(m_token);
    }

private:
    ULONG_PTR m_token = 0;
};

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostEnvironment);

CLSID PngEncoder()
{
    UINT nCount = 0, cbSize = 0;
    GdipGetImageEncodersSize(&nCount, &cbSize);
    std::unique_ptr<BYTE[]> buffer(new BYTE[cbSize]);
    auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    GdipGetImageEncoders(nCount, cbSize, pCodecs);
    for (UINT i = 0; i < nCount; ++i)
        if (wcscmp(pCodecs[i].MimeType, L"image/png") == 0)
            return pCodecs[i].Clsid;
    ADD_FAILURE() << "no PNG encoder";
    return CLSID();
}

void SavePng(Gdip::Bitmap& bitmap, const CString& strFile)
{
    static const CLSID clsid = PngEncoder();
    ASSERT_EQ(Gdiplus::Ok, GdipSaveImageToFile(bitmap.Native(), strFile, &clsid, nullptr));
}

std::string ToUtf8(const CString& str)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, str, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(cb), '\0');
    WideCharToMultiByte(CP_UTF8, 0, str, -1, &out[0], cb, nullptr, nullptr);
    out.resize(static_cast<size_t>(cb - 1));
    return out;
}

std::string XmlAttr(const CString& str)
{
    std::string out;
    for (char ch : ToUtf8(str)) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        default: out += ch;
        }
    }
    return out;
}

} // namespace

const wchar_t kListSection[] = L"CommonWindow\\TestList";

TempFolder::TempFolder()
{
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    static int s_nSerial = 0;
    m_strPath.Format(L"%slisttest_%lu_%d\\", szTemp, GetCurrentProcessId(), ++s_nSerial);
    std::filesystem::create_directories((m_strPath + L"Default").Std());
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_strPath.Std(), ec);
}

CString WriteListSkin(const TempFolder& folder, const SkinEntries& entries)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Skin>\n <CommonWindow>\n  <TestList>\n"
                      "   <WindowInfo>\n";
    for (const auto& entry : entries)
        xml += "    <Item ItemID=\"" + XmlAttr(entry.first) + "\" Data=\"" + XmlAttr(entry.second) + "\"/>\n";
    xml += "   </WindowInfo>\n  </TestList>\n </CommonWindow>\n</Skin>\n";

    CString strFile = folder.File(L"Skin.xml");
    FILE* pFile = _wfopen(strFile, L"wb");
    EXPECT_NE(nullptr, pFile);
    if (pFile) {
        fwrite(xml.data(), 1, xml.size(), pFile);
        fclose(pFile);
    }
    return strFile;
}

void WriteSolidPng(const CString& strFile, int nWidth, int nHeight, Gdiplus::ARGB color)
{
    Gdip::Bitmap bitmap(nWidth, nHeight);
    {
        Gdip::Graphics graphics(&bitmap);
        graphics.FillRectangle(Gdip::SolidBrush(color), 0, 0, nWidth, nHeight);
    }
    SavePng(bitmap, strFile);
}

void WriteStripPng(const CString& strFile, int nFrameWidth, int nHeight, const Gdiplus::ARGB (&colors)[4])
{
    Gdip::Bitmap bitmap(nFrameWidth * 4, nHeight);
    {
        Gdip::Graphics graphics(&bitmap);
        for (int f = 0; f < 4; ++f)
            graphics.FillRectangle(Gdip::SolidBrush(colors[f]), f * nFrameWidth, 0, nFrameWidth, nHeight);
    }
    SavePng(bitmap, strFile);
}

Gdiplus::ARGB PixelAt(const Gdip::Bitmap& bitmap, int x, int y)
{
    Gdiplus::ARGB argb = 0;
    EXPECT_EQ(Gdiplus::Ok, bitmap.GetPixel(x, y, argb)) << "pixel " << x << "," << y;
    return argb;
}

bool ColorNear(Gdiplus::ARGB a, Gdiplus::ARGB b)
{
    const int nTolerance = 8;
    for (int shift = 0; shift < 32; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        if (ca - cb > nTolerance || cb - ca > nTolerance)
            return false;
    }
    return true;
}
