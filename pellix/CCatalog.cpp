#include "pellix/CCatalog.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

// One line of the text without its line end.
CString NextLine(const CString& strText, int& nPos)
{
    int nEnd = strText.Find(L'\n', nPos);
    if (nEnd < 0)
        nEnd = strText.GetLength();
    CString strLine = strText.Mid(nPos, nEnd - nPos);
    nPos = nEnd + 1;
    return strLine.Trim();
}

} // namespace

bool CCatalog::Parse(const std::string& strUtf8)
{
    Clear();
    CString strText;
    if (!Utf8ToWide(strUtf8, strText)) {
        return false;
    }
    Section section = Section::None;
    for (int nPos = 0; nPos < strText.GetLength();) {
        if (!ParseLine(NextLine(strText, nPos), section)) {
            Clear();
            return false;
        }
    }
    return true;
}

bool CCatalog::ParseLine(const CString& strLine, Section& section)
{
    if (strLine.IsEmpty() || strLine[0] == L';' || strLine[0] == L'#')
        return true;
    if (strLine[0] == L'[') {
        if (strLine[strLine.GetLength() - 1] != L']')
            return false;
        CString strName = strLine.Mid(1, strLine.GetLength() - 2).Trim();
        if (strName.CompareNoCase(L"Catalog") == 0) {
            section = Section::Header;
            return true;
        }
        if (strName.CompareNoCase(L"Tool") == 0) {
            section = Section::Tool;
            m_tools.Add(Tool());
            return true;
        }
        return false;
    }
    int nEquals = strLine.Find(L'=');
    if (nEquals <= 0)
        return false;
    CString strKey = strLine.Left(nEquals).Trim();
    CString strValue = strLine.Mid(nEquals + 1).Trim();
    switch (section) {
    case Section::Header:
        ParseHeaderKey(strKey, strValue);
        return true;
    case Section::Tool:
        return ParseToolKey(m_tools[m_tools.GetUpperBound()], strKey, strValue);
    case Section::None:
        break;
    }
    return false;
}

void CCatalog::ParseHeaderKey(const CString& strKey, const CString& strValue)
{
    if (strKey.CompareNoCase(L"Source") == 0)
        m_strSource = strValue;
}

bool CCatalog::ParseToolKey(Tool& tool, const CString& strKey, const CString& strValue)
{
    struct TextKey { const wchar_t* pszKey; CString Tool::*pMember; };
    static const TextKey kTextKeys[] = {
        { L"Name", &Tool::strName },
        { L"Id", &Tool::strId },
        { L"Version", &Tool::strVersion },
        { L"Description", &Tool::strDescription },
        { L"Icon", &Tool::strIcon },
        { L"Command", &Tool::strCommand },
    };
    for (const TextKey& key : kTextKeys) {
        if (strKey.CompareNoCase(key.pszKey) == 0) {
            tool.*key.pMember = strValue;
            return true;
        }
    }
    if (strKey.CompareNoCase(L"Listed") == 0)
        return ParseListed(strValue, tool.bListed);
    return true;
}

bool CCatalog::ParseListed(const CString& strValue, bool& bListed)
{
    for (const wchar_t* pszYes : { L"1", L"yes", L"true" }) {
        if (strValue.CompareNoCase(pszYes) == 0) {
            bListed = true;
            return true;
        }
    }
    for (const wchar_t* pszNo : { L"0", L"no", L"false" }) {
        if (strValue.CompareNoCase(pszNo) == 0) {
            bListed = false;
            return true;
        }
    }
    return false;
}

std::string CCatalog::Serialize() const
{
    std::string strOut = "; Pellix tool catalog (UTF-8), written by Pellix after a refresh.\r\n[Catalog]\r\n";
    AppendUtf8(strOut, L"Source=" + m_strSource + L"\r\n");
    for (int i = 0; i < m_tools.GetSize(); ++i) {
        const Tool& tool = m_tools[i];
        CString strSection = L"\r\n[Tool]\r\nName=" + tool.strName + L"\r\nId=" + tool.strId +
                             L"\r\nVersion=" + tool.strVersion + L"\r\nDescription=" + tool.strDescription +
                             L"\r\nIcon=" + tool.strIcon + L"\r\nListed=" + (tool.bListed ? L"1" : L"0") +
                             L"\r\nCommand=" + tool.strCommand + L"\r\n";
        AppendUtf8(strOut, strSection);
    }
    return strOut;
}

void CCatalog::Clear()
{
    m_strSource.Empty();
    m_tools.RemoveAll();
}

bool CCatalog::Utf8ToWide(const std::string& strUtf8, CString& strWide)
{
    size_t nSkip = strUtf8.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    const char* pBytes = strUtf8.data() + nSkip;
    int cbBytes = static_cast<int>(strUtf8.size() - nSkip);
    strWide.Empty();
    if (cbBytes == 0)
        return true;
    int cch = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, pBytes, cbBytes, nullptr, 0);
    if (cch <= 0)
        return false;
    wchar_t* pBuffer = strWide.GetBuffer(cch);
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, pBytes, cbBytes, pBuffer, cch);
    strWide.ReleaseBuffer(cch);
    return true;
}

void CCatalog::AppendUtf8(std::string& strOut, const CString& strWide)
{
    if (strWide.IsEmpty())
        return;
    int cb = WideCharToMultiByte(CP_UTF8, 0, strWide, strWide.GetLength(), nullptr, 0, nullptr, nullptr);
    if (cb <= 0)
        return;
    size_t nOld = strOut.size();
    strOut.resize(nOld + static_cast<size_t>(cb));
    WideCharToMultiByte(CP_UTF8, 0, strWide, strWide.GetLength(), &strOut[nOld], cb, nullptr, nullptr);
}
