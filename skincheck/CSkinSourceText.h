// The skin file's text as the XML parser sees it: decoded from its bytes (a
// byte-order mark, else the XML declaration's encoding, else UTF-8) with
// every line break made one "\n", so that the parser's line and column name
// a character of it. Used to find where a start tag and its attributes begin,
// which the parser's locator does not tell (it stands after the tag).
#pragma once
#include <map>
#include <string>
#include <vector>
#include "skincheck/_SkinPos.h"

class CSkinSourceText
{
public:
    // False when the bytes cannot be decoded; positions then stay coarse.
    bool Decode(const std::string& strBytes);

    // The start tag that ends just before pos: where its "<" is, and where
    // each of its attribute names begins. False when no tag ends there.
    bool FindStartTag(_SkinPos posAfterTag, _SkinPos& posTag, std::map<std::wstring, _SkinPos>& attributes) const;

private:
    static std::string EncodingName(const std::string& strBytes);
    bool DecodeWith(const std::string& strEncoding, const std::string& strBytes, size_t nSkip);
    void SplitLines();
    bool OffsetOf(_SkinPos pos, size_t& nOffset) const;
    _SkinPos PosOf(size_t nOffset) const;
    void ReadAttributes(size_t nAfterName, size_t nEnd, std::map<std::wstring, _SkinPos>& attributes) const;

    std::wstring m_strText;
    std::vector<size_t> m_lineStarts;
};
