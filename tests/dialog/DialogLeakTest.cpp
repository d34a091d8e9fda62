// Creating, painting and destroying a skinned dialog with its controls again
// and again must not keep taking memory or handles.
#include <gtest/gtest.h>
#include <functional>
#include <psapi.h>
#include "DialogTestSupport.h"
#include "TestSkinDlg.h"

namespace {

struct Usage
{
    SIZE_T nPrivateBytes; // PrivateUsage, or PagefileUsage where the system reports no PrivateUsage
    DWORD nGdiObjects;
    DWORD nUserObjects;
};

Usage CurrentUsage()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    SIZE_T nPrivate = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return {nPrivate, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

// One life of a skinned dialog: set-up with every kind of control, painting
// of the dialog and its controls (so each composes its picture), a layered
// update, then the window and the object go.
void OneDialogLife(const CString& strSkin)
{
    ScopedDialog dlg(strSkin);
    Canvas canvas(200, 120);
    canvas.Paint(dlg->m_hWnd, WM_ERASEBKGND);
    for (HWND hChild = GetWindow(dlg->m_hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        canvas.Paint(hChild, WM_ERASEBKGND);
        canvas.Paint(hChild, WM_PRINTCLIENT);
    }
    dlg->UpdateLayered(80);
    SendMessageW(dlg.Control(0), WM_SETCURSOR, reinterpret_cast<WPARAM>(dlg.Control(0)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

// Growth of the private bytes over lives 101 to 500, and the usage after each.
struct Growth
{
    Usage after100;
    Usage after500;
    // 0 when the usage went down meanwhile.
    SIZE_T Bytes() const
    {
        return after500.nPrivateBytes > after100.nPrivateBytes ? after500.nPrivateBytes - after100.nPrivateBytes : 0;
    }
};

// Runs the lives with the thread's messages handled in between, as a host's
// message loop would (events from the display accumulate otherwise).
Growth MeasureLives(const std::function<void()>& life)
{
    auto liveAndPump = [&] {
        life();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    };
    Growth growth;
    for (int i = 0; i < 100; ++i)
        liveAndPump();
    growth.after100 = CurrentUsage();
    for (int i = 0; i < 400; ++i)
        liveAndPump();
    growth.after500 = CurrentUsage();
    return growth;
}

} // namespace

TEST(DialogLeaks, RepeatedDialogsDoNotKeepResources)
{
    SkinFolder folder;
    WritePng(folder.Image(L"back.png"), 200, 120, {{{0, 0, 200, 120}, 0xFF406080}, {{150, 80, 200, 120}, 0}});
    WritePng(folder.Image(L"strip.png"), 240, 30, {{{0, 0, 240, 30}, 0xFFC08040}});
    WritePng(folder.Image(L"icon.png"), 16, 16, {{{0, 0, 16, 16}, 0xFF00FFFF}});
    WriteIconFile(folder.Image(L"app.ico"), RGB(0, 0, 255));
    WriteCursorFile(folder.Image(L"hand.cur"), RGB(255, 0, 0));
    auto text = [](Attributes control) {
        control.push_back({L"FontName", L"DejaVu Sans"});
        control.push_back({L"FontSize", L"12"});
        control.push_back({L"FontColor", L"0XFF000000"});
        return control;
    };
    CString strSkin = folder.WriteSkin(
        L"leak.xml",
        {{L"SheetSize", L"200,120"}, {L"BackBmp", L"back.png"}, {L"Icon", L"app.ico"}, {L"Title", L"Leak"},
         {L"FontName", L"DejaVu Sans"}, {L"FontSize", L"12"}, {L"ShowToolTip", L"1"}},
        {text({{L"ID", L"Label"}, {L"ControlType", L"1"}, {L"Pos", L"10,10,80,20"}, {L"Name", L"Label"},
               {L"BkImg", L"icon.png"}, {L"Cursor", L"hand.cur"}, {L"ToolTip", L"A label"}}),
         text({{L"ID", L"Push"}, {L"ControlType", L"2"}, {L"Pos", L"10,40,60,30"}, {L"Name", L"Push"},
               {L"BkImg", L"strip.png"}, {L"Icon", L"icon.png"}, {L"ToolTip", L"A button"}, {L"DrawFocus", L"1"}}),
         text({{L"ID", L"Check"}, {L"ControlType", L"2"}, {L"Pos", L"80,40,60,20"}, {L"Name", L"Check"},
               {L"BkImg", L"strip.png"}, {L"ControlStyle", L"3"}}),
         {{L"ID", L"Region"}, {L"ControlType", L"4"}, {L"Pos", L"150,80,40,30"}, {L"BkImg", L"strip.png"}}});

    Growth skinned = MeasureLives([&] { OneDialogLife(strSkin); });

    // Each life allocates well over 100 KB of bitmaps; 400 more lives with a
    // leak of any of them would grow by tens of megabytes.
    ASSERT_GT(skinned.after100.nPrivateBytes, 0u);
    EXPECT_LT(skinned.Bytes(), 1024u * 1024u) << skinned.after100.nPrivateBytes << " -> "
                                               << skinned.after500.nPrivateBytes;
    // Handle counts where the system reports them.
    if (skinned.after100.nGdiObjects) {
        EXPECT_LE(skinned.after500.nGdiObjects, skinned.after100.nGdiObjects + 2);
    }
    if (skinned.after100.nUserObjects) {
        EXPECT_LE(skinned.after500.nUserObjects, skinned.after100.nUserObjects + 2);
    }
}
