// Texts of labels and buttons in a family the machine does not have, or in
// none: they are drawn in the family of the system's message font.
#include <gtest/gtest.h>
#include "DialogTestSupport.h"
#include "TestSkinDlg.h"

namespace {

const Gdiplus::ARGB kBack = 0xFF203080;

CString MessageFontFace()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    return metrics.lfMessageFont.lfFaceName;
}

// The control's picture on a canvas, pixel by pixel.
std::vector<Gdiplus::ARGB> Picture(HWND hControl, UINT nMessage)
{
    RECT rc;
    GetClientRect(hControl, &rc);
    Canvas canvas(rc.right, rc.bottom, 0xFF000000);
    canvas.Paint(hControl, nMessage);
    std::vector<Gdiplus::ARGB> pixels;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

int TextPixels(const std::vector<Gdiplus::ARGB>& pixels)
{
    int n = 0;
    for (Gdiplus::ARGB argb : pixels)
        n += RgbNear(argb, 0xFFFFFFFF, 0x30) ? 1 : 0;
    return n;
}

} // namespace

TEST(FontFallback, MissingOrEmptyFamiliesDrawInTheMessageFontsFamily)
{
    const CString strMessageFace = MessageFontFace();
    ASSERT_FALSE(strMessageFace.IsEmpty());
    // Per control kind: the message font's family first, as the reference.
    const CString faces[] = {strMessageFace, L"No Such Family", L"", L"DejaVu Sans"};
    const int nFaces = 4;
    std::vector<Attributes> controls;
    for (const wchar_t* pszType : {L"1", L"2"}) {
        for (int i = 0; i < nFaces; ++i) {
            CString strPos;
            strPos.Format(L"10,%d,120,24", 10 + 30 * static_cast<int>(controls.size()));
            Attributes control = {{L"ID", L"C"}, {L"ControlType", pszType}, {L"Pos", strPos}, {L"Name", L"Hello"},
                                  {L"FontSize", L"16"}, {L"FontColor", L"0XFFFFFFFF"}};
            if (!faces[i].IsEmpty())
                control.push_back({L"FontName", faces[i]});
            control[0].second.Format(L"C%d", static_cast<int>(controls.size()));
            controls.push_back(control);
        }
    }
    SkinFolder folder;
    WritePng(folder.Image(L"back.png"), 200, 300, {{{0, 0, 200, 300}, kBack}});
    ScopedDialog dlg(folder.WriteSkin(L"fonts.xml", {{L"SheetSize", L"200,300"}, {L"BackBmp", L"back.png"}}, controls));

    for (int nKind = 0; nKind < 2; ++nKind) {
        UINT nMessage = nKind == 0 ? WM_ERASEBKGND : WM_PRINTCLIENT;
        std::vector<Gdiplus::ARGB> reference = Picture(dlg.Control(nKind * nFaces), nMessage);
        ASSERT_GT(TextPixels(reference), 20) << (nKind == 0 ? "label" : "button");
        for (int i = 1; i < nFaces; ++i) {
            SCOPED_TRACE(testing::Message() << (nKind == 0 ? "label, family \"" : "button, family \"")
                                            << faces[i].ToAnsi() << "\"");
            std::vector<Gdiplus::ARGB> picture = Picture(dlg.Control(nKind * nFaces + i), nMessage);
            EXPECT_GT(TextPixels(picture), 20);
            if (faces[i] != L"DejaVu Sans")
                EXPECT_TRUE(picture == reference) << "not drawn in the message font's family";
        }
    }
}

TEST(FontFallback, WithoutTheMessageFontsFamilyTextsUseTheGenericSansSerif)
{
    // The message font named for this process only (not saved, not announced).
    NONCLIENTMETRICSW saved = {};
    saved.cbSize = sizeof(saved);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(saved), &saved, 0));
    NONCLIENTMETRICSW changed = saved;
    wcscpy_s(changed.lfMessageFont.lfFaceName, L"No Such Message Font");
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(changed), &changed, 0));
    const bool bChanged = MessageFontFace() == L"No Such Message Font";

    SkinFolder folder;
    WritePng(folder.Image(L"back.png"), 200, 100, {{{0, 0, 200, 100}, kBack}});
    std::vector<Attributes> controls;
    for (const wchar_t* pszType : {L"1", L"2"})
        controls.push_back({{L"ID", CString(L"C") + pszType}, {L"ControlType", pszType}, {L"Pos", L"10,10,120,24"},
                            {L"Name", L"Hello"}, {L"FontName", L"No Such Family"}, {L"FontSize", L"16"},
                            {L"FontColor", L"0XFFFFFFFF"}});
    int nPixels[2] = {};
    {
        ScopedDialog dlg(folder.WriteSkin(L"generic.xml", {{L"SheetSize", L"200,100"}, {L"BackBmp", L"back.png"}}, controls));
        nPixels[0] = TextPixels(Picture(dlg.Control(0), WM_ERASEBKGND));
        nPixels[1] = TextPixels(Picture(dlg.Control(1), WM_PRINTCLIENT));
    }
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(saved), &saved, 0);
    ASSERT_TRUE(bChanged) << "the message font could not be renamed for the test";
    EXPECT_GT(nPixels[0], 20) << "label";
    EXPECT_GT(nPixels[1], 20) << "button";
}
