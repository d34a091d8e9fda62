#include "DialogTestSupport.h"
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <gtest/gtest.h>
#include <xercesc/util/PlatformUtils.hpp>
#include "controls/GdipBitmap.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"

using namespace Gdiplus::DllExports;

const wchar_t kDialogSection[] = L"CommonWindow\\TestDlg";

namespace {

// The host starts GDI+ and the XML library before the module's dialogs read
// their skin or draw; the test program does the same once.
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
        if (ch == '&')
            out += "&amp;";
        else if (ch == '<')
            out += "&lt;";
        else if (ch == '"')
            out += "&quot;";
        else
            out += ch;
    }
    return out;
}

void WriteBytes(const CString& strFile, const std::string& bytes)
{
    FILE* pFile = _wfopen(strFile, L"wb");
    ASSERT_NE(nullptr, pFile) << ToUtf8(strFile);
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

CLSID PngEncoder()
{
    UINT nCount = 0;
    UINT cbSize = 0;
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

template <class T>
void Append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// An .ico or .cur file with one 16 x 16 32-bit image of one colour.
void WriteIconResourceFile(const CString& strFile, WORD wType, COLORREF color)
{
    const int nSize = 16;
    const DWORD cbPixels = nSize * nSize * 4;
    const DWORD cbMask = nSize * 4; // 16 mask bits per row, padded to 32
    std::string bytes;
    Append<WORD>(bytes, 0);
    Append<WORD>(bytes, wType);
    Append<WORD>(bytes, 1);
    Append<BYTE>(bytes, nSize);
    Append<BYTE>(bytes, nSize);
    Append<BYTE>(bytes, 0);
    Append<BYTE>(bytes, 0);
    Append<WORD>(bytes, wType == 1 ? 1 : 0);  // icon: planes; cursor: hot spot x
    Append<WORD>(bytes, wType == 1 ? 32 : 0); // icon: bit count; cursor: hot spot y
    Append<DWORD>(bytes, sizeof(BITMAPINFOHEADER) + cbPixels + cbMask);
    Append<DWORD>(bytes, 22);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = nSize;
    header.biHeight = nSize * 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biSizeImage = cbPixels + cbMask;
    Append(bytes, header);
    DWORD pixel = 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < nSize * nSize; ++i)
        Append(bytes, pixel);
    bytes.append(cbMask, '\0');
    WriteBytes(strFile, bytes);
}

} // namespace

SkinFolder::SkinFolder()
{
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    static int s_nSerial = 0;
    m_strPath.Format(L"%sdialogtest_%lu_%d\\", szTemp, GetCurrentProcessId(), ++s_nSerial);
    std::filesystem::create_directories((m_strPath + L"Default").Std());
}

SkinFolder::~SkinFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_strPath.Std(), ec);
}

CString SkinFolder::WriteSkin(const wchar_t* pszFile, const Attributes& windowInfo,
                              const std::vector<Attributes>& controls) const
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Skin>\n <CommonWindow>\n  <TestDlg>\n"
                      "   <WindowInfo>\n";
    for (const auto& entry : windowInfo)
        xml += "    <Item ItemID=\"" + XmlAttr(entry.first) + "\" Data=\"" + XmlAttr(entry.second) + "\"/>\n";
    xml += "   </WindowInfo>\n   <DynamicInfo>\n";
    for (const Attributes& control : controls) {
        xml += "    <Control";
        for (const auto& attr : control)
            xml += " " + ToUtf8(attr.first) + "=\"" + XmlAttr(attr.second) + "\"";
        xml += "/>\n";
    }
    xml += "   </DynamicInfo>\n  </TestDlg>\n </CommonWindow>\n</Skin>\n";
    CString strFile = m_strPath + pszFile;
    WriteBytes(strFile, xml);
    return strFile;
}

void WritePng(const CString& strFile, int nWidth, int nHeight, const std::vector<ColorRect>& rects)
{
    Gdip::Bitmap bitmap(nWidth, nHeight);
    for (const ColorRect& part : rects)
        for (int y = part.rc.top; y < part.rc.bottom; ++y)
            for (int x = part.rc.left; x < part.rc.right; ++x)
                GdipBitmapSetPixel(bitmap.NativeBitmap(), x, y, part.color);
    static const CLSID clsid = PngEncoder();
    ASSERT_EQ(Gdiplus::Ok, GdipSaveImageToFile(bitmap.Native(), strFile, &clsid, nullptr));
}

void WriteIconFile(const CString& strFile, COLORREF color)
{
    WriteIconResourceFile(strFile, 1, color);
}

void WriteCursorFile(const CString& strFile, COLORREF color)
{
    WriteIconResourceFile(strFile, 2, color);
}

Canvas::Canvas(int nWidth, int nHeight, Gdiplus::ARGB clear) : m_nWidth(nWidth), m_nHeight(nHeight)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<Gdiplus::ARGB*>(pBits);
    m_hdc = CreateCompatibleDC(nullptr);
    m_hOld = SelectObject(m_hdc, m_hBitmap);
    for (int i = 0; m_pBits && i < nWidth * nHeight; ++i)
        m_pBits[i] = clear;
}

Canvas::~Canvas()
{
    SelectObject(m_hdc, m_hOld);
    DeleteDC(m_hdc);
    DeleteObject(m_hBitmap);
}

Gdiplus::ARGB Canvas::At(int x, int y) const
{
    GdiFlush();
    if (!m_pBits || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) {
        ADD_FAILURE() << "pixel " << x << "," << y << " outside the canvas";
        return 0;
    }
    return m_pBits[y * m_nWidth + x];
}

void Canvas::Paint(HWND hWnd, UINT nMessage)
{
    SendMessageW(hWnd, nMessage, reinterpret_cast<WPARAM>(m_hdc), nMessage == WM_PRINTCLIENT ? PRF_CLIENT : 0);
}

bool RgbNear(Gdiplus::ARGB a, Gdiplus::ARGB b, int nTolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        if (ca - cb > nTolerance || cb - ca > nTolerance)
            return false;
    }
    return true;
}

Gdiplus::ARGB OpaqueArgb(COLORREF color)
{
    return 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

Gdiplus::ARGB ScreenPixel(int x, int y)
{
    HDC hdc = GetDC(nullptr);
    COLORREF color = GetPixel(hdc, x, y);
    ReleaseDC(nullptr, hdc);
    return OpaqueArgb(color);
}

void PumpMessages()
{
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool PumpUntil(const std::function<bool()>& condition)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        PumpMessages();
    }
    return true;
}
