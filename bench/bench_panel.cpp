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

using namespace Gdiplus::DllExports;

namespace {

using InitializeFn = int(WINAPI*)(DWORD);
using EnterFn = int(WINAPI*)(HWND, HWND*, DWORD);
using PreTranslateFn = BOOL(__cdecl*)(MSG*);
using ListFn = int(__cdecl*)(void**);
using FreeListFn = void(__cdecl*)(void*);

const int kRepeats = 5;
const int kFloorRepeats = 20;
const int kSharedIcons = 9;
const int kCounts[] = {10, 1000, 10000};

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring ModuleFolder()
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strPath(szPath);
    return strPath.substr(0, strPath.rfind(L'\\') + 1);
}

std::wstring BenchFolder()
{
    wchar_t szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    std::wstring strFolder = std::wstring(szDir) + L"tavrin_bench\\";
    CreateDirectoryW(strFolder.c_str(), nullptr);
    return strFolder;
}

// The sample catalog's icons tool01.png ... tool09.png.
std::wstring SampleIcon(int i)
{
    wchar_t szName[32];
    swprintf(szName, 32, L"ToolIcons\\tool%02d.png", i % kSharedIcons + 1);
    return ModuleFolder() + szName;
}

// Icon paths are relative to the catalog's folder: "shared" uses the 9 icon
// files of the sample catalog, "own" a copy of one of them per tool.
std::wstring WriteCatalog(int nTools, bool bOwnIcons)
{
    std::wstring strFolder = BenchFolder();
    std::wstring strIconFolder = strFolder + (bOwnIcons ? L"OwnIcons\\" : L"ToolIcons\\");
    CreateDirectoryW(strIconFolder.c_str(), nullptr);
    std::wstring strPath = strFolder + (bOwnIcons ? L"own_" : L"shared_") + std::to_wstring(nTools) + L".ini";
    std::ofstream out(strPath.c_str(), std::ios::binary);
    for (int i = 0; i < nTools; ++i) {
        std::string strIcon = bOwnIcons ? "OwnIcons\\icon" + std::to_string(i) + ".png"
                                        : "ToolIcons\\tool0" + std::to_string(i % kSharedIcons + 1) + ".png";
        std::wstring strIconFile = strFolder + std::wstring(strIcon.begin(), strIcon.end());
        if ((bOwnIcons || i < kSharedIcons) && GetFileAttributesW(strIconFile.c_str()) == INVALID_FILE_ATTRIBUTES)
            CopyFileW(SampleIcon(i).c_str(), strIconFile.c_str(), FALSE);
        out << "[Tool]\r\nName=Tool " << i << "\r\nId=bench." << i << "\r\nVersion=1.0\r\nDescription=Benchmark tool "
            << i << "\r\nIcon=" << strIcon << "\r\nListed=1\r\nCommand=cmd.exe\r\n";
    }
    return strPath;
}

struct Module
{
    HMODULE hModule = nullptr;
    InitializeFn initialize = nullptr;
    InitializeFn uninitialize = nullptr;
    EnterFn enter = nullptr;
    PreTranslateFn preTranslate = nullptr;
    HWND hHost = nullptr;

    bool Load();
    void Unload();
    void Pump() const;
    // A new panel for the catalog, shown and painted; the previous one goes first.
    HWND Open(const std::wstring& strCatalog, double* pCreateMs = nullptr) const;
};

template <class Fn>
Fn Export(HMODULE hModule, const char* pszName)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
}

bool Module::Load()
{
    hModule = LoadLibraryW(L"Tavrin.dll"); // with its default skin beside it
    if (!hModule)
        return false;
    initialize = Export<InitializeFn>(hModule, "QmUIFunInitialize");
    uninitialize = Export<InitializeFn>(hModule, "QmUIFunUnInitialize");
    enter = Export<EnterFn>(hModule, "QmUIFunEnter");
    preTranslate = Export<PreTranslateFn>(hModule, "DllPreTranslateMessage");
    initialize(0);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrinBenchHost";
    RegisterClassW(&wc);
    hHost = CreateWindowW(wc.lpszClassName, L"bench host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                          wc.hInstance, nullptr);
    return true;
}

void Module::Unload()
{
    uninitialize(0);
    DestroyWindow(hHost);
    FreeLibrary(hModule);
}

void Module::Pump() const
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (preTranslate(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND Module::Open(const std::wstring& strCatalog, double* pCreateMs) const
{
    // The previous panel goes outside the timing: destroying a shown window
    // waits for the display server under Wine.
    uninitialize(0);
    Pump();
    SetEnvironmentVariableW(L"PELLIX_CATALOG", strCatalog.c_str());
    HWND hPanel = nullptr;
    double t0 = Now();
    enter(hHost, &hPanel, 0);
    if (pCreateMs)
        *pCreateMs = Now() - t0;
    SetWindowPos(hPanel, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hPanel, SW_SHOWNOACTIVATE);
    UpdateWindow(hPanel);
    Pump();
    return hPanel;
}

// A point in the middle of the first or the second item of the default skin's grid.
LPARAM ItemPoint(int nItem)
{
    return MAKELPARAM(nItem % 2 ? 130 : 50, 110);
}

// One wheel notch down (or up) over the grid, painted at once.
void Wheel(HWND hPanel, bool bDown)
{
    POINT pt = {100, 200};
    ClientToScreen(hPanel, &pt);
    SendMessageW(hPanel, WM_MOUSEWHEEL, MAKEWPARAM(0, bDown ? -WHEEL_DELTA : WHEEL_DELTA), MAKELPARAM(pt.x, pt.y));
    UpdateWindow(hPanel);
}

int ScrollPos(HWND hPanel)
{
    SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hPanel, SB_VERT, &si);
    return si.nPos;
}

struct Figures
{
    double create = 0, repaint = 0, hover = 0, wheel = 0;
};

Figures Measure(const Module& module, int nTools, bool bOwnIcons)
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
    Module module;
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
    Module module;
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
int MemoryChild(int nTools)
{
    Module module;
    if (!module.Load())
        return 1;
    std::wstring strCatalog = WriteCatalog(nTools, false);
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

std::wstring SelfPath()
{
    wchar_t szSelf[MAX_PATH];
    GetModuleFileNameW(nullptr, szSelf, MAX_PATH);
    return szSelf;
}

// Runs a program with the arguments and gives its output.
std::string RunProgram(const std::wstring& strProgram, const std::wstring& strArguments)
{
    std::wstring strCommand = L"\"" + strProgram + L"\" " + strArguments;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!CreatePipe(&hRead, &hWrite, &sa, 0))
        return std::string();
    SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = CreateProcessW(nullptr, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(hWrite);
    std::string strOut;
    char buffer[256];
    DWORD cbRead = 0;
    while (bStarted && ReadFile(hRead, buffer, sizeof(buffer), &cbRead, nullptr) && cbRead)
        strOut.append(buffer, cbRead);
    CloseHandle(hRead);
    if (!bStarted)
        return std::string();
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return strOut;
}

std::string RunSelf(const std::wstring& strArguments)
{
    return RunProgram(SelfPath(), strArguments);
}

// Copies a folder's files, and with bTree its folders too.
void CopyFolder(const std::wstring& strFrom, const std::wstring& strTo, bool bTree, const wchar_t* pszPattern = L"*")
{
    CreateDirectoryW(strTo.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strFrom + pszPattern).c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring strName = fd.cFileName;
        if (strName == L"." || strName == L"..")
            continue;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileW((strFrom + strName).c_str(), (strTo + strName).c_str(), FALSE);
        else if (bTree)
            CopyFolder(strFrom + strName + L"\\", strTo + strName + L"\\", true);
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
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

// Runs this program as "memory <nTools>" and reads its two figures.
bool MeasureMemory(int nTools, double& cbCreated, double& cbScrolled)
{
    unsigned long long a = 0, b = 0;
    if (std::sscanf(RunSelf(L"memory " + std::to_wstring(nTools)).c_str(), "%llu %llu", &a, &b) != 2)
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
    if (argc == 3 && std::string(argv[1]) == "memory")
        return MemoryChild(std::atoi(argv[2]));
    if (argc == 3 && std::string(argv[1]) == "dpi")
        return DpiChild(std::atoi(argv[2]));
    if (argc == 2 && std::string(argv[1]) == "systembar")
        return SystemBarChild();

    Module module;
    if (!module.Load()) {
        std::printf("cannot load Tavrin.dll\n");
        return 1;
    }
    // One panel first, untimed: the first of a process loads fonts and codecs.
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
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
