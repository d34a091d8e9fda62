// Modeless dialogs from a template resource: initialisation, and Enter and
// Escape turned into IDOK and IDCANCEL by the dialog's pre-translation.
#include "FrameworkTestSupport.h"
#include "FrameworkTestIds.h"
#include <gtest/gtest.h>

namespace {

class CTestDialog : public CDialog
{
public:
    CTestDialog() : CDialog(IDD_FRAMEWORK_TEST) {}

    int m_nInit = 0;
    bool m_bLabelAtInit = false;
    BOOL m_bBaseInitResult = FALSE;
    int m_nOK = 0;
    int m_nCancel = 0;

    BOOL OnInitDialog() override
    {
        ++m_nInit;
        m_bLabelAtInit = GetDlgItem(IDC_FRAMEWORK_LABEL) != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this;
        m_bBaseInitResult = CDialog::OnInitDialog();
        // FALSE: no focus is set, so the dialog is never activated and no
        // window manager is waited for when it is hidden on the test display.
        return FALSE;
    }
    void OnOK() override
    {
        ++m_nOK;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++m_nCancel;
        CDialog::OnCancel();
    }
};

MSG KeyDown(HWND hWnd, WPARAM vk)
{
    MSG msg = { hWnd, WM_KEYDOWN, vk, 1, 0, { 0, 0 } };
    return msg;
}

} // namespace

TEST(Dialog, CreatedFromTemplateAndEndedByEnterAndEscape)
{
    CWinApp app;
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FRAMEWORK_TEST));
    EXPECT_EQ(1, dlg.m_nInit);
    EXPECT_TRUE(dlg.m_bLabelAtInit) << "controls exist and the object is linked when OnInitDialog runs";
    EXPECT_TRUE(dlg.m_bBaseInitResult);
    CString label;
    dlg.GetDlgItem(IDC_FRAMEWORK_LABEL)->GetWindowText(label);
    EXPECT_STREQ(L"Label", label.GetString());
    EXPECT_FALSE(dlg.IsWindowVisible()) << "the template has no WS_VISIBLE";
    EXPECT_TRUE(dlg.GetExStyle() & WS_EX_TOOLWINDOW);

    HWND hOK = ::GetDlgItem(dlg.m_hWnd, IDOK);
    ASSERT_NE(nullptr, hOK);
    dlg.ShowWindow(SW_SHOWNA);
    MSG enter = KeyDown(hOK, VK_RETURN);
    EXPECT_TRUE(dlg.PreTranslateMessage(&enter));
    EXPECT_EQ(1, dlg.m_nOK);
    EXPECT_EQ(0, dlg.m_nCancel);
    EXPECT_FALSE(dlg.IsWindowVisible()) << "EndDialog hides a modeless dialog";
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));

    // Escape offered through the application: from the button (no object) to the dialog.
    dlg.ShowWindow(SW_SHOWNA);
    MSG escape = KeyDown(hOK, VK_ESCAPE);
    EXPECT_TRUE(app.PreTranslateMessage(&escape));
    EXPECT_EQ(1, dlg.m_nCancel);
    EXPECT_FALSE(dlg.IsWindowVisible());

    // Messages other than input are not the dialog manager's.
    MSG timer = { dlg.m_hWnd, WM_TIMER, 1, 0, 0, { 0, 0 } };
    EXPECT_FALSE(dlg.PreTranslateMessage(&timer));

    HWND hDlg = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
}

TEST(Dialog, MissingTemplateCreatesNothing)
{
    CTestDialog dlg;
    EXPECT_FALSE(dlg.Create(4242));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(0, dlg.m_nInit);
}
