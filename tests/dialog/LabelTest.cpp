// Labels created from a skin: the dialog background under them, their own
// image and text, the composed picture kept until a setter changes the look,
// and their cursor.
#include <gtest/gtest.h>
#include <functional>
#include "DialogTestSupport.h"
#include "TestSkinDlg.h"
#include "controls/CLabel.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"

namespace {

const Gdiplus::ARGB kRed = 0xFFFF0000;
const Gdiplus::ARGB kBlue = 0xFF0000FF;
const Gdiplus::ARGB kGreen = 0xFF00FF00;
const Gdiplus::ARGB kYellow = 0xFFFFFF00;
const Gdiplus::ARGB kWhite = 0xFFFFFFFF;

enum Label { kPlain, kImage, kText, kCursor, kNoCursor, kLabelCount };

class Labels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The dialog: red left of x 150, blue right of it.
        WritePng(m_folder.Image(L"back.png"), 300, 200, {{{0, 0, 150, 200}, kRed}, {{150, 0, 300, 200}, kBlue}});
        // The label image: green left half, transparent right half.
        WritePng(m_folder.Image(L"label.png"), 60, 20, {{{0, 0, 30, 20}, kGreen}});
        WriteCursorFile(m_folder.Image(L"one.cur"), RGB(255, 0, 0));
        WriteCursorFile(m_folder.Image(L"two.cur"), RGB(0, 255, 0));
        std::vector<Attributes> labels(kLabelCount);
        labels[kPlain] = {{L"ID", L"Plain"}, {L"Pos", L"125,20,50,30"}};
        labels[kImage] = {{L"ID", L"Image"}, {L"Pos", L"10,60,60,20"}, {L"BkImg", L"label.png"}};
        labels[kText] = {{L"ID", L"Text"}, {L"Pos", L"160,60,100,30"}, {L"Name", L"Hello"},
                         {L"FontName", L"DejaVu Sans"}, {L"FontSize", L"16"}, {L"FontColor", L"0XFF000000"}};
        labels[kCursor] = {{L"ID", L"Cursor"}, {L"Pos", L"10,100,60,20"}, {L"Cursor", L"one.cur"}};
        labels[kNoCursor] = {{L"ID", L"NoCursor"}, {L"Pos", L"10,130,60,20"}};
        for (Attributes& label : labels)
            label.push_back({L"ControlType", L"1"});
        m_dlg.reset(new ScopedDialog(
            m_folder.WriteSkin(L"labels.xml", {{L"SheetSize", L"300,200"}, {L"BackBmp", L"back.png"}}, labels)));
    }

    HWND Window(int nIndex) const { return m_dlg->Control(nIndex); }
    CLabel* Object(int nIndex) const { return static_cast<CLabel*>((*m_dlg)->m_arrDynamicItems[nIndex].pControl); }

    std::unique_ptr<Canvas> Paint(int nIndex) const
    {
        CRect rc;
        GetClientRect(Window(nIndex), &rc);
        auto canvas = std::make_unique<Canvas>(rc.Width(), rc.Height(), kWhite);
        canvas->Paint(Window(nIndex), WM_ERASEBKGND);
        return canvas;
    }

    // Repaints part of the dialog's background bitmap, which the labels borrow.
    void FillBackground(const RECT& rc, Gdiplus::ARGB color) const
    {
        Gdip::Graphics graphics((*m_dlg)->m_pBackBitmap.get());
        graphics.FillRectangle(Gdip::SolidBrush(color), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }

    SkinFolder m_folder;
    std::unique_ptr<ScopedDialog> m_dlg;
};

int CountPixels(const Canvas& canvas, int w, int h, const std::function<bool(Gdiplus::ARGB)>& test)
{
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            n += test(canvas.At(x, y)) ? 1 : 0;
    return n;
}

} // namespace

TEST_F(Labels, ShowParentBackgroundImageAndText)
{
    auto plain = Paint(kPlain);
    EXPECT_EQ(kRed, plain->At(0, 0));
    EXPECT_EQ(kRed, plain->At(24, 15)); // dialog x 149
    EXPECT_EQ(kBlue, plain->At(25, 15)); // dialog x 150
    EXPECT_EQ(kBlue, plain->At(49, 29));

    auto image = Paint(kImage);
    EXPECT_EQ(kGreen, image->At(10, 10));
    EXPECT_EQ(kGreen, image->At(29, 19));
    EXPECT_EQ(kRed, image->At(30, 10)); // the image is transparent there

    auto text = Paint(kText);
    EXPECT_GT(CountPixels(*text, 100, 30, [](Gdiplus::ARGB c) { return RgbNear(c, 0xFF000000, 0x20); }), 20);
    EXPECT_EQ(kBlue, text->At(2, 2));
    EXPECT_EQ(0, GetWindowTextLengthW(Window(kText)));

    // A label's own paint puts the same picture on screen.
    m_dlg->ShowAt(300, 300);
    RedrawWindow((*m_dlg)->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_TRUE(RgbNear(kGreen, ScreenPixel(300 + 15, 300 + 65)));
    EXPECT_TRUE(RgbNear(kRed, ScreenPixel(300 + 45, 300 + 65)));
}

TEST_F(Labels, PictureIsComposedAtTheFirstPaintAndKept)
{
    // Before any paint nothing is composed: a changed background shows.
    FillBackground({40, 60, 70, 80}, kYellow);
    EXPECT_EQ(kYellow, Paint(kImage)->At(40, 10));

    // Afterwards the picture is kept, even when the background changes.
    FillBackground({40, 60, 70, 80}, kBlue);
    EXPECT_EQ(kYellow, Paint(kImage)->At(40, 10));

    // Resizing alone keeps it too: the picture is stretched to the new size.
    SetWindowPos(Window(kImage), nullptr, 0, 0, 120, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto stretched = Paint(kImage);
    EXPECT_EQ(kGreen, stretched->At(55, 10));
    EXPECT_EQ(kYellow, stretched->At(65, 10));
}

TEST_F(Labels, EverySetterDropsThePicture)
{
    CLabel* pLabel = Object(kPlain);
    const std::pair<const char*, std::function<void()>> setters[] = {
        {"SetText", [&] { pLabel->SetText(L""); }},
        {"SetFontName", [&] { pLabel->SetFontName(L"DejaVu Sans"); }},
        {"SetFontSize", [&] { pLabel->SetFontSize(12); }},
        {"SetFontStyle", [&] { pLabel->SetFontStyle(0); }},
        {"SetTextFormat", [&] { pLabel->SetTextFormat(1, 1, 1); }},
        {"SetTextColor", [&] { pLabel->SetTextColor(0xFF000000); }},
        {"SetParentBack", [&] { pLabel->SetParentBack((*m_dlg)->m_pBackBitmap.get()); }},
        {"SetImage", [&] { EXPECT_EQ(1, pLabel->SetImage(m_folder.Image(L"missing.png"))); }},
    };
    m_dlg->ShowAt(300, 300); // a hidden window keeps no update region
    Gdiplus::ARGB colors[] = {kGreen, kYellow};
    int nRound = 0;
    for (const auto& setter : setters) {
        SCOPED_TRACE(setter.first);
        Gdiplus::ARGB before = Paint(kPlain)->At(10, 10);
        Gdiplus::ARGB after = colors[nRound++ % 2];
        FillBackground({125, 20, 175, 50}, after);
        EXPECT_EQ(before, Paint(kPlain)->At(10, 10));
        ValidateRect(Window(kPlain), nullptr);
        setter.second();
        EXPECT_TRUE(GetUpdateRect(Window(kPlain), nullptr, FALSE)); // asked to be painted again
        EXPECT_EQ(after, Paint(kPlain)->At(10, 10));
    }
    // Without a path the image is dropped and 0 returned.
    EXPECT_EQ(1, Object(kImage)->SetImage(m_folder.Image(L"label.png")));
    EXPECT_EQ(kGreen, Paint(kImage)->At(10, 10));
    EXPECT_EQ(0, Object(kImage)->SetImage(nullptr));
    EXPECT_EQ(kRed, Paint(kImage)->At(10, 10));
}

TEST_F(Labels, CursorReplacesThePreviousOne)
{
    auto askCursor = [&](int nIndex) {
        return SendMessageW(Window(nIndex), WM_SETCURSOR, reinterpret_cast<WPARAM>(Window(nIndex)),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    HCURSOR hArrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(hArrow);
    EXPECT_FALSE(askCursor(kCursor));
    HCURSOR hOne = GetCursor();
    ICONINFO info = {};
    ASSERT_NE(hArrow, hOne);
    ASSERT_TRUE(GetIconInfo(hOne, &info));
    EXPECT_FALSE(info.fIcon);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // A label without a cursor leaves the cursor to the default handling (the class's arrow).
    askCursor(kNoCursor);
    EXPECT_EQ(hArrow, GetCursor());

    // Setting another cursor destroys the first one.
    Object(kCursor)->SetLabelCursor(m_folder.Image(L"two.cur"));
    EXPECT_FALSE(GetIconInfo(hOne, &info));
    askCursor(kCursor);
    HCURSOR hTwo = GetCursor();
    EXPECT_NE(hArrow, hTwo);
    EXPECT_NE(hOne, hTwo);

    // A cursor file that cannot be loaded leaves the default handling.
    SetCursor(hArrow);
    Object(kCursor)->SetLabelCursor(m_folder.Image(L"missing.cur"));
    EXPECT_FALSE(GetIconInfo(hTwo, &info));
    SetCursor(nullptr);
    askCursor(kCursor);
    EXPECT_EQ(hArrow, GetCursor());
}

TEST(LabelBackground, LabelsAndButtonsFollowAReloadedBackground)
{
    // The background image appears only after the set-up, which used the
    // face-coloured sheet; reloading replaces the bitmap the labels borrow
    // and the one the buttons' pictures were composed from.
    SkinFolder folder;
    ScopedDialog dlg(folder.WriteSkin(L"later.xml", {{L"SheetSize", L"100,60"}, {L"BackBmp", L"later.png"}},
                                      {{{L"ID", L"L"}, {L"ControlType", L"1"}, {L"Pos", L"10,10,40,20"}},
                                       {{L"ID", L"B"}, {L"ControlType", L"2"}, {L"Pos", L"50,10,40,20"}}}));
    for (int i = 0; i < 2; ++i) {
        Canvas before(40, 20);
        before.Paint(dlg.Control(i), WM_ERASEBKGND);
        EXPECT_TRUE(RgbNear(OpaqueArgb(GetSysColor(COLOR_BTNFACE)), before.At(5, 5))) << "control " << i;
    }

    WritePng(folder.Image(L"later.png"), 100, 60, {{{0, 0, 100, 60}, kYellow}});
    EXPECT_EQ(1, dlg->LoadBackground());
    for (int i = 0; i < 2; ++i) {
        Canvas after(40, 20);
        after.Paint(dlg.Control(i), WM_ERASEBKGND);
        EXPECT_EQ(kYellow, after.At(5, 5)) << "control " << i;
    }
}

TEST(LabelBackground, ControlsWithoutAWindowInvalidateNothing)
{
    // A visible window with nothing left to paint: a null window handle
    // would invalidate it along with every other window.
    SkinFolder folder;
    WritePng(folder.Image(L"pic.png"), 10, 10, {{{0, 0, 10, 10}, kYellow}});
    HWND hWitness = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 40, 40, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_TRUE(hWitness);
    CLabel neverCreated;
    const RECT rcPart = {0, 0, 5, 5};
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"label image", [&] { neverCreated.SetImage(folder.Image(L"pic.png")); }},
        {"invalidate", [&] { neverCreated.Invalidate(TRUE); }},
        {"invalidate part", [&] { neverCreated.InvalidateRect(&rcPart, TRUE); }},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.first);
        UpdateWindow(hWitness);
        PumpMessages();
        ASSERT_FALSE(GetUpdateRect(hWitness, nullptr, FALSE));
        action.second();
        EXPECT_FALSE(GetUpdateRect(hWitness, nullptr, FALSE)) << "another window was invalidated";
    }
    DestroyWindow(hWitness);
}
