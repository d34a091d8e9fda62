// A minimal HTTP server on 127.0.0.1 for the refresh tests: it answers every
// request with one fixed response, optionally only after the test opens a gate.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <string>
#include "framework/CString.h"

class LocalHttpServer
{
public:
    // nStatus and strBody make the response; bGated holds each answer until OpenGate.
    LocalHttpServer(int nStatus, const std::string& strBody, bool bGated = false);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool IsListening() const { return m_hThread != nullptr; }
    CString Url(const wchar_t* pszPath) const; // "http://127.0.0.1:<port>" + pszPath
    void OpenGate() { SetEvent(m_hGate); }
    // What the last request asked for (its request line), and whether a gated
    // answer went out only because the gate was never opened.
    std::string LastRequestLine() const;
    bool GateTimedOut() const { return m_bGateTimedOut != 0; }

    // A port on 127.0.0.1 where nothing listens.
    static int ClosedPort();

private:
    static DWORD WINAPI ThreadMain(LPVOID pParam);
    void Serve();
    void Answer(SOCKET client);

    SOCKET m_listener = INVALID_SOCKET;
    int m_nPort = 0;
    HANDLE m_hThread = nullptr;
    HANDLE m_hGate = nullptr;
    int m_nStatus;
    std::string m_strBody;
    bool m_bGated;
    volatile LONG m_bGateTimedOut = 0;
    mutable CRITICAL_SECTION m_lock;
    std::string m_strLastRequestLine;
};
