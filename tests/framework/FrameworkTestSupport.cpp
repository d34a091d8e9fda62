#include "FrameworkTestSupport.h"

std::vector<SuperCall> g_superCalls;

static LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_superCalls.push_back({ hWnd, message, wParam, lParam });
    if (message == kAskRecordingProc)
        return kRecordingAnswer;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LPCWSTR RecordingClassName()
{
    static const wchar_t kName[] = L"FrameworkTestRecording";
    static const ATOM s_atom = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kName;
        return ::RegisterClassExW(&wc);
    }();
    return s_atom ? kName : nullptr;
}

std::vector<SuperCall> SuperCallsOf(HWND hWnd, UINT message)
{
    std::vector<SuperCall> calls;
    for (const SuperCall& c : g_superCalls)
        if (c.hWnd == hWnd && c.message == message)
            calls.push_back(c);
    return calls;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
