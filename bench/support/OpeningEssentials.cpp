#include "OpeningEssentials.h"
#include <gdiplus.h>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <xercesc/dom/DOM.hpp>
#include "BenchFiles.h"

using namespace Gdiplus::DllExports;

namespace {

std::string ReadText(const std::wstring& strFile)
{
    std::ifstream in(strFile.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every quoted value of the skin file that names an image file.
std::set<std::wstring> ImageNames(const std::string& strXml)
{
    std::set<std::wstring> names;
    std::regex image("\"([^\"<>]+\\.(png|ico|bmp|jpg|gif))\"", std::regex::icase);
    for (auto it = std::sregex_iterator(strXml.begin(), strXml.end(), image); it != std::sregex_iterator(); ++it) {
        std::string strName = (*it)[1];
        names.insert(std::wstring(strName.begin(), strName.end()));
    }
    return names;
}

// The sizes of the skin's fonts: each FontSize attribute and WindowInfo value.
std::set<int> FontSizes(const std::string& strXml)
{
    std::set<int> sizes;
    std::regex size("FontSize\"? +Data=\"([0-9]+)\"|FontSize=\"([0-9]+)\"");
    for (auto it = std::sregex_iterator(strXml.begin(), strXml.end(), size); it != std::sregex_iterator(); ++it)
        sizes.insert(std::stoi((*it)[1].matched ? (*it)[1].str() : (*it)[2].str()));
    return sizes;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

double EmptyPopupDialog(SIZE sizePanel)
{
    struct
    {
        DLGTEMPLATE dlg;
        WORD menu, windowClass, title;
    } dialog = {{WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, 0}, 0, 0, 0};
    double t0 = Now();
    HWND hDialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialog.dlg, nullptr, EmptyDialogProc, 0);
    SetWindowPos(hDialog, nullptr, 0, 0, sizePanel.cx, sizePanel.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    double ms = Now() - t0;
    DestroyWindow(hDialog);
    return ms;
}

double ParseOnce(const std::wstring& strSkinFile)
{
    using namespace xercesc;
    double t0 = Now();
    static const XMLCh ls[] = {'L', 'S', 0};
    DOMImplementation* pImplementation = DOMImplementationRegistry::getDOMImplementation(ls);
    DOMLSParser* pParser = pImplementation->createLSParser(DOMImplementationLS::MODE_SYNCHRONOUS, nullptr);
    try {
        pParser->parseURI(reinterpret_cast<const XMLCh*>(strSkinFile.c_str()));
    } catch (...) {
    }
    pParser->release();
    return Now() - t0;
}

double DecodeImages(const std::set<std::wstring>& names, const std::wstring& strFolder)
{
    double t0 = Now();
    for (const std::wstring& strName : names) {
        Gdiplus::GpImage* pImage = nullptr;
        if (GdipLoadImageFromFile((strFolder + strName).c_str(), &pImage) == Gdiplus::Ok)
            GdipDisposeImage(pImage);
    }
    return Now() - t0;
}

double CreateFonts(const std::set<int>& sizes)
{
    double t0 = Now();
    Gdiplus::GpFontFamily* pFamily = nullptr;
    GdipCreateFontFamilyFromName(L"Arial", nullptr, &pFamily);
    for (int nSize : sizes) {
        Gdiplus::GpFont* pFont = nullptr;
        if (pFamily && GdipCreateFont(pFamily, static_cast<Gdiplus::REAL>(nSize), 0, Gdiplus::UnitPixel, &pFont) ==
                           Gdiplus::Ok)
            GdipDeleteFont(pFont);
    }
    if (pFamily)
        GdipDeleteFontFamily(pFamily);
    // The dialog's own font is a GDI font.
    HFONT hFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    DeleteObject(hFont);
    return Now() - t0;
}

} // namespace

EssentialTimes MeasureEssentials(const std::wstring& strSkinFile, const std::wstring& strImageFolder, SIZE sizePanel)
{
    std::string strXml = ReadText(strSkinFile);
    EssentialTimes times;
    times.dialog = EmptyPopupDialog(sizePanel);
    times.parse = ParseOnce(strSkinFile);
    times.decodes = DecodeImages(ImageNames(strXml), strImageFolder);
    times.fonts = CreateFonts(FontSizes(strXml));
    return times;
}
