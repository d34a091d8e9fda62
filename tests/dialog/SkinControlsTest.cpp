// Controls that the skinned dialog creates from its skin's descriptions:
// classes, identifiers, styles, text styles with their fallbacks, tooltips,
// the creation hook, and restyling on a second set-up.
#include <gtest/gtest.h>
#include "DialogTestSupport.h"
#include "TestSkinDlg.h"
#include "controls/CKdBmpButtonRegin.h"
#include "controls/CLabel.h"

namespace {

CString ClassName(HWND hWnd)
{
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    return szClass;
}

CRect ChildRect(HWND hParent, HWND hChild)
{
    CRect rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

CString ToolText(HWND hToolTip, HWND hTool)
{
    wchar_t szText[128] = {};
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = GetParent(hTool);
    ti.uId = reinterpret_cast<UINT_PTR>(hTool);
    ti.lpszText = szText;
    SendMessageW(hToolTip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    return szText;
}

} // namespace

TEST(SkinControls, EachDescriptionTakesAnIdentifierByIndex)
{
    SkinFolder folder;
    CString strSkin = folder.WriteSkin(
        L"types.xml", {{L"SheetSize", L"300,200"}},
        {{{L"ID", L"Caption"}, {L"ControlType", L"1"}, {L"Pos", L"10,20,100,30"}, {L"ControlStyle", L"0X00000001"}},
         {{L"ID", L"Nothing"}, {L"ControlType", L"3"}, {L"Pos", L"0,0,10,10"}},
         {{L"ID", L"Untyped"}, {L"Pos", L"0,0,10,10"}},
         {{L"ID", L"Push"}, {L"ControlType", L"2"}, {L"Pos", L"120,20,80,30"}, {L"Name", L"Go"}},
         {{L"ID", L"Round"}, {L"ControlType", L"4"}, {L"Pos", L"210,20,40,40"}}});
    ScopedDialog dlg(strSkin);
    ASSERT_EQ(5, dlg->m_arrDynamicItems.GetSize());

    HWND hLabel = dlg.Control(0);
    ASSERT_NE(nullptr, hLabel);
    EXPECT_STREQ(L"Static", ClassName(hLabel));
    DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(hLabel, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTER),
              dwStyle & (WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTER));
    EXPECT_EQ(CRect(10, 20, 110, 50), ChildRect(dlg->m_hWnd, hLabel));
    EXPECT_EQ(0, GetWindowTextLengthW(hLabel)); // a label draws its text itself

    EXPECT_EQ(nullptr, dlg.Control(1));
    EXPECT_EQ(nullptr, dlg.Control(2));
    EXPECT_EQ(nullptr, dlg->m_arrDynamicItems[1].pControl);
    EXPECT_EQ(nullptr, dlg->m_arrDynamicItems[2].pControl);

    HWND hPush = dlg.Control(3);
    ASSERT_NE(nullptr, hPush);
    EXPECT_STREQ(L"Button", ClassName(hPush));
    EXPECT_EQ(static_cast<LONG>(BS_OWNERDRAW), GetWindowLongW(hPush, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(CRect(120, 20, 200, 50), ChildRect(dlg->m_hWnd, hPush));
    wchar_t szText[16] = {};
    GetWindowTextW(hPush, szText, 16);
    EXPECT_STREQ(L"Go", szText);

    // The objects behind the windows, owned by their descriptions.
    CWnd* pLabel = dlg->m_arrDynamicItems[0].pControl;
    CWnd* pPush = dlg->m_arrDynamicItems[3].pControl;
    CWnd* pRound = dlg->m_arrDynamicItems[4].pControl;
    ASSERT_TRUE(pLabel && pPush && pRound);
    EXPECT_EQ(hLabel, pLabel->m_hWnd);
    EXPECT_STREQ("CLabel", pLabel->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CKdBmpButton", pPush->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, dynamic_cast<CKdBmpButtonRegin*>(pPush));
    EXPECT_NE(nullptr, dynamic_cast<CKdBmpButtonRegin*>(pRound));
    EXPECT_TRUE(pRound->IsKindOf(RUNTIME_CLASS(CKdBmpButton)));
    EXPECT_STREQ("CKdBmpButton", pRound->GetRuntimeClass()->m_lpszClassName);

    // The hook saw each control once it was set up, in document order.
    ASSERT_EQ(3u, dlg->m_created.size());
    EXPECT_STREQ(L"Caption", dlg->m_created[0]);
    EXPECT_STREQ(L"Push", dlg->m_created[1]);
    EXPECT_STREQ(L"Round", dlg->m_created[2]);
    EXPECT_EQ(pLabel, dlg->m_createdControls[0]);
    EXPECT_EQ(pRound, dlg->m_createdControls[2]);
}

TEST(SkinControls, EveryStyleBitButPopupReachesTheChildControl)
{
    // A skin asking for every style bit still gets controls that are children
    // of the dialog: WS_POPUP is the one bit dropped.
    SkinFolder folder;
    CString strSkin = folder.WriteSkin(
        L"popup.xml", {{L"SheetSize", L"300,200"}},
        {{{L"ID", L"Label"}, {L"ControlType", L"1"}, {L"Pos", L"10,20,100,30"}, {L"ControlStyle", L"0XFFFFFFFF"}},
         {{L"ID", L"Push"}, {L"ControlType", L"2"}, {L"Pos", L"120,20,80,30"}, {L"ControlStyle", L"0X80000000"}}});
    ScopedDialog dlg(strSkin);
    for (int i = 0; i < 2; ++i) {
        HWND hControl = dlg.Control(i);
        ASSERT_NE(nullptr, hControl) << i;
        LONG nStyle = GetWindowLongW(hControl, GWL_STYLE);
        EXPECT_EQ(WS_CHILD, nStyle & (WS_CHILD | WS_POPUP)) << i;
        EXPECT_EQ(dlg->m_hWnd, GetParent(hControl)) << i;
    }
    EXPECT_TRUE(GetWindowLongW(dlg.Control(0), GWL_STYLE) & WS_DISABLED); // the other bits stay
}

TEST(SkinControls, RunTimeClassesOfTheControls)
{
    EXPECT_STREQ("CLabel", RUNTIME_CLASS(CLabel)->m_lpszClassName);
    CObject* pObject = RUNTIME_CLASS(CLabel)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CStatic)));
    delete pObject;
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CKdBmpButton)->CreateObject());
    EXPECT_TRUE(RUNTIME_CLASS(CKdBmpButton)->IsDerivedFrom(RUNTIME_CLASS(CButton)));
}

TEST(SkinControls, TextStyleFallsBackFieldByField)
{
    SkinFolder folder;
    struct Case
    {
        Attributes control;
        const wchar_t* pszName;
        int nSize;
        DWORD clrText;
        DWORD clrDisabled;
        int nStyle, nAlign, nLineAlign, nTrimming;
    };
    // The section gives FontSize 14, FontName "Section Face", FontColor and FontFormat.
    const Case cases[] = {
        {{}, L"Section Face", 14, 0xFF112233, 0xFF445566, 2, 0, 2, 3},
        {{{L"FontSize", L"9"}, {L"FontName", L"Own Face"}}, L"Own Face", 9, 0xFF112233, 0xFF445566, 2, 0, 2, 3},
        {{{L"FontColor", L"0XFF0000FF"}}, L"Section Face", 14, 0xFF0000FF, 0xFF0000FF, 2, 0, 2, 3},
        {{{L"FontColor", L" 0XFF0000FF ; 0X80FF0000 "}}, L"Section Face", 14, 0xFF0000FF, 0x80FF0000, 2, 0, 2, 3},
        {{{L"FontColor", L";0XFFFF0000"}}, L"Section Face", 14, 0, 0xFFFF0000, 2, 0, 2, 3},
        {{{L"FontColor", L"0X0000FF"}}, L"Section Face", 14, 0x000000FF, 0x000000FF, 2, 0, 2, 3},
        {{{L"FontFormat", L"1"}}, L"Section Face", 14, 0xFF112233, 0xFF445566, 1, 1, 1, 1},
        {{{L"FontFormat", L" 4 ; ; 0 ; 5"}}, L"Section Face", 14, 0xFF112233, 0xFF445566, 4, 1, 0, 5},
    };
    std::vector<Attributes> controls;
    for (const Case& c : cases) {
        Attributes control = {{L"ControlType", L"2"}, {L"Pos", L"0,0,20,20"}};
        control.insert(control.end(), c.control.begin(), c.control.end());
        control.push_back({L"ID", CString(L"C") + CString(static_cast<wchar_t>(L'a' + controls.size()))});
        controls.push_back(control);
    }
    ScopedDialog dlg(folder.WriteSkin(L"fonts.xml",
                                      {{L"SheetSize", L"100,60"}, {L"FontSize", L"14"}, {L"FontName", L"Section Face"},
                                       {L"FontColor", L"0XFF112233;0XFF445566"}, {L"FontFormat", L"2;0;2;3"}},
                                      controls));
    ASSERT_EQ(static_cast<int>(std::size(cases)), dlg->m_arrDynamicItems.GetSize());
    for (int i = 0; i < dlg->m_arrDynamicItems.GetSize(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        _CONTROL_FONT_INFO info;
        dlg->ReadControlFont(&dlg->m_arrDynamicItems[i], info);
        EXPECT_STREQ(c.pszName, info.strFontName);
        EXPECT_EQ(c.nSize, info.nFontSize);
        EXPECT_EQ(c.clrText, info.clrText);
        EXPECT_EQ(c.clrDisabled, info.clrTextDisabled);
        EXPECT_EQ(c.nStyle, info.nFontStyle);
        EXPECT_EQ(c.nAlign, info.nAlign);
        EXPECT_EQ(c.nLineAlign, info.nLineAlign);
        EXPECT_EQ(c.nTrimming, info.nTrimming);
    }
}

TEST(SkinControls, SectionValuesInTheirOwnForms)
{
    // "0X10" is 16 for a control's size (number rule) but gives the dialog's
    // own font no height (plain decimal); without FontFormat or FontColor the
    // defaults stay.
    SkinFolder folder;
    ScopedDialog dlg(folder.WriteSkin(L"hex.xml", {{L"SheetSize", L"100,60"}, {L"FontSize", L"0X10"}},
                                      {{{L"ID", L"A"}, {L"ControlType", L"1"}, {L"Pos", L"0,0,20,20"}}}));
    _CONTROL_FONT_INFO info;
    dlg->ReadControlFont(&dlg->m_arrDynamicItems[0], info);
    EXPECT_EQ(16, info.nFontSize);
    EXPECT_TRUE(info.strFontName.IsEmpty());
    EXPECT_EQ(0u, info.clrText);
    EXPECT_EQ(0u, info.clrTextDisabled);
    EXPECT_EQ(0, info.nFontStyle);
    EXPECT_EQ(1, info.nAlign);
    EXPECT_EQ(1, info.nLineAlign);
    EXPECT_EQ(1, info.nTrimming);
    LOGFONTW lf = {};
    GetObjectW(dlg->m_font.GetSafeHandle(), sizeof(lf), &lf);
    EXPECT_EQ(0, lf.lfHeight);
}

TEST(SkinControls, TooltipsOnlyWithTheDialogsTooltipWindow)
{
    SkinFolder folder;
    std::vector<Attributes> controls = {
        {{L"ID", L"L"}, {L"ControlType", L"1"}, {L"Pos", L"0,0,40,20"}, {L"ToolTip", L"Label tip"}},
        {{L"ID", L"B"}, {L"ControlType", L"2"}, {L"Pos", L"50,0,40,20"}, {L"ToolTip", L"Button tip"}},
        {{L"ID", L"N"}, {L"ControlType", L"2"}, {L"Pos", L"0,30,40,20"}},
    };
    {
        ScopedDialog dlg(folder.WriteSkin(L"tips.xml", {{L"SheetSize", L"100,60"}, {L"ShowToolTip", L"1"},
                                                         {L"ToolTipWidth", L"250"}}, controls));
        HWND hTip = dlg->m_toolTip.GetSafeHwnd();
        ASSERT_NE(nullptr, hTip);
        EXPECT_EQ(dlg->m_hWnd, GetWindow(hTip, GW_OWNER));
        EXPECT_EQ(250, SendMessageW(hTip, TTM_GETMAXTIPWIDTH, 0, 0));
        ASSERT_EQ(2, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < 2; ++i) {
            TOOLINFOW ti = {};
            ti.cbSize = TTTOOLINFOW_V2_SIZE;
            ASSERT_TRUE(SendMessageW(hTip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&ti)));
            EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
            EXPECT_EQ(reinterpret_cast<UINT_PTR>(dlg.Control(i)), ti.uId);
        }
        EXPECT_STREQ(L"Label tip", ToolText(hTip, dlg.Control(0)));
        EXPECT_STREQ(L"Button tip", ToolText(hTip, dlg.Control(1)));

        // Mouse messages that the dialog pre-translates reach the tooltip,
        // which then shows the tip of the tool under the pointer.
        dlg.ShowAt(400, 400);
        SetActiveWindow(dlg->m_hWnd); // without TTS_ALWAYSTIP tips show for the active window
        PumpMessages();
        POINT pt = {20, 10};
        ClientToScreen(dlg.Control(1), &pt);
        SetCursorPos(pt.x, pt.y);
        MSG msg = {dlg.Control(1), WM_MOUSEMOVE, 0, MAKELPARAM(20, 10), static_cast<DWORD>(GetMessageTime()), pt};
        EXPECT_FALSE(IsWindowVisible(hTip));
        dlg->PreTranslateMessage(&msg); // one move, then the pointer rests
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(hTip) != FALSE; }));
        SetCursorPos(1270, 1010);
    }
    {
        ScopedDialog dlg(folder.WriteSkin(L"notips.xml", {{L"SheetSize", L"100,60"}, {L"ToolTipWidth", L"250"}},
                                          controls));
        EXPECT_EQ(nullptr, dlg->m_toolTip.GetSafeHwnd());
        ASSERT_NE(nullptr, dlg.Control(1)); // the controls exist all the same
    }
}

TEST(SkinControls, SecondSetUpRestylesTheSameControls)
{
    SkinFolder folder;
    CString strFirst = folder.WriteSkin(L"first.xml", {{L"SheetSize", L"100,60"}},
                                        {{{L"ID", L"Btn"}, {L"ControlType", L"2"}, {L"Pos", L"0,0,40,20"}, {L"Name", L"One"}},
                                         {{L"ID", L"Lbl"}, {L"ControlType", L"1"}, {L"Pos", L"0,30,40,20"}}});
    CString strSecond = folder.WriteSkin(L"second.xml", {{L"SheetSize", L"100,60"}},
                                         {{{L"ID", L"btn"}, {L"ControlType", L"2"}, {L"Pos", L"50,0,40,20"}, {L"Name", L"Two"}},
                                          {{L"ID", L"New"}, {L"ControlType", L"2"}, {L"Pos", L"50,30,40,20"}}});
    ScopedDialog dlg(strFirst);
    CWnd* pButton = dlg->m_arrDynamicItems[0].pControl;
    HWND hButton = dlg.Control(0);
    dlg->InitSkinWindow(strSecond, kDialogSection, L"", L"Default");

    ASSERT_EQ(3, dlg->m_arrDynamicItems.GetSize());
    EXPECT_EQ(pButton, dlg->m_arrDynamicItems[0].pControl);
    EXPECT_EQ(hButton, dlg.Control(0));
    wchar_t szText[16] = {};
    GetWindowTextW(hButton, szText, 16);
    EXPECT_STREQ(L"Two", szText);
    // The position is the creation's; a later description only restyles.
    EXPECT_EQ(CRect(0, 0, 40, 20), ChildRect(dlg->m_hWnd, hButton));
    ASSERT_NE(nullptr, dlg.Control(2));
    int nChildren = 0;
    for (HWND h = GetWindow(dlg->m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        ++nChildren;
    EXPECT_EQ(3, nChildren);
    // Every set-up announces every control again.
    ASSERT_EQ(5u, dlg->m_created.size());
    EXPECT_STREQ(L"btn", dlg->m_created[2]);
    EXPECT_STREQ(L"New", dlg->m_created[4]);
}

TEST(SkinControls, SecondSetUpReplacesOrRemovesTooltips)
{
    SkinFolder folder;
    const Attributes info = {{L"SheetSize", L"100,60"}, {L"ShowToolTip", L"1"}};
    CString strFirst = folder.WriteSkin(L"tips1.xml", info,
                                        {{{L"ID", L"A"}, {L"ControlType", L"2"}, {L"Pos", L"0,0,40,20"}, {L"ToolTip", L"First A"}},
                                         {{L"ID", L"B"}, {L"ControlType", L"1"}, {L"Pos", L"50,0,40,20"}, {L"ToolTip", L"First B"}}});
    CString strSecond = folder.WriteSkin(L"tips2.xml", info,
                                         {{{L"ID", L"A"}, {L"ControlType", L"2"}, {L"Pos", L"0,0,40,20"}, {L"ToolTip", L"Second A"}},
                                          {{L"ID", L"B"}, {L"ControlType", L"1"}, {L"Pos", L"50,0,40,20"}}});
    ScopedDialog dlg(strFirst);
    HWND hTip = dlg->m_toolTip.GetSafeHwnd();
    ASSERT_NE(nullptr, hTip);
    ASSERT_EQ(2, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));

    dlg->InitSkinWindow(strSecond, kDialogSection, L"", L"Default");
    EXPECT_EQ(hTip, dlg->m_toolTip.GetSafeHwnd());
    EXPECT_EQ(1, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ(L"Second A", ToolText(hTip, dlg.Control(0)));
    EXPECT_STREQ(L"", ToolText(hTip, dlg.Control(1)));

    // A third set-up gives the tip back.
    dlg->InitSkinWindow(strFirst, kDialogSection, L"", L"Default");
    EXPECT_EQ(2, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ(L"First A", ToolText(hTip, dlg.Control(0)));
    EXPECT_STREQ(L"First B", ToolText(hTip, dlg.Control(1)));
}

TEST(SkinControls, ControlsTooLargeForASurfaceDrawNothing)
{
    SkinFolder folder;
    const Gdiplus::ARGB kBack = 0xFF40A040;
    WritePng(folder.Image(L"back.png"), 100, 60, {{{0, 0, 100, 60}, kBack}});
    const wchar_t* const sizes[] = {L"0,0,40,20", L"0,0,20000,10", L"0,0,10,20000", L"0,0,8193,8193"};
    std::vector<Attributes> controls;
    for (const wchar_t* pszType : {L"1", L"2"})
        for (const wchar_t* pszPos : sizes)
            controls.push_back({{L"ID", CString(L"C") + pszType + pszPos}, {L"ControlType", pszType}, {L"Pos", pszPos}});
    ScopedDialog dlg(folder.WriteSkin(L"huge.xml", {{L"SheetSize", L"100,60"}, {L"BackBmp", L"back.png"}}, controls));
    for (int i = 0; i < static_cast<int>(controls.size()); ++i) {
        SCOPED_TRACE(controls[i][0].second.ToAnsi());
        Canvas canvas(10, 10, 0xFF000000);
        canvas.Paint(dlg.Control(i), WM_ERASEBKGND);
        bool bDrawable = i % 4 == 0;
        EXPECT_EQ(bDrawable ? kBack : 0xFF000000, canvas.At(5, 5));
    }
}
