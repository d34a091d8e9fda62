// Cost of the tool manager panel for catalogs of 10, 1,000 and 10,000 tools:
// creating the panel (which loads the skin and fills the grid), one full
// repaint, one repaint driven by the pointer moving onto another item and one
// wheel step, each also as a ratio to the 10-tool case. Then the floor that
// every paint pays (one GDI+ draw of the skin's background sheet into a bitmap
// of the panel's size and one copy to the window), the system scroll bar's
// redraw (on a copy of the skin without a bar of its own), creation where every tool
// has its own icon file, and the committed private memory per tool. The module
// is loaded as a host loads it. The repaint and the floor are measured once
// more at 192 DPI, in a child process started at that DPI. The last lines
// ("RATIO <name> <value>") are for scripts.
#include <windows.h>
#include <gdiplus.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include "BenchFiles.h"
#include "CBenchModule.h"
#include "OpeningEssentials.h"
#include <xercesc/util/PlatformUtils.hpp>

using namespace Gdiplus::DllExports;

namespace {

using ListFn = int(__cdecl*)(void**);
using FreeListFn = void(__cdecl*)(void*);

const int kRepeats = 5;
const int kFloorRepeats = 20;
const int kCounts[] = {10, 1000, 10000};

// A point in the middle of the first or the second item of the default skin's grid.
LPARAM ItemPoint(int nItem)
{
    return MAKELPARAM(nItem % 2 ? 130 : 50, 110);
}

struct Figures
{
    double create = 0, repaint = 0, hover = 0, wheel = 0;
};

Figures Measure(CBenchModule& module, int nTools, bool bOwnIcons)
{
    std::wstring strCatalog = WriteCatalog(nTools, bOwnIcons);
    Figures f;
    for (int r = 0; r < kRepeats; ++r) {
        double msCreate = 0;
        HWND hPanel = module.Open(strCatalog, &msCreate);
        f.create += msCreate;

        double t0 = Now();
        RedrawWindow(hPanel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        f.repaint += Now() - t0;

        // Alternate between two items so every move changes the hovered item.
        SendMessageW(hPanel, WM_MOUSEMOVE, 0, ItemPoint(r + 1));
        UpdateWindow(hPanel);
        t0 = Now();
        SendMessageW(hPanel, WM_MOUSEMOVE, 0, ItemPoint(r));
        UpdateWindow(hPanel);
        f.hover += Now() - t0;

        // Down where the grid scrolls, else up (which then moves nothing).
        t0 = Now();
        Wheel(hPanel, true);
        f.wheel += Now() - t0;
        module.Pump();
    }
    f.create /= kRepeats;
    f.repaint /= kRepeats;
    f.hover /= kRepeats;
    f.wheel /= kRepeats;
    return f;
}

// Milliseconds of one GDI+ draw of the skin's background sheet into a bitmap
// of the panel's size plus one copy of that bitmap to the panel's window.
double MeasureFloor(HWND hPanel, int nDpi = 96)
{
    RECT rc;
    GetClientRect(hPanel, &rc);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rc.right;
    bmi.bmiHeader.biHeight = -rc.bottom;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HDC hdcWindow = GetDC(hPanel);
    HDC hdcMemory = CreateCompatibleDC(hdcWindow);
    HBITMAP hDib = CreateDIBSection(hdcMemory, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hdcMemory, hDib);
    Gdiplus::GpBitmap* pTarget = nullptr;
    GdipCreateBitmapFromScan0(rc.right, rc.bottom, rc.right * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(pBits),
                              &pTarget);
    // At another DPI the sheet's variant for it, else the sheet stretched to the DPI's size.
    Gdiplus::GpImage* pSheet = nullptr;
    std::wstring strSheet = ModuleFolder() + L"Config\\Default\\ToolMgrBack";
    std::wstring strVariant = strSheet + L"@" + std::to_wstring(nDpi / 96) + L"x.png";
    bool bVariant = nDpi % 96 == 0 && nDpi > 96 && GetFileAttributesW(strVariant.c_str()) != INVALID_FILE_ATTRIBUTES;
    GdipLoadImageFromFile((bVariant ? strVariant : strSheet + L".png").c_str(), &pSheet);
    UINT cx = 0, cy = 0;
    GdipGetImageWidth(pSheet, &cx);
    GdipGetImageHeight(pSheet, &cy);
    if (!bVariant) {
        cx = (cx * nDpi + 48) / 96;
        cy = (cy * nDpi + 48) / 96;
    }

    double msTotal = 0;
    for (int r = 0; r < kFloorRepeats + 1; ++r) {
        double t0 = Now();
        Gdiplus::GpGraphics* pGraphics = nullptr;
        GdipGetImageGraphicsContext(pTarget, &pGraphics);
        GdipDrawImageRectI(pGraphics, pSheet, 0, 0, static_cast<INT>(cx), static_cast<INT>(cy));
        GdipDeleteGraphics(pGraphics);
        BitBlt(hdcWindow, 0, 0, rc.right, rc.bottom, hdcMemory, 0, 0, SRCCOPY);
        GdiFlush();
        if (r > 0) // the first pass warms the decoder's caches
            msTotal += Now() - t0;
    }
    GdipDisposeImage(pSheet);
    GdipDisposeImage(pTarget);
    SelectObject(hdcMemory, hOld);
    DeleteObject(hDib);
    DeleteDC(hdcMemory);
    ReleaseDC(hPanel, hdcWindow);
    return msTotal / kFloorRepeats;
}

// Milliseconds the system takes to redraw the panel's scroll bar for a new
// position, which every wheel step pays on top of the panel's own painting.
double MeasureScrollBarRedraw(HWND hPanel)
{
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hPanel, SB_VERT, &si);
    if (si.nMax <= static_cast<int>(si.nPage))
        return 0;
    const int nStart = si.nPos;
    double msTotal = 0;
    for (int r = 0; r < kFloorRepeats; ++r) {
        SCROLLINFO step = {sizeof(step), SIF_POS, 0, 0, 0, r % 2 ? nStart : nStart + 1, 0};
        double t0 = Now();
        SetScrollInfo(hPanel, SB_VERT, &step, TRUE);
        GdiFlush();
        msTotal += Now() - t0;
    }
    SCROLLINFO back = {sizeof(back), SIF_POS, 0, 0, 0, nStart, 0};
    SetScrollInfo(hPanel, SB_VERT, &back, TRUE);
    return msTotal / kFloorRepeats;
}

// Milliseconds for the tool-service library alone to list (and release) the tools.
double MeasureLibraryList(const std::wstring& strCatalog)
{
    HMODULE hPellix = GetModuleHandleW(L"Pellix.dll");
    auto list = Export<ListFn>(hPellix, "PxGetAllPluginList");
    auto release = Export<FreeListFn>(hPellix, "PxFreePluginListBuffer");
    if (!list || !release)
        return 0;
    SetEnvironmentVariableW(L"PELLIX_CATALOG", strCatalog.c_str());
    double msTotal = 0;
    for (int r = 0; r < kRepeats; ++r) {
        void* pHead = nullptr;
        double t0 = Now();
        list(&pHead);
        release(pHead);
        msTotal += Now() - t0;
    }
    return msTotal / kRepeats;
}

SIZE_T CommittedPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    // Wine leaves PrivateUsage empty; PagefileUsage counts the same there.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// Run in a child process started at nDpi: prints the full repaint of a panel
// of 1,000 tools and the floor, in milliseconds, at that DPI.
int DpiChild(int nDpi)
{
    CBenchModule module;
    if (!module.Load())
        return 1;
    module.Open(WriteCatalog(kCounts[0], false));
    Figures f = Measure(module, kCounts[1], false);
    double msFloor = MeasureFloor(module.Open(WriteCatalog(10, false)), nDpi);
    std::printf("%.4f %.4f\n", f.repaint, msFloor);
    module.Unload();
    return 0;
}

// Run in a copy of the module's folder whose skin draws no scroll bar of its
// own: prints the system bar's redraw for a new position, in milliseconds.
int SystemBarChild()
{
    CBenchModule module;
    if (!module.Load())
        return 1;
    module.Open(WriteCatalog(kCounts[0], false));
    std::printf("%.4f\n", MeasureScrollBarRedraw(module.Open(WriteCatalog(kCounts[1], false))));
    module.Unload();
    return 0;
}

// Run in a child process of its own, so that no earlier panel has grown the
// heap: prints the committed private bytes after creating a panel of nTools
// and after scrolling through its whole grid one wheel step at a time.
int MemoryChild(int nTools, bool bOwnIcons)
{
    CBenchModule module;
    if (!module.Load())
        return 1;
    std::wstring strCatalog = WriteCatalog(nTools, bOwnIcons);
    module.Open(strCatalog); // a first panel loads what every panel shares
    HWND hPanel = module.Open(strCatalog);
    SIZE_T cbCreated = CommittedPrivateBytes();
    for (int nLast = -1; ScrollPos(hPanel) != nLast;) {
        nLast = ScrollPos(hPanel);
        Wheel(hPanel, true);
        module.Pump();
    }
    SIZE_T cbScrolled = CommittedPrivateBytes();
    std::printf("%llu %llu\n", static_cast<unsigned long long>(cbCreated), static_cast<unsigned long long>(cbScrolled));
    module.Unload();
    return 0;
}

// A copy of the module's folder (libraries, this program, the skin and the
// sample icons) whose skin has no scroll bar section; gives its program.
std::wstring SystemBarCopy()
{
    std::wstring strFrom = ModuleFolder(), strTo = BenchFolder() + L"systembar\\";
    CopyFolder(strFrom, strTo, false, L"*.dll");
    CopyFolder(strFrom + L"Config\\", strTo + L"Config\\", true);
    CopyFolder(strFrom + L"ToolIcons\\", strTo + L"ToolIcons\\", true);
    std::wstring strProgram = strTo + SelfPath().substr(strFrom.size());
    CopyFileW(SelfPath().c_str(), strProgram.c_str(), FALSE);
    std::wstring strSkin = strTo + L"Config\\Morvel_SCfg.xml";
    std::ifstream in(strSkin.c_str(), std::ios::binary);
    std::string strXml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    size_t nStart = strXml.find("<ToolMgrScrollBar>");
    const std::string strEnd = "</ToolMgrScrollBar>";
    size_t nEnd = strXml.find(strEnd);
    if (nStart != std::string::npos && nEnd != std::string::npos && nEnd > nStart)
        strXml.erase(nStart, nEnd + strEnd.size() - nStart);
    std::ofstream(strSkin.c_str(), std::ios::binary) << strXml;
    return strProgram;
}

// The system bar's redraw, measured in a copy of the module's folder whose
// skin leaves the bar to the system; 0 when it cannot be had.
double MeasureSystemBarRedraw()
{
    double ms = 0;
    return std::sscanf(RunProgram(SystemBarCopy(), L"systembar").c_str(), "%lf", &ms) == 1 ? ms : 0;
}

// Runs this program as "memory <nTools> [own]" and reads its two figures.
bool MeasureMemory(int nTools, double& cbCreated, double& cbScrolled, bool bOwnIcons = false)
{
    unsigned long long a = 0, b = 0;
    std::wstring strArguments = L"memory " + std::to_wstring(nTools) + (bOwnIcons ? L" own" : L"");
    if (std::sscanf(RunSelf(strArguments).c_str(), "%llu %llu", &a, &b) != 2)
        return false;
    cbCreated = static_cast<double>(a);
    cbScrolled = static_cast<double>(b);
    return true;
}

// The prefix's DPI (read by a process when it starts), set for one child.
class LogPixelsScope
{
public:
    explicit LogPixelsScope(DWORD dwDpi)
    {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_hKey, nullptr) != ERROR_SUCCESS) {
            m_hKey = nullptr;
            return;
        }
        DWORD cb = sizeof(m_dwOld);
        m_bHadValue = RegQueryValueExW(m_hKey, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&m_dwOld),
                                       &cb) == ERROR_SUCCESS;
        RegSetValueExW(m_hKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwDpi), sizeof(dwDpi));
    }
    ~LogPixelsScope()
    {
        if (!m_hKey)
            return;
        if (m_bHadValue)
            RegSetValueExW(m_hKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_dwOld), sizeof(m_dwOld));
        else
            RegDeleteValueW(m_hKey, L"LogPixels");
        RegCloseKey(m_hKey);
    }
    LogPixelsScope(const LogPixelsScope&) = delete;
    LogPixelsScope& operator=(const LogPixelsScope&) = delete;

private:
    HKEY m_hKey = nullptr;
    DWORD m_dwOld = 0;
    bool m_bHadValue = false;
};

// The full repaint and the floor at nDpi, from a child process started at it.
bool MeasureAtDpi(int nDpi, double& msRepaint, double& msFloor)
{
    std::string strOut;
    {
        LogPixelsScope dpi(static_cast<DWORD>(nDpi));
        strOut = RunSelf(L"dpi " + std::to_wstring(nDpi));
    }
    return std::sscanf(strOut.c_str(), "%lf %lf", &msRepaint, &msFloor) == 2 && msFloor > 0;
}

SIZE WindowSize(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// The essentials of one opening (OpeningEssentials.h) for the module's
// default skin, averaged over kRepeats passes after a first one.
EssentialTimes MeasureEssentials(HWND hPanel)
{
    SIZE size = WindowSize(hPanel);
    std::wstring strSkin = ModuleFolder() + L"Config\\Morvel_SCfg.xml";
    std::wstring strImages = ModuleFolder() + L"Config\\Default\\";
    MeasureEssentials(strSkin, strImages, size);
    EssentialTimes sum;
    for (int r = 0; r < kRepeats; ++r) {
        EssentialTimes t = MeasureEssentials(strSkin, strImages, size);
        sum.dialog += t.dialog / kRepeats;
        sum.parse += t.parse / kRepeats;
        sum.decodes += t.decodes / kRepeats;
        sum.fonts += t.fonts / kRepeats;
    }
    return sum;
}

void PrintEssentials(const char* pszLabel, const EssentialTimes& t)
{
    std::printf("%s %.2f ms: empty popup dialog %.2f, skin parse %.2f, image decodes %.2f, fonts %.2f\n", pszLabel,
                t.Total(), t.dialog, t.parse, t.decodes, t.fonts);
}

// Run in a fresh child process that has loaded no module and decoded nothing
// (the first decode of a process starts the imaging codecs): the essentials
// of one opening of a panel of the size, cold.
int EssentialsChild(SIZE size)
{
    EssentialTimes t = MeasureEssentials(ModuleFolder() + L"Config\\Morvel_SCfg.xml",
                                         ModuleFolder() + L"Config\\Default\\", size);
    std::printf("%.4f %.4f %.4f %.4f\n", t.dialog, t.parse, t.decodes, t.fonts);
    return 0;
}

bool MeasureColdEssentials(SIZE size, EssentialTimes& t)
{
    std::wstring strArguments = L"essentials " + std::to_wstring(size.cx) + L" " + std::to_wstring(size.cy);
    return std::sscanf(RunSelf(strArguments).c_str(), "%lf %lf %lf %lf", &t.dialog, &t.parse, &t.decodes,
                       &t.fonts) == 4;
}

// QmUIFunUnInitialize with a shown panel of nTools, averaged.
double MeasureStop(CBenchModule& module, int nTools)
{
    std::wstring strCatalog = WriteCatalog(nTools, false);
    double msStop = 0;
    for (int r = 0; r < kRepeats; ++r) {
        module.Open(strCatalog);
        msStop += module.Stop() / kRepeats;
    }
    return msStop;
}

// QmUIFunEnter with nTools right after QmUIFunUnInitialize, which starts
// the module's libraries again, averaged.
double MeasureRestart(CBenchModule& module, int nTools)
{
    std::wstring strCatalog = WriteCatalog(nTools, false);
    double msRestart = 0;
    for (int r = 0; r < kRepeats; ++r) {
        module.Stop();
        double ms = 0;
        module.Open(strCatalog, &ms);
        msRestart += ms / kRepeats;
    }
    return msRestart;
}

// The default skin's grid: 4 columns, rows 96 pixels apart.
const int kGridColumns = 4;
const int kRowPitch = 96;

// Milliseconds to decode the icon files that one wheel step from the top of
// the own-icon grid brings into view (GDI+ reading each file once), measured
// on icons that no panel has shown in this run.
double MeasureRevealedDecode(const CBenchModule& module)
{
    HWND hPanel = module.hPanel;
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hPanel, SB_VERT, &si);
    int nStep = static_cast<int>(si.nPage); // a notch moves one page
    int nFirstRows = (static_cast<int>(si.nPage) + kRowPitch - 1) / kRowPitch;
    int nAfterRows = (nStep + static_cast<int>(si.nPage) + kRowPitch - 1) / kRowPitch;
    int nRevealed = (nAfterRows - nFirstRows) * kGridColumns;
    const int kSample = 64;
    double t0 = Now();
    for (int i = 0; i < kSample; ++i) {
        std::wstring strIcon = BenchFolder() + L"OwnIcons\\icon" + std::to_wstring(6000 + i) + L".png";
        Gdiplus::GpImage* pImage = nullptr;
        if (GdipLoadImageFromFile(strIcon.c_str(), &pImage) == Gdiplus::Ok)
            GdipDisposeImage(pImage);
    }
    return (Now() - t0) / kSample * nRevealed;
}

void PrintRow(const char* pszLabel, const Figures& f, const Figures& base)
{
    std::printf("%-12s %8.2f (%5.1fx) %8.2f (%4.1fx) %8.2f (%4.1fx) %8.2f (%4.1fx)\n", pszLabel, f.create,
                f.create / base.create, f.repaint, f.repaint / base.repaint, f.hover, f.hover / base.hover, f.wheel,
                f.wheel / base.wheel);
}

} // namespace

int main(int argc, char** argv)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    xercesc::XMLPlatformUtils::Initialize();
    if (argc >= 3 && std::string(argv[1]) == "memory")
        return MemoryChild(std::atoi(argv[2]), argc == 4 && std::string(argv[3]) == "own");
    if (argc == 3 && std::string(argv[1]) == "dpi")
        return DpiChild(std::atoi(argv[2]));
    if (argc == 2 && std::string(argv[1]) == "systembar")
        return SystemBarChild();
    if (argc == 4 && std::string(argv[1]) == "essentials")
        return EssentialsChild(SIZE{std::atoi(argv[2]), std::atoi(argv[3])});

    CBenchModule module;
    if (!module.Load()) {
        std::printf("cannot load Tavrin.dll\n");
        return 1;
    }
    // The first panel of the process starts the module's libraries, fonts and codecs.
    double msCold = 0;
    module.Open(WriteCatalog(kCounts[0], false), &msCold);
    // The next few openings still fill the system's caches (fonts, window
    // classes, the display server's); the figures below are steady ones.
    for (int r = 0; r < kRepeats; ++r)
        module.Open(WriteCatalog(kCounts[0], false));
    std::printf("%-12s %16s %15s %15s %15s\n", "tools", "create ms", "repaint ms", "hover ms", "wheel ms");
    Figures base, worst, shared10000, own10, own10000;
    double wheelVsRepaint = 0;
    for (int n : kCounts) {
        Figures f = Measure(module, n, false);
        if (n == kCounts[0])
            base = f;
        worst.repaint = std::max(worst.repaint, f.repaint);
        worst.hover = std::max(worst.hover, f.hover);
        worst.wheel = std::max(worst.wheel, f.wheel);
        wheelVsRepaint = std::max(wheelVsRepaint, f.wheel / f.repaint);
        shared10000 = f;
        PrintRow(std::to_string(n).c_str(), f, base);
    }
    own10 = Measure(module, 10, true);
    own10000 = Measure(module, 10000, true);
    PrintRow("10 own", own10, own10);
    PrintRow("10000 own", own10000, own10);
    double msRevealedDecode = MeasureRevealedDecode(module);
    std::printf("decoding the icons one wheel step reveals: %.2f ms\n", msRevealedDecode);

    std::printf("first QmUIFunEnter after loading (cold, 10 tools): %.2f ms\n", msCold);
    EssentialTimes essentials = MeasureEssentials(module.hPanel);
    PrintEssentials("essentials of one opening:", essentials);
    EssentialTimes coldEssentials;
    bool bColdEssentials = MeasureColdEssentials(WindowSize(module.hPanel), coldEssentials);
    if (bColdEssentials)
        PrintEssentials("essentials, cold in a fresh process:", coldEssentials);
    double msStop10000 = MeasureStop(module, 10000);
    double msRestart10 = MeasureRestart(module, 10);
    std::printf("QmUIFunUnInitialize with 10000 tools: %.2f ms; QmUIFunEnter after it (10 tools, the libraries "
                "start again): %.2f ms\n",
                msStop10000, msRestart10);

    double msFloor = MeasureFloor(module.Open(WriteCatalog(10, false)));
    std::printf("floor (sheet draw + copy): %.2f ms\n", msFloor);
    // The default skin draws its own bar; the system's is measured on a skin without one.
    double msSystemBar = MeasureSystemBarRedraw();
    std::printf("system scroll bar redraw:  %.2f ms (a skin that leaves the bar to the system pays it every wheel step)\n",
                msSystemBar);
    double msLibrary10 = MeasureLibraryList(WriteCatalog(10, false));
    double msLibrary10000 = MeasureLibraryList(WriteCatalog(10000, false));
    std::printf("library list and release:  %.2f ms (10 tools), %.2f ms (10000 tools)\n", msLibrary10,
                msLibrary10000);
    module.Unload();

    double cbCreated10 = 0, cbScrolled10 = 0, cbCreated10000 = 0, cbScrolled10000 = 0;
    bool bMemory = MeasureMemory(10, cbCreated10, cbScrolled10) && MeasureMemory(10000, cbCreated10000, cbScrolled10000);
    double cbOwnCreated10 = 0, cbOwnScrolled10 = 0, cbOwnCreated10000 = 0, cbOwnScrolled10000 = 0;
    bool bOwnMemory = MeasureMemory(10, cbOwnCreated10, cbOwnScrolled10, true) &&
                      MeasureMemory(10000, cbOwnCreated10000, cbOwnScrolled10000, true);
    if (bOwnMemory)
        std::printf("committed private memory, own icons: 10 tools %.1f MB scrolled; 10000 tools %.1f MB scrolled\n",
                    cbOwnScrolled10 / 1048576, cbOwnScrolled10000 / 1048576);
    if (bMemory) {
        std::printf("committed private memory:  10 tools %.1f MB created, %.1f MB scrolled; "
                    "10000 tools %.1f MB created, %.1f MB scrolled\n",
                    cbCreated10 / 1048576, cbScrolled10 / 1048576, cbCreated10000 / 1048576,
                    cbScrolled10000 / 1048576);
    }

    double msRepaint192 = 0, msFloor192 = 0;
    bool bDpi = MeasureAtDpi(192, msRepaint192, msFloor192);
    if (bDpi)
        std::printf("at 192 DPI: full repaint of 1000 tools %.2f ms, floor %.2f ms\n", msRepaint192, msFloor192);

    std::printf("RATIO repaint_vs_floor %.2f\n", worst.repaint / msFloor);
    if (bDpi)
        std::printf("RATIO repaint_vs_floor_192dpi %.2f\n", msRepaint192 / msFloor192);
    std::printf("RATIO hover_vs_floor %.2f\n", worst.hover / msFloor);
    std::printf("RATIO wheel_vs_floor %.2f\n", worst.wheel / msFloor);
    std::printf("RATIO wheel_vs_repaint %.2f\n", wheelVsRepaint);
    std::printf("RATIO create_10000_vs_10 %.2f\n", shared10000.create / base.create);
    std::printf("RATIO create_10000_own_icons_vs_10 %.2f\n", own10000.create / own10.create);
    if (bMemory) {
        std::printf("RATIO memory_bytes_per_tool %.0f\n", (cbCreated10000 - cbCreated10) / 9990);
        std::printf("RATIO memory_bytes_per_tool_scrolled %.0f\n", (cbScrolled10000 - cbScrolled10) / 9990);
    }
    if (bOwnMemory)
        std::printf("RATIO memory_bytes_per_tool_scrolled_own_icons %.0f\n",
                    (cbOwnScrolled10000 - cbOwnScrolled10) / 9990);
    std::printf("RATIO create_10_vs_essentials %.2f\n", base.create / essentials.Total());
    std::printf("RATIO wheel_own_icons_extra_vs_decode %.2f\n", (own10000.wheel - shared10000.wheel) / msRevealedDecode);
    std::printf("RATIO stop_10000_vs_create_10000 %.2f\n", msStop10000 / shared10000.create);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
