// Keyboard access to the tool grid of a CToolMgrDlg.
//
// The grid's keyboard focus is the panel window itself. Inside the grid one
// item, the focus item (the list's m_nFocus), is the one that Enter and Space
// start like a click; there is none after creation and after every refill.
// The first arrow, Home, End, Page Up or Page Down press puts it on the first
// fully visible item; later presses move it by one item in grid order (Left,
// Right), by one row in its column (Up, Down; staying put where that column
// has no item), to the first or last item (Home, End) or by as many rows as
// fit the list area (Page Up, Page Down). The grid then scrolls through its
// scroll bar until the focus item is fully visible.
//
// Type-ahead, as in the system's list views: characters typed less than a
// second apart form a prefix; the focus moves to the first item whose name
// starts with it, ignoring case, searching from the focus item while the
// prefix grows and from the item after it when a new prefix starts, wrapping
// at the end. While a prefix is being typed, Space belongs to it and starts
// nothing.
//
// Focus cues: the focus frame shows once a key has been used in the panel,
// and only while the grid has the keyboard focus. Tab and Shift+Tab go round
// the grid and the panel's visible, enabled WS_TABSTOP controls, grid first.
#pragma once
#include <windows.h>
#include "framework/CString.h"

class CToolMgrDlg;

class CToolGridKeyboard
{
public:
    explicit CToolGridKeyboard(CToolMgrDlg& panel);
    CToolGridKeyboard(const CToolGridKeyboard&) = delete;
    CToolGridKeyboard& operator=(const CToolGridKeyboard&) = delete;

    // The focus item, -1 for none.
    int FocusItem() const;
    // Makes nItem the focus item and raises EVENT_OBJECT_FOCUS for it when
    // it changes; with bReveal the grid first scrolls it fully into view.
    void SetFocusItem(int nItem, bool bReveal);
    // Starts the focus item's tool as a click does; false without one.
    bool StartFocusItem();

    // WM_GETDLGCODE: the dialog manager hands the grid arrows and
    // characters, and Enter while there is a focus item to start.
    UINT GetDlgCode(const MSG* pMsg) const;
    // A message on its way to the panel or one of its controls: a key
    // switches the focus cues on.
    void NoteMessage(const MSG& msg);
    // WM_KEYDOWN for the grid; false when the key is not one of the grid's.
    bool OnKeyDown(UINT nChar);
    // WM_CHAR for the grid: type-ahead.
    void OnChar(UINT nChar);
    // A mouse message before the grid sees it: a release or double click
    // over an item makes it the focus item, without scrolling.
    void OnMouseMessage(UINT nMsg, LPARAM lParam);
    // The grid gained (WM_SETFOCUS) or lost (WM_KILLFOCUS) the keyboard focus.
    void OnFocusChanged(bool bFocused);
    // The list was refilled: no focus item and no prefix.
    void OnRefilled();

    // Tab ring: the stop after (or before) hFrom, which is the panel, one of
    // its tab-stop controls, or anything else (taken as the panel).
    HWND NextTabStop(HWND hFrom, bool bPrevious) const;

private:
    int ItemCount() const;
    int FirstVisibleItem() const;
    int Step(int nFrom, UINT nKey) const;
    int RowsPerPage() const;
    void RevealItem(int nItem);
    int FindByPrefix(int nStart) const;
    bool PrefixActive(DWORD dwTime) const;
    void ShowCues(bool bFocused);
    bool IsTabStop(HWND hWnd) const;
    HWND ChildTabStop(HWND hFrom, UINT nDirection) const;
    void RequestRedraw() const;

    CToolMgrDlg& m_panel;
    bool m_bKeyboardUsed = false;
    CString m_strPrefix;
    DWORD m_dwLastChar = 0; // message time of the prefix's last character
};
