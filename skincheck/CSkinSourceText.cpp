#include "skincheck/CSkinSourceText.h"
#include <windows.h>
#include <algorithm>
#include <cctype>
#include <memory>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TransService.hpp>
#include "skin/XmlText.h"

using namespace xercesc;

namespace {

bool IsNameEnd(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'=' || ch == L'>' || ch == L'/';
}

bool IsSpace(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n';
}

std::string Lower(std::string str)
{
    std::transform(str.begin(), str.end(), str.begin(), [](unsigned char ch) { return static_cast<char>(tolower(ch)); });
    return str;
}

} // namespace

bool CSkinSourceText::Decode(const std::string& strBytes)
{
    m_strText.clear();
    auto starts = [&strBytes](const char* pszMark, size_t nLen) { return strBytes.compare(0, nLen, pszMark, nLen) == 0; };
    bool bOk;
    if (starts("\xEF\xBB\xBF", 3))
        bOk = DecodeWith("UTF-8", strBytes, 3);
    else if (starts("\xFF\xFE", 2))
        bOk = DecodeWith("UTF-16LE", strBytes, 2);
    else if (starts("\xFE\xFF", 2))
        bOk = DecodeWith("UTF-16BE", strBytes, 2);
    else
        bOk = DecodeWith(EncodingName(strBytes), strBytes, 0);
    SplitLines();
    return bOk;
}

// The encoding named in an XML declaration written in ASCII, or UTF-8.
std::string CSkinSourceText::EncodingName(const std::string& strBytes)
{
    if (strBytes.compare(0, 5, "<?xml") != 0)
        return "UTF-8";
    std::string strDecl = strBytes.substr(0, strBytes.find("?>"));
    size_t nAt = strDecl.find("encoding");
    size_t nQuote = nAt == std::string::npos ? nAt : strDecl.find_first_of("\"'", nAt);
    if (nQuote == std::string::npos)
        return "UTF-8";
    size_t nEnd = strDecl.find(strDecl[nQuote], nQuote + 1);
    return nEnd == std::string::npos ? "UTF-8" : strDecl.substr(nQuote + 1, nEnd - nQuote - 1);
}

bool CSkinSourceText::DecodeWith(const std::string& strEncoding, const std::string& strBytes, size_t nSkip)
{
    if (Lower(strEncoding) == "utf-8") {
        const char* pBytes = strBytes.data() + nSkip;
        int nBytes = static_cast<int>(strBytes.size() - nSkip);
        int nChars = MultiByteToWideChar(CP_UTF8, 0, pBytes, nBytes, nullptr, 0);
        m_strText.resize(static_cast<size_t>(nChars));
        MultiByteToWideChar(CP_UTF8, 0, pBytes, nBytes, &m_strText[0], nChars);
        return nChars > 0 || nBytes == 0;
    }
    // Any other encoding through the XML library's own transcoders, as the parser reads it.
    XMLTransService::Codes code = XMLTransService::Ok;
    std::u16string strName(strEncoding.begin(), strEncoding.end());
    std::unique_ptr<XMLTranscoder> pTranscoder(
        XMLPlatformUtils::fgTransService->makeNewTranscoderFor(strName.c_str(), code, 4096));
    if (!pTranscoder || code != XMLTransService::Ok)
        return false;
    const XMLByte* pBytes = reinterpret_cast<const XMLByte*>(strBytes.data());
    std::vector<XMLCh> chunk(4096);
    std::vector<unsigned char> sizes(4096);
    for (size_t nAt = nSkip; nAt < strBytes.size();) {
        XMLSize_t nEaten = 0;
        XMLSize_t nMade = pTranscoder->transcodeFrom(pBytes + nAt, strBytes.size() - nAt, chunk.data(), chunk.size(),
                                                      nEaten, sizes.data());
        if (nEaten == 0)
            return false;
        m_strText.append(reinterpret_cast<const wchar_t*>(chunk.data()), nMade);
        nAt += nEaten;
    }
    return true;
}

// "\r\n" and a lone "\r" become "\n", as the parser reads line ends.
void CSkinSourceText::SplitLines()
{
    std::wstring strText;
    strText.reserve(m_strText.size());
    for (size_t i = 0; i < m_strText.size(); ++i) {
        wchar_t ch = m_strText[i];
        if (ch == L'\r') {
            if (i + 1 < m_strText.size() && m_strText[i + 1] == L'\n')
                ++i;
            ch = L'\n';
        }
        strText += ch;
    }
    m_strText.swap(strText);
    m_lineStarts.assign(1, 0);
    for (size_t i = 0; i < m_strText.size(); ++i)
        if (m_strText[i] == L'\n')
            m_lineStarts.push_back(i + 1);
}

bool CSkinSourceText::OffsetOf(_SkinPos pos, size_t& nOffset) const
{
    if (pos.nLine < 1 || pos.nColumn < 1 || static_cast<size_t>(pos.nLine) > m_lineStarts.size())
        return false;
    nOffset = m_lineStarts[pos.nLine - 1] + static_cast<size_t>(pos.nColumn - 1);
    return nOffset <= m_strText.size();
}

_SkinPos CSkinSourceText::PosOf(size_t nOffset) const
{
    auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), nOffset);
    size_t nLine = static_cast<size_t>(it - m_lineStarts.begin());
    _SkinPos pos;
    pos.nLine = static_cast<int>(nLine);
    pos.nColumn = static_cast<int>(nOffset - m_lineStarts[nLine - 1] + 1);
    return pos;
}

bool CSkinSourceText::FindStartTag(_SkinPos posAfterTag, _SkinPos& posTag,
                                   std::map<std::wstring, _SkinPos>& attributes) const
{
    size_t nEnd = 0;
    if (!OffsetOf(posAfterTag, nEnd) || nEnd == 0 || m_strText[nEnd - 1] != L'>')
        return false;
    // "<" cannot occur inside a start tag, not even in an attribute value.
    size_t nStart = m_strText.rfind(L'<', nEnd - 1);
    if (nStart == std::wstring::npos)
        return false;
    posTag = PosOf(nStart);
    size_t nName = nStart + 1;
    while (nName < nEnd && !IsNameEnd(m_strText[nName]))
        ++nName;
    ReadAttributes(nName, nEnd, attributes);
    return true;
}

void CSkinSourceText::ReadAttributes(size_t nAt, size_t nEnd, std::map<std::wstring, _SkinPos>& attributes) const
{
    while (nAt < nEnd) {
        while (nAt < nEnd && IsSpace(m_strText[nAt]))
            ++nAt;
        if (nAt >= nEnd || m_strText[nAt] == L'>' || m_strText[nAt] == L'/')
            return;
        size_t nName = nAt;
        while (nAt < nEnd && !IsNameEnd(m_strText[nAt]))
            ++nAt;
        attributes.emplace(m_strText.substr(nName, nAt - nName), PosOf(nName));
        size_t nQuote = m_strText.find_first_of(L"\"'", nAt);
        if (nQuote == std::wstring::npos || nQuote >= nEnd)
            return;
        size_t nClose = m_strText.find(m_strText[nQuote], nQuote + 1);
        if (nClose == std::wstring::npos)
            return;
        nAt = nClose + 1;
    }
}
