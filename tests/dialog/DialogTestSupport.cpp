#include "DialogTestSupport.h"
#include <chrono>
#include <string>
#include <thread>
#include <gtest/gtest.h>
#include "support/ChannelsNear.h"
#include "support/HostLikeEnvironment.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "support/TopDownDib.h"

const wchar_t kDialogSection[] = L"CommonWindow\\TestDlg";

namespace {

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostLikeEnvironment);

std::string XmlAttr(const CString& str)
{
    return ToUtf8(XmlAttribute(str));
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
    WriteFileBytes(strFile, bytes);
}

} // namespace

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
    CString strFile = Path() + pszFile;
    WriteFileBytes(strFile, xml);
    return strFile;
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
    BITMAPINFO info = TopDownDibInfo(nWidth, nHeight);
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
    return ChannelsNear(a, b, nTolerance, 3);
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
