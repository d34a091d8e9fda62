// Owner of a Win32 critical section, with a scope lock that holds it.
#pragma once
#include <windows.h>

class CCriticalSection
{
public:
    CCriticalSection() { InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    class CLock
    {
    public:
        explicit CLock(CCriticalSection& section) : m_section(section) { EnterCriticalSection(&m_section.m_section); }
        ~CLock() { LeaveCriticalSection(&m_section.m_section); }
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;

    private:
        CCriticalSection& m_section;
    };

private:
    CRITICAL_SECTION m_section;
};
