#include "skincheck/CSkinReport.h"
#include <algorithm>

namespace {
CString Counted(int n, const wchar_t* pszOne, const wchar_t* pszMany)
{
    CString str;
    if (n == 0)
        str.Format(L"no %s", pszMany);
    else
        str.Format(L"%d %s", n, n == 1 ? pszOne : pszMany);
    return str;
}
// One finding, one line: line breaks and other control characters in a
// message (a quoted value may hold them) are written as escapes.
CString OneLine(const CString& strText)
{
    CString strOut;
    for (int i = 0; i < strText.GetLength(); ++i) {
        wchar_t ch = strText[i];
        if (ch == L'\n')
            strOut += L"\\n";
        else if (ch == L'\r')
            strOut += L"\\r";
        else if (ch == L'\t')
            strOut += L"\\t";
        else if (ch < 0x20) {
            CString strEscape;
            strEscape.Format(L"\\x%02X", static_cast<unsigned>(ch));
            strOut += strEscape;
        } else
            strOut += ch;
    }
    return strOut;
}

} // namespace

void CSkinReport::Add(_SkinPos pos, bool bError, const CString& strMessage)
{
    _SkinFinding finding;
    finding.pos = pos;
    finding.bError = bError;
    finding.strMessage = strMessage;
    m_findings.push_back(finding);
}

std::vector<_SkinFinding> CSkinReport::Sorted() const
{
    std::vector<_SkinFinding> findings = m_findings;
    std::stable_sort(findings.begin(), findings.end(), [](const _SkinFinding& a, const _SkinFinding& b) {
        return a.pos.nLine != b.pos.nLine ? a.pos.nLine < b.pos.nLine : a.pos.nColumn < b.pos.nColumn;
    });
    return findings;
}

int CSkinReport::ErrorCount() const
{
    return static_cast<int>(std::count_if(m_findings.begin(), m_findings.end(),
                                          [](const _SkinFinding& f) { return f.bError; }));
}

int CSkinReport::WarningCount() const
{
    return static_cast<int>(m_findings.size()) - ErrorCount();
}

CString CSkinReport::Line(const _SkinFinding& finding) const
{
    // Editors expect a real place; a finding without one points at the start.
    CString str;
    str.Format(L"%s:%d:%d: %s: %s", m_strFile.GetString(), std::max(finding.pos.nLine, 1),
               std::max(finding.pos.nColumn, 1), finding.bError ? L"error" : L"warning",
               OneLine(finding.strMessage).GetString());
    return str;
}

CString CSkinReport::Summary() const
{
    return m_strFile + L": " + Counted(ErrorCount(), L"error", L"errors") + L", " +
           Counted(WarningCount(), L"warning", L"warnings");
}
