// Panel tests that act as a keyboard user and as a screen reader. COM is
// initialised on the test's thread, which plays the host's user-interface
// thread, as screen readers need; keys are posted to the window with the
// keyboard focus and reach the panel through the host's loop and
// DllPreTranslateMessage, as typed keys do.
#pragma once
#include "PanelAccessible.h"
#include "PanelFixture.h"

class AccessFixture : public PanelFixture
{
protected:
    AccessFixture();
    ~AccessFixture() override;

    // A key press and release; with bShift, Shift is held in the thread's
    // keyboard state (posted messages do not change it) while the loop runs.
    void PressKey(UINT nKey, bool bShift = false);
    // One WM_CHAR per character, as typing sends them after translation.
    void Type(const wchar_t* pszText);
    // The child id of the grid's focus item as the panel's object reports it
    // (CHILDID_SELF without one), or -1 when the focus is elsewhere.
    LONG FocusedChild() const;

private:
    HRESULT m_hrCom;
};
