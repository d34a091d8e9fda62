// The soak's host application: a host window that owns the panel, the module
// loaded from the soak's module folder with its four exports, and a message
// loop that offers every message to DllPreTranslateMessage first, as a real
// host's loop does.
#pragma once
#include <windows.h>
#include "framework/CString.h"
#include "host/ModuleLoader.h"

class CSoakHost
{
public:
    CSoakHost();
    ~CSoakHost();
    CSoakHost(const CSoakHost&) = delete;
    CSoakHost& operator=(const CSoakHost&) = delete;

    // Loads <folder>\Tavrin.dll and calls QmUIFunInitialize; false with a message.
    bool Load(const CString& strModuleFolder, CString& strError);

    // QmUIFunInitialize again, as a host does before each use of the panel.
    void Initialize();
    // QmUIFunEnter with the owner window, normally the host window (which
    // stays alive while the module is loaded).
    HWND Enter(HWND hOwner);
    // QmUIFunUnInitialize: the panel is gone afterwards.
    void UnInitialize();
    // The panel while its window exists, else null.
    HWND Panel() const;
    HWND HostWindow() const { return m_hHost; }
    // DllPreTranslateMessage, as the host's loop calls it.
    BOOL PreTranslate(MSG* pMsg) { return m_module.PreTranslate(pMsg); }

    // A counter that goes up before each call into the module and each round
    // of the message loop, so that a watchdog sees the host still moving.
    void SetHeartbeat(volatile LONG* pHeartbeat) { m_pHeartbeat = pHeartbeat; }

    // While one lives, a timer plays the user's part in the system's modal
    // loops (a window move, a menu), so that they end: a posted click on the
    // panel's caption starts a move loop, a right click sent to a minimized
    // host opens its system menu.
    class ModalLoopBreaker
    {
    public:
        ModalLoopBreaker();
        ~ModalLoopBreaker();
        ModalLoopBreaker(const ModalLoopBreaker&) = delete;
        ModalLoopBreaker& operator=(const ModalLoopBreaker&) = delete;

    private:
        UINT_PTR m_nTimer;
    };

    // Handles every message that is waiting (a bounded number), then returns.
    void Drain();
    // Runs the message loop for about nMs milliseconds.
    void Idle(DWORD nMs);

private:
    bool DispatchNext();
    void Beat();

    ModuleLoader m_module;
    bool m_bLoaded = false;
    HWND m_hHost = nullptr;
    HWND m_hPanel = nullptr;
    volatile LONG* m_pHeartbeat = nullptr;
};
