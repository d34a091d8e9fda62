// GoogleTest's thread start-up signal for the win32-threads MinGW toolchain,
// which has no std::mutex: the same one-shot notification over a Win32 event.
// Force-included into GoogleTest and the test programs.
#pragma once
#ifdef __cplusplus
#include <winsock2.h> // before windows.h, so test programs may use sockets
#include <windows.h>

namespace testing {
namespace internal {

class Notification
{
public:
    Notification() : m_hEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(m_hEvent); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(m_hEvent); }
    void WaitForNotification() { WaitForSingleObject(m_hEvent, INFINITE); }

private:
    HANDLE m_hEvent;
};

} // namespace internal
} // namespace testing
#endif
