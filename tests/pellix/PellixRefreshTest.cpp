// Refreshes of the real Pellix.dll: the catalog is replaced from its source on
// a background thread, and a real window's message loop hears of the end.
#include "LocalHttpServer.h"
#include <gtest/gtest.h>
#include <iterator>
#include "PellixTestSupport.h"
#include "include/PellixSDK.h"

namespace {

const UINT kRefreshed = WM_USER + 3;
const UINT kSafetyTimerMs = 30000; // ends a wait that would otherwise hang the run

// A hidden top-level window that counts the refresh messages it receives.
class NotifyWindow
{
public:
    NotifyWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &NotifyWindow::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PellixTestNotifyWindow";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 wc.hInstance, this);
    }
    ~NotifyWindow() { DestroyWindow(m_hWnd); }
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;

    HWND Get() const { return m_hWnd; }
    int Received() const { return m_nReceived; }
    bool ParametersWereZero() const { return m_bParametersZero; }

    // Runs the message loop until one more refresh message has been handled;
    // false when the safety timer fired first.
    bool WaitForRefreshMessage()
    {
        int nBefore = m_nReceived;
        m_bTimedOut = false;
        SetTimer(m_hWnd, 1, kSafetyTimerMs, nullptr);
        MSG msg;
        while (m_nReceived == nBefore && !m_bTimedOut && GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
        KillTimer(m_hWnd, 1);
        return m_nReceived > nBefore;
    }

    // Handles whatever is already queued, without waiting.
    void DispatchPending()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        if (uMsg == WM_NCCREATE)
            SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* pThis = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pThis && uMsg == kRefreshed) {
            ++pThis->m_nReceived;
            pThis->m_bParametersZero = pThis->m_bParametersZero && wParam == 0 && lParam == 0;
            return 0;
        }
        if (pThis && uMsg == WM_TIMER && wParam == 1) {
            pThis->m_bTimedOut = true;
            return 0;
        }
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    int m_nReceived = 0;
    bool m_bParametersZero = true;
    bool m_bTimedOut = false;
};

std::vector<CatalogTool> NamedTools(std::initializer_list<const wchar_t*> names)
{
    std::vector<CatalogTool> tools;
    for (const wchar_t* pszName : names) {
        CatalogTool tool;
        tool.strName = pszName;
        tool.strId = CString(L"id.") + pszName;
        tools.push_back(tool);
    }
    return tools;
}

std::vector<CString> ListedNames()
{
    std::vector<CString> names;
    for (const ListedTool& tool : ReadToolList())
        names.push_back(tool.strName);
    return names;
}

std::string Utf8(const CString& strText)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strBytes(static_cast<size_t>(cb), '\0');
    WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &strBytes[0], cb, nullptr, nullptr);
    return strBytes;
}

} // namespace

TEST(PellixRefresh, FileSourceReplacesTheCatalogAndTheWindowHearsOfIt)
{
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    WriteUtf8File(strCatalog, CatalogText(L"next.ini", NamedTools({ L"Old A", L"Old B" })));
    WriteUtf8File(folder.File(L"next.ini"), CatalogText(L"", NamedTools({ L"X", L"Ÿ", L"Z" })));
    NotifyWindow window;
    ASSERT_TRUE(window.Get());

    EXPECT_TRUE(PxGetAllPluginListFromInternet(window.Get(), kRefreshed));
    ASSERT_TRUE(window.WaitForRefreshMessage());
    EXPECT_EQ(1, window.Received());
    EXPECT_TRUE(window.ParametersWereZero());
    EXPECT_EQ((std::vector<CString>{ L"X", L"Ÿ", L"Z" }), ListedNames());

    // The replaced catalog still names its source: a second refresh reads it again.
    WriteUtf8File(folder.File(L"next.ini"), CatalogText(L"", NamedTools({ L"W" })));
    EXPECT_TRUE(PxGetAllPluginListFromInternet(window.Get(), kRefreshed));
    ASSERT_TRUE(window.WaitForRefreshMessage());
    EXPECT_EQ((std::vector<CString>{ L"W" }), ListedNames());
    EXPECT_FALSE(FileExists(strCatalog + L".new"));
}

TEST(PellixRefresh, FailedRefreshKeepsTheCatalogAndStillNotifies)
{
    LocalHttpServer missingPage(404, "[Tool]\r\nName=From an error page\r\n");
    ASSERT_TRUE(missingPage.IsListening());
    CString strClosedPort;
    strClosedPort.Format(L"http://127.0.0.1:%d/tools.ini", LocalHttpServer::ClosedPort());
    CTempFolder folder(kPellixFolderPrefix);
    WriteFileBytes(folder.File(L"page.ini"), "<html><body>Moved</body></html>\r\n");
    WriteFileBytes(folder.File(L"latin1.ini"), "[Tool]\r\nName=Gr\xFC\xDF" "e\r\n");
    const CString sources[] = { L"missing.ini", L"page.ini", L"latin1.ini", strClosedPort,
                                missingPage.Url(L"/tools.ini"), L"" };

    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    NotifyWindow window;
    for (const CString& strSource : sources) {
        SCOPED_TRACE(strSource.ToAnsi());
        WriteUtf8File(strCatalog, CatalogText(strSource, NamedTools({ L"Kept A", L"Kept B" })));
        std::string strBefore = ReadFileBytes(strCatalog);
        PxGetAllPluginListFromInternet(window.Get(), kRefreshed);
        ASSERT_TRUE(window.WaitForRefreshMessage());
        EXPECT_EQ(strBefore, ReadFileBytes(strCatalog));
        EXPECT_EQ((std::vector<CString>{ L"Kept A", L"Kept B" }), ListedNames());
    }

    // Without any catalog there is nothing to refresh, but the caller still hears back.
    DeleteFileW(strCatalog);
    PxGetAllPluginListFromInternet(window.Get(), kRefreshed);
    ASSERT_TRUE(window.WaitForRefreshMessage());
    EXPECT_FALSE(FileExists(strCatalog));
    EXPECT_EQ(static_cast<int>(std::size(sources)) + 1, window.Received());
}

TEST(PellixRefresh, WebSourceIsFetchedWhileTheCallerRunsOn)
{
    CString strBody = CatalogText(L"", NamedTools({ L"Web Grüße", L"Web 工具" }));
    LocalHttpServer server(200, Utf8(strBody), true);
    ASSERT_TRUE(server.IsListening());
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    CString strSource = server.Url(L"/pellix/catalog.ini?v=2");
    WriteUtf8File(strCatalog, CatalogText(strSource, NamedTools({ L"Local" })));
    NotifyWindow window;

    // The server holds its answer until the gate opens: the call must return
    // before that, and nothing can have been posted yet.
    EXPECT_TRUE(PxGetAllPluginListFromInternet(window.Get(), kRefreshed));
    window.DispatchPending();
    EXPECT_EQ(0, window.Received());
    EXPECT_EQ((std::vector<CString>{ L"Local" }), ListedNames());
    server.OpenGate();

    ASSERT_TRUE(window.WaitForRefreshMessage());
    EXPECT_FALSE(server.GateTimedOut());
    EXPECT_EQ("GET /pellix/catalog.ini?v=2 HTTP/1.1", server.LastRequestLine());
    EXPECT_EQ((std::vector<CString>{ L"Web Grüße", L"Web 工具" }), ListedNames());
    // The fetched catalog named no source of its own, so the address stays.
    std::string strCatalogBytes = ReadFileBytes(strCatalog);
    EXPECT_NE(std::string::npos, strCatalogBytes.find(Utf8(L"Source=" + strSource)));
}
