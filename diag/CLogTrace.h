// Diagnostic trace log: appends one line per Trace call to a text file in the
// ANSI code page, when a registry switch under HKEY_LOCAL_MACHINE turns it on.
// The file is opened and closed for every line, shared for reading, writing and
// deleting, so it can be read or removed while the program runs.
//
// Line: "TID:<thread id, 6+ digits> [<local time>.<seconds mod 1000>]     <message>" CR LF.
#pragma once
#include <windows.h>
#include <time.h>
#include <string>
#include "framework/CString.h"

class CLogTrace
{
public:
    CLogTrace();
    virtual ~CLogTrace();
    CLogTrace(const CLogTrace&) = delete;
    CLogTrace& operator=(const CLogTrace&) = delete;

    // Sets file, level mask and size limit, then reads the switches "Debug"
    // under "SOFTWARE\brelwick\Quenda3.0" and "MorvelDebugFlag" under
    // "SOFTWARE": either one holding exactly "1" turns logging on.
    void Init(const CString& strFileName, DWORD dwLevelMask, DWORD dwMaxSize);

    // Writes a line when logging is on and dwLevel shares a bit with the mask.
    // pszFormat is a printf-style format: pass data as arguments ("%s"), never
    // as the format itself. Messages are cut to 1023 characters.
    void Trace(DWORD dwLevel, const wchar_t* pszFormat, ...);

    // The log file opened for appending, emptied first when it has grown past
    // the size limit; INVALID_HANDLE_VALUE when it cannot be opened.
    HANDLE OpenLogFile();

    // Local time of tTime as "YYYY-mm-dd HH:MM:SS"; empty when it cannot be converted.
    static CString FormatTime(__time64_t tTime);

private:
    static bool IsSwitchOn(const wchar_t* pszKeyPath, const wchar_t* pszValueName);
    static std::string ToThreadAnsi(const CString& strText);
    HANDLE CreateLogFile(DWORD dwDisposition) const;

    CString m_strFileName;
    DWORD m_dwMaxSize;
    DWORD m_dwLevelMask;
    BOOL m_bEnable;
};

// The module's one trace log.
extern CLogTrace g_LogTrace;
