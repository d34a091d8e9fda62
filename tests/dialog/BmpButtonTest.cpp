// Bitmap buttons created from a skin on a visible dialog: state frames, text
// and icon layout, focus frame, hover, check and radio behaviour, and the
// region button's transparent hit test. Pixels come from WM_PRINTCLIENT,
// which makes the system button hand its real state to DrawItem.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include "DialogTestSupport.h"
#include "TestSkinDlg.h"
#include "controls/CKdBmpButtonRegin.h"

namespace {

const Gdiplus::ARGB kBack = 0xFF203040;
const Gdiplus::ARGB kPushFrames[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808080};
const Gdiplus::ARGB kCheckFrames[8] = {0xFFC00000, 0xFF00C000, 0xFF0000C0, 0xFFC0C000,
                                       0xFFC000C0, 0xFF00C0C0, 0xFFFF8000, 0xFF8000FF};
const Gdiplus::ARGB kIcon = 0xFF00FFFF;
const Gdiplus::ARGB kQuadrants[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};

enum Control {
    kPush, kPushText, kCheck, kRadio1, kRadio2, kRadio3, kSeparator, kRadio4,
    kRegion, kIconOnly, kIconText, kBigIcon, kTallCheck, kControlCount
};

const POINT kDialogOrigin = {100, 100};

// Black text, its anti-aliased edges aside (the background is 0x203040).
bool IsDark(Gdiplus::ARGB argb)
{
    return ((argb >> 16) & 0xFF) < 0x18 && ((argb >> 8) & 0xFF) < 0x18 && (argb & 0xFF) < 0x18;
}

bool IsMagentaish(Gdiplus::ARGB argb)
{
    return ((argb >> 16) & 0xFF) > 0x80 && ((argb >> 8) & 0xFF) < 0x80 && (argb & 0xFF) > 0x80 &&
           !RgbNear(argb, kCheckFrames[7], 8);
}

int CountInRow(const Canvas& canvas, int y, int x0, int x1, const std::function<bool(Gdiplus::ARGB)>& test)
{
    int n = 0;
    for (int x = x0; x < x1; ++x)
        n += test(canvas.At(x, y)) ? 1 : 0;
    return n;
}

class BmpButtons : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteImages();
        auto font = [](Attributes control) {
            control.push_back({L"FontName", L"DejaVu Sans"});
            control.push_back({L"FontSize", L"12"});
            control.push_back({L"FontColor", L"0XFF000000;0XFFFF00FF"});
            return control;
        };
        std::vector<Attributes> controls(kControlCount);
        controls[kPush] = {{L"ID", L"Push"}, {L"Pos", L"10,10,80,30"}, {L"BkImg", L"push.png"}, {L"DrawFocus", L"1"}};
        controls[kPushText] = font({{L"ID", L"PushText"}, {L"Pos", L"100,10,80,30"}, {L"BkImg", L"push.png"},
                                    {L"Name", L"Go"}, {L"DrawFocus", L"1"}});
        controls[kCheck] = font({{L"ID", L"Check"}, {L"Pos", L"10,50,100,20"}, {L"BkImg", L"check.png"},
                                 {L"ControlStyle", L"3"}, {L"Name", L"Check"}, {L"FontFormat", L"0;0;1"},
                                 {L"DrawFocus", L"1"}});
        controls[kRadio1] = {{L"ID", L"R1"}, {L"Pos", L"10,80,60,16"}, {L"BkImg", L"check.png"}, {L"ControlStyle", L"0X20009"}};
        controls[kRadio2] = {{L"ID", L"R2"}, {L"Pos", L"80,80,60,16"}, {L"BkImg", L"check.png"}, {L"ControlStyle", L"9"}};
        controls[kRadio3] = {{L"ID", L"R3"}, {L"Pos", L"150,80,60,16"}, {L"BkImg", L"check.png"}, {L"ControlStyle", L"9"}};
        controls[kSeparator] = {{L"ID", L"Sep"}, {L"Pos", L"220,80,30,16"}, {L"ControlStyle", L"0X20000"}};
        controls[kRadio4] = {{L"ID", L"R4"}, {L"Pos", L"10,100,60,16"}, {L"BkImg", L"check.png"}, {L"ControlStyle", L"0X20009"}};
        controls[kRegion] = {{L"ID", L"Region"}, {L"Pos", L"200,120,60,60"}, {L"BkImg", L"region.png"}};
        controls[kIconOnly] = {{L"ID", L"IconOnly"}, {L"Pos", L"10,125,100,24"}, {L"Icon", L"icon.png"}};
        controls[kIconText] = font({{L"ID", L"IconText"}, {L"Pos", L"10,155,100,24"}, {L"Icon", L"icon.png"},
                                    {L"Name", L"Text"}, {L"FontFormat", L"0;0;1"}});
        controls[kBigIcon] = {{L"ID", L"BigIcon"}, {L"Pos", L"120,125,30,20"}, {L"Icon", L"big.png"}};
        controls[kTallCheck] = {{L"ID", L"Tall"}, {L"Pos", L"120,155,60,20"}, {L"BkImg", L"tall.png"}, {L"ControlStyle", L"3"}};
        for (int i = 0; i < kControlCount; ++i)
            controls[i].push_back({L"ControlType", i == kRegion ? L"4" : L"2"});

        m_dlg.reset(new ScopedDialog(m_folder.WriteSkin(L"buttons.xml",
                                                        {{L"SheetSize", L"300,200"}, {L"BackBmp", L"back.png"}}, controls)));
        m_dlg->ShowAt(kDialogOrigin.x, kDialogOrigin.y);
        MoveCursorAway();
    }

    void WriteImages()
    {
        WritePng(m_folder.Image(L"back.png"), 300, 200, {{{0, 0, 300, 200}, kBack}, {{200, 120, 260, 180}, 0}});
        std::vector<ColorRect> push, check, region;
        for (int f = 0; f < 4; ++f) {
            push.push_back({{f * 80, 0, f * 80 + 80, 30}, kPushFrames[f]});
            region.push_back({{f * 60, 0, f * 60 + 60, 60}, kPushFrames[f]});
            region.push_back({{f * 60, 0, f * 60 + 10, 10}, 0}); // transparent corner of every frame
        }
        for (int f = 0; f < 8; ++f)
            check.push_back({{f * 16, 0, f * 16 + 16, 16}, kCheckFrames[f]});
        WritePng(m_folder.Image(L"push.png"), 320, 30, push);
        WritePng(m_folder.Image(L"check.png"), 128, 16, check);
        WritePng(m_folder.Image(L"region.png"), 240, 60, region);
        WritePng(m_folder.Image(L"icon.png"), 16, 16, {{{0, 0, 16, 16}, kIcon}});
        WritePng(m_folder.Image(L"big.png"), 40, 40,
                 {{{0, 0, 20, 20}, kQuadrants[0]}, {{20, 0, 40, 20}, kQuadrants[1]},
                  {{0, 20, 20, 40}, kQuadrants[2]}, {{20, 20, 40, 40}, kQuadrants[3]}});
        // Frames 30 high for a 20 high button: rows 0-14 and 15-29 differ.
        WritePng(m_folder.Image(L"tall.png"), 128, 30, {{{0, 0, 128, 15}, kQuadrants[0]}, {{0, 15, 128, 30}, kQuadrants[1]}});
    }

    HWND Button(int nIndex) const { return m_dlg->Control(nIndex); }
    CKdBmpButton* Object(int nIndex) const
    {
        return static_cast<CKdBmpButton*>((*m_dlg)->m_arrDynamicItems[nIndex].pControl);
    }

    // The button's picture as the system asks it to be drawn now.
    std::unique_ptr<Canvas> Print(int nIndex) const
    {
        CRect rc;
        GetClientRect(Button(nIndex), &rc);
        auto canvas = std::make_unique<Canvas>(rc.Width(), rc.Height(), 0xFF000000);
        canvas->Paint(Button(nIndex), WM_PRINTCLIENT);
        return canvas;
    }
    Gdiplus::ARGB PrintedAt(int nIndex, int x, int y) const { return Print(nIndex)->At(x, y); }

    // The pointer over a client point of the button, and the move that tells it so.
    void Hover(int nIndex, int x, int y) const
    {
        POINT pt = {x, y};
        ClientToScreen(Button(nIndex), &pt);
        SetCursorPos(pt.x, pt.y);
        SendMessageW(Button(nIndex), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    static void MoveCursorAway() { SetCursorPos(1270, 1010); }

    void Click(int nIndex, int x, int y, int xUp, int yUp) const
    {
        SendMessageW(Button(nIndex), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(Button(nIndex), WM_LBUTTONUP, 0, MAKELPARAM(xUp, yUp));
        PumpMessages();
    }
    LRESULT Checked(int nIndex) const { return SendMessageW(Button(nIndex), BM_GETCHECK, 0, 0); }
    size_t Commands(const wchar_t* pszID) const
    {
        size_t n = 0;
        for (const CString& strID : (*m_dlg)->m_commands)
            n += strID == pszID ? 1 : 0;
        return n;
    }

    SkinFolder m_folder;
    std::unique_ptr<ScopedDialog> m_dlg;
};

} // namespace

TEST_F(BmpButtons, PushButtonShowsOneFramePerState)
{
    // Each state shows its own 80 pixels of the strip, edge to edge.
    auto expectFrame = [&](Gdiplus::ARGB frame) {
        auto canvas = Print(kPush);
        for (POINT pt : {POINT{0, 0}, POINT{40, 15}, POINT{79, 29}})
            EXPECT_EQ(frame, canvas->At(pt.x, pt.y)) << pt.x << "," << pt.y;
    };
    expectFrame(kPushFrames[0]);
    Hover(kPush, 40, 15);
    expectFrame(kPushFrames[1]);
    SendMessageW(Button(kPush), BM_SETSTATE, TRUE, 0);
    expectFrame(kPushFrames[2]);
    SendMessageW(Button(kPush), BM_SETSTATE, FALSE, 0);
    EnableWindow(Button(kPush), FALSE); // still hovered
    expectFrame(kPushFrames[3]);
    EnableWindow(Button(kPush), TRUE);
    expectFrame(kPushFrames[1]);

    // Leaving the button ends the hover look.
    MoveCursorAway();
    EXPECT_TRUE(PumpUntil([&] { return PrintedAt(kPush, 40, 15) == kPushFrames[0]; }));
}

TEST_F(BmpButtons, CheckBoxFrameSitsLeftOfItsText)
{
    EXPECT_EQ(CKdBmpButton::KIND_CHECK, Object(kCheck)->GetKind());
    EXPECT_EQ(DLGC_BUTTON, SendMessageW(Button(kCheck), WM_GETDLGCODE, 0, 0));
    {
        auto canvas = Print(kCheck);
        EXPECT_EQ(kCheckFrames[0], canvas->At(8, 10));
        // The 16 x 16 frame is centred vertically at the left edge: rows 2 to 17.
        EXPECT_EQ(kCheckFrames[0], canvas->At(0, 2));
        EXPECT_EQ(kCheckFrames[0], canvas->At(15, 17));
        EXPECT_EQ(kBack, canvas->At(8, 1));
        EXPECT_EQ(kBack, canvas->At(8, 18));
        // The text starts at 19: nothing is drawn in columns 16 to 18.
        for (int y = 0; y < 20; ++y)
            for (int x = 16; x < 19; ++x)
                EXPECT_EQ(kBack, canvas->At(x, y)) << x << "," << y;
        int nText = 0;
        for (int y = 0; y < 20; ++y)
            nText += CountInRow(*canvas, y, 19, 60, IsDark);
        EXPECT_GT(nText, 10);
    }

    // A click checks it; the parent gets the click.
    Hover(kCheck, 50, 10);
    Click(kCheck, 50, 10, 50, 10);
    EXPECT_EQ(1, Checked(kCheck));
    EXPECT_EQ(1u, Commands(L"Check"));
    EXPECT_EQ(kCheckFrames[5], PrintedAt(kCheck, 8, 10)); // checked, hovered

    // Disabled: frame 7 and the second text colour, even while hovered.
    EnableWindow(Button(kCheck), FALSE);
    {
        auto canvas = Print(kCheck);
        EXPECT_EQ(kCheckFrames[7], canvas->At(8, 10));
        int nDisabled = 0, nDark = 0;
        for (int y = 0; y < 20; ++y) {
            nDisabled += CountInRow(*canvas, y, 19, 100, IsMagentaish);
            nDark += CountInRow(*canvas, y, 19, 100, IsDark);
        }
        EXPECT_GT(nDisabled, 10);
        EXPECT_EQ(0, nDark);
    }
    EnableWindow(Button(kCheck), TRUE);

    // Pressed and released outside: no change, no click.
    Click(kCheck, 50, 10, -40, 10);
    EXPECT_EQ(1, Checked(kCheck));
    EXPECT_EQ(1u, Commands(L"Check"));
    // Released on it again: unchecked.
    Click(kCheck, 50, 10, 50, 10);
    EXPECT_EQ(0, Checked(kCheck));
    EXPECT_EQ(2u, Commands(L"Check"));
}

TEST_F(BmpButtons, FocusFrameOnlyWhenAskedAndWithContent)
{
    auto dotsOnRow = [&](int nIndex, int y, int x0, int x1) {
        auto canvas = Print(nIndex);
        return CountInRow(*canvas, y, x0, x1, [](Gdiplus::ARGB argb) { return argb == 0xFF000000; });
    };
    // Push button with text: dotted frame 3 pixels inside its edge.
    SetFocus(Button(kPushText));
    ASSERT_EQ(Button(kPushText), GetFocus());
    EXPECT_GT(dotsOnRow(kPushText, 3, 3, 77), 20);
    EXPECT_EQ(0, dotsOnRow(kPushText, 2, 0, 80));
    Object(kPushText)->SetDrawFocus(FALSE);
    EXPECT_EQ(0, dotsOnRow(kPushText, 3, 0, 80));

    // Push button without text or icon: no frame even when asked for.
    SetFocus(Button(kPush));
    EXPECT_EQ(0, dotsOnRow(kPush, 3, 0, 80));

    // Check box: the frame hugs the text, starting at column 19.
    SetFocus(Button(kCheck));
    EXPECT_GT(dotsOnRow(kCheck, 0, 19, 99), 20);
    EXPECT_EQ(0, dotsOnRow(kCheck, 0, 0, 19));
    SetFocus(Button(kRadio4));
    EXPECT_EQ(0, dotsOnRow(kCheck, 0, 0, 100));
}

TEST_F(BmpButtons, RadioButtonsUncheckOnlyTheirOwnKindInTheGroup)
{
    // An ordinary radio button placed in the group between R2 and R3.
    HWND hPlain = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 260, 80, 16, 16,
                                  (*m_dlg)->m_hWnd, nullptr, nullptr, nullptr);
    SetWindowPos(hPlain, Button(kRadio2), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(hPlain, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(CKdBmpButton::KIND_RADIO, Object(kRadio1)->GetKind());
    EXPECT_EQ(DLGC_BUTTON | DLGC_RADIOBUTTON, SendMessageW(Button(kRadio1), WM_GETDLGCODE, 0, 0));
    SendMessageW(Button(kRadio1), BM_SETCHECK, 1, 0);
    SendMessageW(Button(kRadio4), BM_SETCHECK, 1, 0);
    PumpMessages();
    ASSERT_EQ(1, Checked(kRadio1));

    Click(kRadio2, 30, 8, 30, 8);
    EXPECT_EQ(1, Checked(kRadio2));
    EXPECT_EQ(0, Checked(kRadio1));
    EXPECT_EQ(0, Checked(kRadio3));
    EXPECT_EQ(BST_CHECKED, SendMessageW(hPlain, BM_GETCHECK, 0, 0));
    EXPECT_EQ(1, Checked(kRadio4)); // another group
    EXPECT_EQ(kCheckFrames[4], PrintedAt(kRadio2, 8, 8));
    EXPECT_EQ(kCheckFrames[0], PrintedAt(kRadio1, 8, 8));

    // Clicked again it stays checked.
    Click(kRadio2, 30, 8, 30, 8);
    EXPECT_EQ(1, Checked(kRadio2));
    EXPECT_EQ(2u, Commands(L"R2"));

    // Space released on R1: checked, and the parent hears of it from R1 itself.
    SendMessageW(Button(kRadio1), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(1, Checked(kRadio1));
    PumpMessages();
    EXPECT_EQ(1u, Commands(L"R1"));
    EXPECT_EQ(0, Checked(kRadio2));
    EXPECT_EQ(BST_CHECKED, SendMessageW(hPlain, BM_GETCHECK, 0, 0));

    // Space on a check box toggles it without a command of its own.
    SendMessageW(Button(kCheck), WM_KEYUP, VK_SPACE, 0);
    PumpMessages();
    EXPECT_EQ(1, Checked(kCheck));
    EXPECT_EQ(0u, Commands(L"Check"));
    DestroyWindow(hPlain);
}

TEST_F(BmpButtons, StyleDecidesTheKindAndStaysOwnerDrawn)
{
    struct Case
    {
        DWORD dwType;
        int nKind;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, CKdBmpButton::KIND_PUSH},     {BS_CHECKBOX, CKdBmpButton::KIND_PUSH},
        {BS_AUTOCHECKBOX, CKdBmpButton::KIND_CHECK},  {BS_RADIOBUTTON, CKdBmpButton::KIND_PUSH},
        {BS_3STATE, CKdBmpButton::KIND_PUSH},         {BS_AUTO3STATE, CKdBmpButton::KIND_PUSH},
        {BS_AUTORADIOBUTTON, CKdBmpButton::KIND_RADIO}, {BS_OWNERDRAW, CKdBmpButton::KIND_CHECK},
    };
    for (const Case& c : cases) {
        CKdBmpButton button;
        ASSERT_TRUE(button.Create(L"", WS_VISIBLE | c.dwType, CRect(0, 180, 20, 200), &**m_dlg, 900));
        EXPECT_EQ(c.nKind, button.GetKind()) << c.dwType;
        EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
        button.SendMessage(BM_SETSTYLE, BS_RADIOBUTTON, TRUE);
        EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
        // Owner-drawn indeed: it shows the dialog's background under it.
        button.SetParentBackSlot(&(*m_dlg)->m_pBackBitmap);
        Canvas canvas(20, 20);
        canvas.Paint(button.m_hWnd, WM_PRINTCLIENT);
        EXPECT_EQ(kBack, canvas.At(10, 10));
        button.DestroyWindow();
    }
}

TEST_F(BmpButtons, RegionButtonIgnoresTransparentPixels)
{
    ASSERT_NE(nullptr, dynamic_cast<CKdBmpButtonRegin*>(Object(kRegion)));
    EXPECT_EQ(kPushFrames[0], PrintedAt(kRegion, 30, 30));
    EXPECT_EQ(0u, PrintedAt(kRegion, 3, 3) & 0xFFFFFF); // drawn transparent over the black canvas

    // Over the transparent corner: no hover, no press, no click.
    Hover(kRegion, 3, 3);
    EXPECT_EQ(kPushFrames[0], PrintedAt(kRegion, 30, 30));
    SendMessageW(Button(kRegion), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_NE(Button(kRegion), GetCapture());
    SendMessageW(Button(kRegion), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
    EXPECT_EQ(0u, Commands(L"Region"));
    // The second press of a double click comes as a message of its own.
    SendMessageW(Button(kRegion), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_NE(Button(kRegion), GetCapture());
    SendMessageW(Button(kRegion), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
    EXPECT_EQ(0u, Commands(L"Region"));

    // Over the picture it is an ordinary button.
    Hover(kRegion, 30, 30);
    EXPECT_EQ(kPushFrames[1], PrintedAt(kRegion, 30, 30));
    SendMessageW(Button(kRegion), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_EQ(Button(kRegion), GetCapture());
    SendMessageW(Button(kRegion), WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    PumpMessages();
    EXPECT_EQ(1u, Commands(L"Region"));
}

TEST_F(BmpButtons, IconsAreCentredAndCutEvenlyWhenTooLarge)
{
    // A lone icon in the middle of its button.
    {
        auto canvas = Print(kIconOnly);
        EXPECT_EQ(kIcon, canvas->At(42, 4));
        EXPECT_EQ(kIcon, canvas->At(57, 19));
        EXPECT_EQ(kBack, canvas->At(41, 4));
        EXPECT_EQ(kBack, canvas->At(58, 19));
        EXPECT_EQ(kBack, canvas->At(42, 3));
        EXPECT_EQ(kBack, canvas->At(57, 20));
    }
    // Icon and text centred together, the text 3 pixels right of the icon.
    {
        auto canvas = Print(kIconText);
        int xIcon = -1;
        for (int x = 0; x < 100 && xIcon < 0; ++x)
            if (canvas->At(x, 12) == kIcon)
                xIcon = x;
        ASSERT_GT(xIcon, 0);
        ASSERT_LT(xIcon, 42);
        EXPECT_EQ(kIcon, canvas->At(xIcon + 15, 4));
        EXPECT_EQ(kBack, canvas->At(xIcon, 3));
        int xFirstText = 100, xLastText = -1;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 100; ++x)
                if (IsDark(canvas->At(x, y))) {
                    xFirstText = std::min(xFirstText, x);
                    xLastText = std::max(xLastText, x);
                }
        EXPECT_GE(xFirstText, xIcon + 19);
        EXPECT_LT(xFirstText, xIcon + 25);
        EXPECT_NEAR(xIcon, 99 - xLastText, 6); // margins left and right about equal
    }
    // A 40 x 40 icon in a 30 x 20 button: centred, cut off on every side.
    {
        auto canvas = Print(kBigIcon);
        EXPECT_EQ(kQuadrants[0], canvas->At(0, 0));
        EXPECT_EQ(kQuadrants[0], canvas->At(14, 9));
        EXPECT_EQ(kQuadrants[3], canvas->At(15, 10));
        EXPECT_EQ(kQuadrants[3], canvas->At(29, 19));
        EXPECT_EQ(kQuadrants[1], canvas->At(29, 0));
        EXPECT_EQ(kQuadrants[2], canvas->At(0, 19));
    }
    // A check-box frame taller than its button: centred, cut at top and bottom.
    {
        auto canvas = Print(kTallCheck);
        EXPECT_EQ(kQuadrants[0], canvas->At(8, 0));
        EXPECT_EQ(kQuadrants[0], canvas->At(8, 9));
        EXPECT_EQ(kQuadrants[1], canvas->At(8, 10));
        EXPECT_EQ(kQuadrants[1], canvas->At(8, 19));
    }
}
