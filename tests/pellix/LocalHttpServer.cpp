#include "LocalHttpServer.h"
#include <ws2tcpip.h>

namespace {

const DWORD kGateTimeoutMs = 20000;

struct WinsockStartup
{
    WinsockStartup()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

SOCKET BoundSocket(int& nPort)
{
    static WinsockStartup s_startup;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int cbAddr = sizeof(addr);
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &cbAddr) != 0) {
        if (s != INVALID_SOCKET)
            closesocket(s);
        return INVALID_SOCKET;
    }
    nPort = ntohs(addr.sin_port);
    return s;
}

} // namespace

LocalHttpServer::LocalHttpServer(int nStatus, const std::string& strBody, bool bGated)
    : m_nStatus(nStatus), m_strBody(strBody), m_bGated(bGated)
{
    InitializeCriticalSection(&m_lock);
    m_hGate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_listener = BoundSocket(m_nPort);
    if (m_listener != INVALID_SOCKET && listen(m_listener, 4) == 0)
        m_hThread = CreateThread(nullptr, 0, &LocalHttpServer::ThreadMain, this, 0, nullptr);
}

LocalHttpServer::~LocalHttpServer()
{
    // Closing the listener ends the accept loop.
    SetEvent(m_hGate);
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
    if (m_hThread) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
    }
    CloseHandle(m_hGate);
    DeleteCriticalSection(&m_lock);
}

CString LocalHttpServer::Url(const wchar_t* pszPath) const
{
    CString strUrl;
    strUrl.Format(L"http://127.0.0.1:%d%s", m_nPort, pszPath);
    return strUrl;
}

std::string LocalHttpServer::LastRequestLine() const
{
    EnterCriticalSection(&m_lock);
    std::string strLine = m_strLastRequestLine;
    LeaveCriticalSection(&m_lock);
    return strLine;
}

int LocalHttpServer::ClosedPort()
{
    int nPort = 0;
    SOCKET s = BoundSocket(nPort);
    if (s != INVALID_SOCKET)
        closesocket(s);
    return nPort;
}

DWORD WINAPI LocalHttpServer::ThreadMain(LPVOID pParam)
{
    static_cast<LocalHttpServer*>(pParam)->Serve();
    return 0;
}

void LocalHttpServer::Serve()
{
    for (;;) {
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        Answer(client);
        closesocket(client);
    }
}

void LocalHttpServer::Answer(SOCKET client)
{
    std::string strRequest;
    char chunk[1024];
    while (strRequest.find("\r\n\r\n") == std::string::npos) {
        int cb = recv(client, chunk, sizeof(chunk), 0);
        if (cb <= 0)
            return;
        strRequest.append(chunk, static_cast<size_t>(cb));
    }
    EnterCriticalSection(&m_lock);
    m_strLastRequestLine = strRequest.substr(0, strRequest.find("\r\n"));
    LeaveCriticalSection(&m_lock);
    if (m_bGated && WaitForSingleObject(m_hGate, kGateTimeoutMs) == WAIT_TIMEOUT)
        InterlockedExchange(&m_bGateTimedOut, 1);
    std::string strResponse = "HTTP/1.1 " + std::to_string(m_nStatus) + " Status\r\nContent-Type: text/plain\r\n" +
                              "Content-Length: " + std::to_string(m_strBody.size()) + "\r\nConnection: close\r\n\r\n" +
                              m_strBody;
    send(client, strResponse.data(), static_cast<int>(strResponse.size()), 0);
    shutdown(client, SD_SEND);
}
