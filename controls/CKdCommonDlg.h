// Base of the module's skinned dialogs. Its whole look comes from one section
// of the skin file, read through the second base CQmXMLParseBase: size, title,
// icon, font, tooltip, background (painted as an ordinary window, or as a
// layered window with per-pixel alpha and an overall opacity), a caption band
// that drags the window, and the skin's labels and bitmap buttons, which it
// creates and which the descriptions in m_arrDynamicItems own.
//
// A derived class calls InitSkinWindow from its OnInitDialog and adapts the
// base through the virtual hooks: LoadBackground, DrawBackground,
// OnDynamicItemCreated (each skin control once set up) and
// OnDynamicItemCommand (a command from a skin control, before the reserved
// actions of the IDs "CLOSE", "IDOK", "IDCANCEL", "IDYES", "IDNO", "MINIMIZE").
#pragma once
#include <memory>
#include "controls/GdipBitmap.h"
#include "controls/_CONTROL_FONT_INFO.h"
#include "framework/Afx.h"
#include "skin/CQmXMLParseBase.h"

class CKdCommonDlg : public CDialog, public CQmXMLParseBase
{
    DECLARE_DYNAMIC(CKdCommonDlg)
public:
    enum { IDD = 6000 };
    // Control identifier of the first skin control; description i gets this + i.
    static constexpr UINT kFirstSkinControlID = 0x100;

    CKdCommonDlg();
    ~CKdCommonDlg() override;

    // Reads the section(s) of the skin file, then sets up tooltip, font,
    // title, icon, size and background, and creates the skin's controls.
    void InitSkinWindow(const CString& strSkinFile, const CString& strSection, const CString& strSection2,
                        const CString& strSkinName);

    // Makes m_pBackBitmap ready ("BackBmp", or a face-coloured sheet) and, for
    // a layered window, shows the new look. Returns 1.
    virtual int LoadBackground();
    // Called once each skin control is set up (the control is in pItem->pControl).
    virtual int OnDynamicItemCreated(_XmlDynamicItem* pItem);
    // Called for a command from a skin control; 0 means fully handled, nonzero
    // lets the base run the reserved action of the control's ID. The base returns 1.
    virtual int OnDynamicItemCommand(_XmlDynamicItem* pItem);
    // Draws the "BackBmp" image (loaded anew) into pDC; 0 when it cannot be loaded.
    virtual int DrawBackground(CDC* pDC);

    // Rebuilds for a new DPI (WM_DPICHANGED): font, icon, size, background,
    // the skin controls' places and looks. Derived classes add their own parts.
    virtual void ApplyDpi(int nDpi);
    // The sheet ("SheetSize") in device pixels.
    SIZE GetSheetSize() const;

    // Set-up steps, callable again by derived classes.
    void ApplyWindowInfo();
    void CreateSkinFont();
    void SetFontToChildren();
    // A w x h face-coloured sheet in m_pBackBitmap (empty when it cannot be made).
    void FillFaceColor(int nWidth, int nHeight);
    // Shows the background through UpdateLayeredWindow with the opacity in
    // percent (limited to 0..100). 0 (and nothing changed) while minimised, else 1.
    int UpdateLayered(int nAlphaPercent);
    // Paints the background for WM_PAINT and WM_ERASEBKGND.
    void PaintBackground(CDC* pDC);
    // The system's face colour (COLOR_BTNFACE), opaque, as a GDI+ colour.
    static Gdiplus::ARGB FaceColor();
    // A 32-bit bottom-up DIB section of w x h (empty on failure).
    static CBitmapOwner CreateDib32(int nWidth, int nHeight);

    // Controls from the skin's descriptions, in document order.
    void CreateSkinControls();
    // Moves the existing skin controls to their places at the current DPI.
    void PlaceSkinControls();
    void CreateLabelControl(_XmlDynamicItem* pItem, UINT nID);
    void CreateButtonControl(_XmlDynamicItem* pItem, UINT nID);
    // Text style of a description, falling back field by field to the section's values.
    void ReadControlFont(const _XmlDynamicItem* pItem, _CONTROL_FONT_INFO& fontInfo) const;

    std::unique_ptr<Gdip::Bitmap> m_pBackBitmap;
    // Set at the first set-up from the window, then by ApplyDpi.
    bool m_bDpiKnown = false;
    CIconOwner m_hIcon;
    CFont m_font;
    CToolTipCtrl m_toolTip;

    // Relays the message to the tooltip (when it has a window), then the dialog's own translation.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    // void OnPaint()
    void OnPaint();
    // void OnLButtonDown(UINT nFlags, CPoint point)
    void OnLButtonDown(UINT nFlags, CPoint point);
    // BOOL OnEraseBkgnd(CDC* pDC)
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    void CreateToolTip();
    void ApplyIcon();
    void ApplySheetSize();
    void RegisterToolTip(_XmlDynamicItem* pItem);
    void LendBackgroundToControls();
    void RunReservedAction(const CString& strID);
    int WindowInfoDecimal(const wchar_t* pszKey) const;
    BOOL IsLayered() const;
    // UpdateLayeredWindow's overall opacity for an opacity in percent.
    static BYTE LayeredSourceAlpha(int nAlphaPercent);
};
