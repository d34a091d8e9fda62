// One of the panel's accessible objects as a screen reader obtains it
// (AccessibleObjectFromWindow, OBJID_CLIENT unless another object is asked
// for), with its answers turned into plain values. Needs COM on the calling
// thread.
#pragma once
#include <windows.h>
#include <oleacc.h>
#include <ostream>
#include <gtest/gtest.h>
#include "framework/CString.h"

class PanelAccessible
{
public:
    // What a navigation, hit test or focus query gives: nothing, a child id of
    // the panel's object (CHILDID_SELF for the object itself), or an object
    // of its own, named by the window that WindowFromAccessibleObject finds.
    struct Target
    {
        enum Kind { kNone, kId, kObject } kind = kNone;
        LONG nId = 0;
        HWND hWnd = nullptr;
        static Target Id(LONG nId) { return {kId, nId, nullptr}; }
        static Target Object(HWND hWnd) { return {kObject, 0, hWnd}; }
        bool operator==(const Target& other) const
        {
            return kind == other.kind && nId == other.nId && hWnd == other.hWnd;
        }
    };

    explicit PanelAccessible(HWND hPanel, LONG nObjectId = OBJID_CLIENT);
    ~PanelAccessible();
    PanelAccessible(const PanelAccessible&) = delete;
    PanelAccessible& operator=(const PanelAccessible&) = delete;

    IAccessible* Get() const { return m_pAccessible; }
    HRESULT Result() const { return m_hr; } // of AccessibleObjectFromWindow

    LONG ChildCount() const;
    CString Name(LONG nId) const;
    CString Description(LONG nId) const;
    CString Value(LONG nId) const;
    CString DefaultAction(LONG nId) const;
    LONG Role(LONG nId) const;
    LONG State(LONG nId) const;
    RECT Location(LONG nId) const; // screen coordinates
    Target Focus() const;
    Target HitTest(POINT ptScreen) const;
    Target Navigate(LONG nDirection, LONG nStartId) const;
    // The child's own object (get_accChild), as a target.
    Target Child(LONG nId) const;

    // Turns a result VARIANT into a target and clears it.
    static Target ToTarget(VARIANT& var);

private:
    IAccessible* m_pAccessible = nullptr;
    HRESULT m_hr = E_FAIL;
};

std::ostream& operator<<(std::ostream& os, const PanelAccessible::Target& target);

// The name of a window's own accessible object (OBJID_CLIENT), as screen
// readers read a control's name.
CString WindowAccessibleName(HWND hWnd);

// Passes when the rectangles are equal; the message shows both.
testing::AssertionResult RectIs(const RECT& actual, const RECT& expected);
