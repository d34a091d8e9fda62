#include "pellix/CCatalog.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

// Lines, keys and values are read as spans of the converted text; only the
// values that a tool keeps become strings.
bool CCatalog::Parse(const std::string& strUtf8)
{
    Clear();
    CString strText;
    if (!Utf8ToWide(strUtf8, strText)) {
        return false;
    }
    Section section = Section::None;
    const wchar_t* pPos = strText.GetString();
    const wchar_t* pEnd = pPos + strText.GetLength();
    while (pPos < pEnd) {
        if (!ParseLine(CTextSpan::NextLine(pPos, pEnd).Trimmed(), section)) {
            Clear();
            return false;
        }
    }
    return true;
}

bool CCatalog::ParseLine(const CTextSpan& line, Section& section)
{
    if (line.IsEmpty() || line.First() == L';' || line.First() == L'#')
        return true;
    if (line.First() == L'[') {
        if (line.GetLength() < 2 || line.Last() != L']')
            return false;
        CTextSpan name = line.Mid(1, line.GetLength() - 2).Trimmed();
        if (name.EqualsNoCase(L"Catalog")) {
            section = Section::Header;
            return true;
        }
        if (name.EqualsNoCase(L"Tool")) {
            section = Section::Tool;
            m_tools.Add(Tool());
            return true;
        }
        return false;
    }
    int nEquals = line.Find(L'=');
    if (nEquals <= 0)
        return false;
    size_t nKeyLength = static_cast<size_t>(nEquals);
    CTextSpan key = line.Mid(0, nKeyLength).Trimmed();
    CTextSpan value = line.Mid(nKeyLength + 1, line.GetLength() - nKeyLength - 1).Trimmed();
    switch (section) {
    case Section::Header:
        ParseHeaderKey(key, value);
        return true;
    case Section::Tool:
        return ParseToolKey(m_tools[m_tools.GetUpperBound()], key, value);
    case Section::None:
        break;
    }
    return false;
}

void CCatalog::ParseHeaderKey(const CTextSpan& key, const CTextSpan& value)
{
    if (key.EqualsNoCase(L"Source"))
        m_strSource = value.ToString();
}

bool CCatalog::ParseToolKey(Tool& tool, const CTextSpan& key, const CTextSpan& value)
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
    for (const TextKey& textKey : kTextKeys) {
        if (key.EqualsNoCase(textKey.pszKey)) {
            tool.*textKey.pMember = value.ToString();
            return true;
        }
    }
    if (key.EqualsNoCase(L"Listed"))
        return ParseListed(value, tool.bListed);
    return true;
}

bool CCatalog::ParseListed(const CTextSpan& value, bool& bListed)
{
    for (const wchar_t* pszYes : { L"1", L"yes", L"true" }) {
        if (value.EqualsNoCase(pszYes)) {
            bListed = true;
            return true;
        }
    }
    for (const wchar_t* pszNo : { L"0", L"no", L"false" }) {
        if (value.EqualsNoCase(pszNo)) {
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
