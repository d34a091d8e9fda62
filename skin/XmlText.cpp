#include "XmlText.h"
#include <cwchar>
#include <xercesc/util/XMLString.hpp>

CString XmlToText(const XMLCh* pszXml)
{
    CString strText;
    if (!pszXml)
        return strText;
    int nLength = static_cast<int>(xercesc::XMLString::stringLen(pszXml));
    wchar_t* pBuffer = strText.GetBuffer(nLength);
    for (int i = 0; i < nLength; ++i)
        pBuffer[i] = static_cast<wchar_t>(pszXml[i]);
    strText.ReleaseBuffer(nLength);
    return strText;
}

std::u16string TextToXml(const wchar_t* pszText)
{
    std::u16string strXml;
    if (!pszText)
        return strXml;
    strXml.resize(wcslen(pszText));
    for (size_t i = 0; i < strXml.size(); ++i)
        strXml[i] = static_cast<char16_t>(pszText[i]);
    return strXml;
}
