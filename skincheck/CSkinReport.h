// The findings of one skin check, printed the way compilers print theirs so
// that editors can jump to them: "FILE:LINE:COL: error|warning: message",
// in the order of their places in the file, then one summary line.
#pragma once
#include <vector>
#include "framework/CString.h"
#include "skincheck/_SkinPos.h"

struct _SkinFinding
{
    _SkinPos pos;
    bool bError = false;
    CString strMessage;
};

class CSkinReport
{
public:
    explicit CSkinReport(const CString& strFile) : m_strFile(strFile) {}

    void Error(_SkinPos pos, const CString& strMessage) { Add(pos, true, strMessage); }
    void Warning(_SkinPos pos, const CString& strMessage) { Add(pos, false, strMessage); }

    // The findings ordered by place (findings at one place keep their order).
    std::vector<_SkinFinding> Sorted() const;
    int ErrorCount() const;
    int WarningCount() const;

    CString Line(const _SkinFinding& finding) const;
    // "FILE: 2 errors, 1 warning" or "FILE: no errors, no warnings".
    CString Summary() const;
    // 0 without errors, 1 with.
    int ExitCode() const { return ErrorCount() > 0 ? 1 : 0; }

private:
    void Add(_SkinPos pos, bool bError, const CString& strMessage);

    CString m_strFile;
    std::vector<_SkinFinding> m_findings;
};
