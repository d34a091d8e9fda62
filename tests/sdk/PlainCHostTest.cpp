// A host written in plain C, linked to the module through its import library,
// that starts neither GDI+ nor Xerces-C, shows the same fully painted panel
// as our C++ host program, whether built by this project or by the CMake
// sample through the package. Each runs as a program of its own; their
// panels are read from the screen and compared.
#include <windows.h>
#include <set>
#include <gtest/gtest.h>
#include "framework/CString.h"
#include "support/WindowPixels.h"

namespace {

// A host program started from the build's bin folder, closed at the end.
class HostProcess
{
public:
    explicit HostProcess(const wchar_t* pszExe)
    {
        STARTUPINFOW si = {sizeof(si)};
        CString strCommand = pszExe;
        m_bStarted = CreateProcessW(nullptr, strCommand.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &si, &m_pi) != FALSE;
    }
    ~HostProcess()
    {
        if (!m_bStarted)
            return;
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 99);
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Started() const { return m_bStarted; }

    // The process's visible top-level window with or without WS_EX_TOOLWINDOW
    // (the panel is a tool window, the host's main window is not).
    HWND FindWindow(bool bToolWindow) const
    {
        Search search = {m_pi.dwProcessId, bToolWindow, nullptr};
        EnumWindows(&HostProcess::Visit, reinterpret_cast<LPARAM>(&search));
        return search.hFound;
    }

    HWND WaitForWindow(bool bToolWindow) const
    {
        for (int i = 0; i < 200; ++i) {
            if (HWND hWnd = FindWindow(bToolWindow))
                return hWnd;
            Sleep(50);
        }
        return nullptr;
    }

    // Closes the main window and waits for the program to end; its exit code.
    DWORD Close() const
    {
        PostMessageW(FindWindow(false), WM_CLOSE, 0, 0);
        DWORD dwCode = STILL_ACTIVE;
        if (WaitForSingleObject(m_pi.hProcess, 15000) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_pi.hProcess, &dwCode);
        return dwCode;
    }

private:
    struct Search
    {
        DWORD dwProcessId;
        bool bToolWindow;
        HWND hFound;
    };

    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* pSearch = reinterpret_cast<Search*>(lParam);
        DWORD dwPid = 0;
        GetWindowThreadProcessId(hWnd, &dwPid);
        bool bTool = (GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        if (dwPid != pSearch->dwProcessId || !IsWindowVisible(hWnd) || bTool != pSearch->bToolWindow)
            return TRUE;
        pSearch->hFound = hWnd;
        return FALSE;
    }

    PROCESS_INFORMATION m_pi = {};
    bool m_bStarted = false;
};

// The panel of a host program as it stands on the screen once painted.
std::vector<DWORD> PanelOnScreen(const wchar_t* pszHost, int& nWidth, int& nHeight)
{
    HostProcess host(pszHost);
    EXPECT_TRUE(host.Started());
    HWND hPanel = host.WaitForWindow(true);
    EXPECT_NE(nullptr, hPanel);
    if (!hPanel)
        return {};
    Sleep(1500); // the panel paints in its own process
    WindowPixels pixels(hPanel, WindowPixels::Source::Screen);
    RECT rc = {};
    GetClientRect(hPanel, &rc);
    nWidth = rc.right;
    nHeight = rc.bottom;
    std::vector<DWORD> result;
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            result.push_back(pixels.At(x, y));
    EXPECT_EQ(0u, host.Close());
    return result;
}

TEST(PlainCHost, ShowsTheSamePaintedPanelAsTheCppHost)
{
    int nRefWidth = 0, nRefHeight = 0;
    std::vector<DWORD> reference = PanelOnScreen(L"TavrinHost.exe", nRefWidth, nRefHeight);
    ASSERT_FALSE(reference.empty());
    // A painted panel: background sheet, item frames, icons, names and the button.
    EXPECT_GT(std::set<DWORD>(reference.begin(), reference.end()).size(), 16u);

    // The build's own, and the one that check_cmake_host.sh built through the
    // CMake package, with its runtime copied beside it.
    const wchar_t* const hosts[] = {L"MinimalHost.exe", L"..\\cmake-host\\build\\MinimalHost.exe"};
    for (const wchar_t* pszHost : hosts) {
        SCOPED_TRACE(CString(pszHost).ToAnsi());
        int nWidth = 0, nHeight = 0;
        std::vector<DWORD> plain = PanelOnScreen(pszHost, nWidth, nHeight);
        ASSERT_EQ(nRefWidth, nWidth);
        ASSERT_EQ(nRefHeight, nHeight);
        size_t nSame = 0;
        for (size_t i = 0; i < plain.size(); ++i)
            nSame += plain[i] == reference[i];
        EXPECT_GE(nSame * 100, plain.size() * 99) << nSame << " of " << plain.size() << " pixels agree";
    }
}

} // namespace
