#include "PanelFixture.h"
#include <commctrl.h>
#include <string>
#include <utility>

namespace {

LPARAM PointParam(POINT pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

BOOL CALLBACK CollectToolTip(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(lParam);
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    if (_wcsicmp(szClass, TOOLTIPS_CLASSW) == 0 && GetWindow(hWnd, GW_OWNER) == pFound->first)
        pFound->second.push_back(hWnd);
    return TRUE;
}

TTTOOLINFOW PanelTool(HWND hPanel)
{
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hPanel;
    ti.uId = reinterpret_cast<UINT_PTR>(hPanel);
    ti.uFlags = TTF_IDISHWND;
    return ti;
}

} // namespace

HWND PanelFixture::OpenPanel()
{
    m_skin.Write();
    if (!m_host.Load())
        return nullptr;
    HWND hPanel = m_host.Enter();
    EXPECT_TRUE(IsWindow(hPanel)) << "QmUIFunEnter gave no panel";
    if (!IsWindow(hPanel))
        return nullptr;
    m_host.ShowPanel();
    return hPanel;
}

void PanelFixture::MoveMouse(POINT pt)
{
    m_host.PostToPanel(WM_MOUSEMOVE, 0, PointParam(pt));
}

void PanelFixture::Click(POINT pt)
{
    PostMessageW(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt));
    PostMessageW(Panel(), WM_LBUTTONUP, 0, PointParam(pt));
    m_host.PumpUntilIdle();
}

SCROLLINFO PanelFixture::ScrollInfo() const
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(Panel(), SB_VERT, &si);
    return si;
}

std::vector<HWND> PanelFixture::PanelToolTips() const
{
    std::pair<HWND, std::vector<HWND>> found(Panel(), {});
    EnumWindows(CollectToolTip, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

HWND PanelFixture::ListToolTip() const
{
    for (HWND hToolTip : PanelToolTips()) {
        TTTOOLINFOW ti = PanelTool(Panel());
        if (SendMessageW(hToolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)))
            return hToolTip;
    }
    return nullptr;
}

CString PanelFixture::ToolTipText(HWND hToolTip) const
{
    wchar_t szText[512] = {};
    TTTOOLINFOW ti = PanelTool(Panel());
    ti.lpszText = szText;
    SendMessageW(hToolTip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&ti));
    return szText;
}

void PanelFixture::SwitchLogging(bool bOn)
{
    m_pDebugSwitch.reset();
    m_pFlagSwitch.reset();
    m_pDebugSwitch.reset(new CRegistryValueScope(L"SOFTWARE\\brelwick\\Quenda3.0", L"Debug", bOn ? L"1" : nullptr));
    m_pFlagSwitch.reset(new CRegistryValueScope(L"SOFTWARE", L"MorvelDebugFlag", nullptr));
}

std::vector<CString> PanelFixture::LogMessages(const ModuleHost& host)
{
    // Each line is "TID:<thread> [<time>.<nnn>]     <message>" in the ANSI code page.
    CString strLog(ReadFileBytes(host.ConfigFile(L"UILogTrace.txt")).c_str());
    std::vector<CString> messages;
    int nStart = 0;
    for (int nEnd = strLog.Find(L"\r\n"); nEnd >= 0; nStart = nEnd + 2, nEnd = strLog.Find(L"\r\n", nStart)) {
        CString strLine = strLog.Mid(nStart, nEnd - nStart);
        int nMessage = strLine.Find(L"]     ");
        bool bPrefixed = strLine.Left(4) == L"TID:" && nMessage > 0;
        messages.push_back(bPrefixed ? strLine.Mid(nMessage + 6) : L"unexpected line: " + strLine);
    }
    if (nStart < strLog.GetLength())
        messages.push_back(L"unterminated line: " + strLog.Mid(nStart));
    return messages;
}
