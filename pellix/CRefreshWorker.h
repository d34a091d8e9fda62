// A refresh of the catalog from its source on a thread of its own. The thread
// keeps Pellix.dll loaded until it has posted its message, so a caller that
// unloads the library meanwhile does not pull the code from under it.
#pragma once
#include <windows.h>

class CRefreshWorker
{
public:
    // Starts the refresh; uMsg reaches hNotify when it has ended, whatever the
    // outcome. Returns FALSE when no thread could be started (the message is
    // then posted at once).
    static BOOL Start(HWND hNotify, UINT uMsg);

private:
    struct Request
    {
        HWND hNotify;
        UINT uMsg;
    };

    static DWORD WINAPI ThreadMain(LPVOID pParam);
    static void RefreshCatalog();
    static void Notify(HWND hNotify, UINT uMsg);
};
