// A skinned dialog as a derived class uses the base: it sets itself up from
// a skin file in OnInitDialog and overrides the hooks, recording what reached
// them so that the tests can observe the base's calls.
#pragma once
#include <memory>
#include <vector>
#include "controls/CKdCommonDlg.h"

class TestSkinDlg : public CKdCommonDlg
{
public:
    // Identifiers with a command entry of their own in this class's map.
    static constexpr UINT kBelowSkinControlsID = 255;
    static constexpr UINT kPastSkinControlsID = 0x100 + 7;

    // dwAddStyle: style bits added before the skin is applied; bMinimise:
    // the window is minimised before the skin is applied.
    explicit TestSkinDlg(const CString& strSkinFile, DWORD dwAddStyle = 0, BOOL bMinimise = FALSE);

    // Creates the window from template 6000 (hidden, as the template says).
    BOOL CreateFromTemplate() { return Create(IDD); }

    int OnDynamicItemCreated(_XmlDynamicItem* pItem) override;
    int OnDynamicItemCommand(_XmlDynamicItem* pItem) override;
    int DrawBackground(CDC* pDC) override;
    void OnOK() override;
    void OnCancel() override;

    CString m_strSkinFile;
    DWORD m_dwAddStyle;
    BOOL m_bMinimise;
    int m_nCommandResult = 1;                  // what OnDynamicItemCommand answers
    std::vector<CString> m_created;            // IDs passed to OnDynamicItemCreated, in order
    std::vector<CWnd*> m_createdControls;      // their controls
    std::vector<CString> m_commands;           // IDs passed to OnDynamicItemCommand
    std::vector<CString> m_actions;            // "OnOK", "OnCancel", "255", "263"
    int m_nDrawBackground = 0;                 // calls of DrawBackground
    // The 32-bit bitmap selected into the DC of the last DrawBackground call,
    // after the base drew into it (0xAARRGGBB, top row first); empty when the
    // DC held no DIB section.
    std::vector<Gdiplus::ARGB> m_lastDrawn;
    int m_nLastDrawnWidth = 0;

protected:
    BOOL OnInitDialog() override;
    void OnBelowSkinControls();
    void OnPastSkinControls();

    DECLARE_MESSAGE_MAP()
};

// Creates the dialog's window and destroys it (then the object) on the way out.
class ScopedDialog
{
public:
    explicit ScopedDialog(const CString& strSkinFile, DWORD dwAddStyle = 0, BOOL bMinimise = FALSE);
    ~ScopedDialog();
    ScopedDialog(const ScopedDialog&) = delete;
    ScopedDialog& operator=(const ScopedDialog&) = delete;

    TestSkinDlg* operator->() const { return m_pDlg.get(); }
    TestSkinDlg& operator*() const { return *m_pDlg; }
    // Shows the window without activating it at (x, y) on the screen.
    void ShowAt(int x, int y) const;
    // The skin control with identifier 0x100 + nIndex.
    HWND Control(int nIndex) const;

private:
    std::unique_ptr<TestSkinDlg> m_pDlg;
};
