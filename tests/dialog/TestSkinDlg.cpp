#include "TestSkinDlg.h"
#include <gtest/gtest.h>
#include "DialogTestSupport.h"

BEGIN_MESSAGE_MAP(TestSkinDlg, CKdCommonDlg)
    ON_COMMAND(TestSkinDlg::kBelowSkinControlsID, &TestSkinDlg::OnBelowSkinControls)
    ON_COMMAND(TestSkinDlg::kPastSkinControlsID, &TestSkinDlg::OnPastSkinControls)
END_MESSAGE_MAP()

TestSkinDlg::TestSkinDlg(const CString& strSkinFile, DWORD dwAddStyle, BOOL bMinimise)
    : m_strSkinFile(strSkinFile), m_dwAddStyle(dwAddStyle), m_bMinimise(bMinimise)
{
}

BOOL TestSkinDlg::OnInitDialog()
{
    CKdCommonDlg::OnInitDialog();
    if (m_dwAddStyle)
        ModifyStyle(0, m_dwAddStyle, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_bMinimise)
        ShowWindow(SW_SHOWMINNOACTIVE);
    InitSkinWindow(m_strSkinFile, kDialogSection, L"", L"Default");
    return TRUE;
}

int TestSkinDlg::OnDynamicItemCreated(_XmlDynamicItem* pItem)
{
    m_created.push_back(pItem->strID);
    m_createdControls.push_back(pItem->pControl);
    return 1;
}

int TestSkinDlg::OnDynamicItemCommand(_XmlDynamicItem* pItem)
{
    m_commands.push_back(pItem->strID);
    return m_nCommandResult;
}

int TestSkinDlg::DrawBackground(CDC* pDC)
{
    ++m_nDrawBackground;
    int nResult = CKdCommonDlg::DrawBackground(pDC);
    m_lastDrawn.clear();
    DIBSECTION dib = {};
    HGDIOBJ hBitmap = GetCurrentObject(pDC->GetSafeHdc(), OBJ_BITMAP);
    if (GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 32) {
        GdiFlush();
        // The DIB is bottom-up: its first row in memory is the picture's last.
        int w = dib.dsBm.bmWidth;
        int h = dib.dsBm.bmHeight;
        const auto* pBits = static_cast<const Gdiplus::ARGB*>(dib.dsBm.bmBits);
        for (int y = h - 1; y >= 0; --y)
            m_lastDrawn.insert(m_lastDrawn.end(), pBits + y * w, pBits + (y + 1) * w);
        m_nLastDrawnWidth = w;
    }
    return nResult;
}

void TestSkinDlg::OnOK()
{
    m_actions.push_back(L"OnOK");
    CKdCommonDlg::OnOK();
}

void TestSkinDlg::OnCancel()
{
    m_actions.push_back(L"OnCancel");
    CKdCommonDlg::OnCancel();
}

void TestSkinDlg::OnBelowSkinControls()
{
    m_actions.push_back(L"255");
}

void TestSkinDlg::OnPastSkinControls()
{
    m_actions.push_back(L"263");
}

ScopedDialog::ScopedDialog(const CString& strSkinFile, DWORD dwAddStyle, BOOL bMinimise)
    : m_pDlg(new TestSkinDlg(strSkinFile, dwAddStyle, bMinimise))
{
    EXPECT_TRUE(m_pDlg->CreateFromTemplate());
}

ScopedDialog::~ScopedDialog()
{
    if (m_pDlg->GetSafeHwnd())
        m_pDlg->DestroyWindow();
}

void ScopedDialog::ShowAt(int x, int y) const
{
    m_pDlg->SetWindowPos(&CWnd::wndTop, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpMessages();
}

HWND ScopedDialog::Control(int nIndex) const
{
    return GetDlgItem(m_pDlg->GetSafeHwnd(), 0x100 + nIndex);
}
