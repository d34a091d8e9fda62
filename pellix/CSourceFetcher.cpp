#include "pellix/CSourceFetcher.h"
#include "pellix/CCatalogStore.h"
#include "pellix/CInternetHandle.h"
#include "framework/CHandleOwner.h"

namespace {

// Milliseconds for name resolution, connecting, sending and each receive: a
// refresh runs in the background, but it must end so that its caller hears back.
const int kResolveTimeout = 10000;
const int kConnectTimeout = 10000;
const int kSendTimeout = 15000;
const int kReceiveTimeout = 30000;

} // namespace

bool CSourceFetcher::Fetch(const CString& strSource, const CString& strFolder, std::string& strBytes)
{
    strBytes.clear();
    if (strSource.IsEmpty())
        return false;
    if (IsWebAddress(strSource))
        return FetchWebAddress(strSource, strBytes);
    return ReadLocalFile(CCatalogStore::ResolvePath(strFolder, strSource), strBytes);
}

bool CSourceFetcher::ReadLocalFile(const CString& strPath, std::string& strBytes)
{
    strBytes.clear();
    CFileOwner file(CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxSourceBytes)
        return false;
    strBytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD cbRead = 0;
    if (strBytes.empty())
        return true;
    if (!ReadFile(file.Get(), &strBytes[0], static_cast<DWORD>(strBytes.size()), &cbRead, nullptr)) {
        strBytes.clear();
        return false;
    }
    strBytes.resize(cbRead);
    return true;
}

bool CSourceFetcher::IsWebAddress(const CString& strSource)
{
    return strSource.Left(7).CompareNoCase(L"http://") == 0 || strSource.Left(8).CompareNoCase(L"https://") == 0;
}

bool CSourceFetcher::FetchWebAddress(const CString& strUrl, std::string& strBytes)
{
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(strUrl, 0, 0, &parts))
        return false;
    CString strHost(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
    CString strObject(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength));
    strObject.Append(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));

    CInternetHandle session(WinHttpOpen(L"Pellix/1.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                        WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.IsValid() ||
        !WinHttpSetTimeouts(session.Get(), kResolveTimeout, kConnectTimeout, kSendTimeout, kReceiveTimeout))
        return false;
    CInternetHandle connection(WinHttpConnect(session.Get(), strHost, parts.nPort, 0));
    if (!connection.IsValid())
        return false;
    DWORD dwFlags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    CInternetHandle request(WinHttpOpenRequest(connection.Get(), L"GET", strObject.IsEmpty() ? L"/" : strObject.GetString(),
                                               nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, dwFlags));
    if (!request.IsValid() ||
        !WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr))
        return false;
    return ReadResponse(request.Get(), strBytes);
}

// Only a complete "200 OK" body counts; anything else is a failed fetch.
bool CSourceFetcher::ReadResponse(HINTERNET hRequest, std::string& strBytes)
{
    DWORD dwStatus = 0;
    DWORD cbStatus = sizeof(dwStatus);
    if (!WinHttpQueryHeaders(hRequest, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &dwStatus, &cbStatus, WINHTTP_NO_HEADER_INDEX) ||
        dwStatus != HTTP_STATUS_OK)
        return false;
    char chunk[16384];
    for (;;) {
        DWORD cbRead = 0;
        if (!WinHttpReadData(hRequest, chunk, sizeof(chunk), &cbRead)) {
            strBytes.clear();
            return false;
        }
        if (cbRead == 0)
            return true;
        if (strBytes.size() + cbRead > kMaxSourceBytes) {
            strBytes.clear();
            return false;
        }
        strBytes.append(chunk, cbRead);
    }
}
