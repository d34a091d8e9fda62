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
