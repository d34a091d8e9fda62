// Conversions between the XML library's text (XMLCh, char16_t) and ours
// (wchar_t). Both are UTF-16 code units on Windows, so texts are copied unit
// by unit without transcoding.
#pragma once
#include <string>
#include <xercesc/util/XercesDefs.hpp>
#include "framework/CString.h"

static_assert(sizeof(XMLCh) == sizeof(wchar_t), "XMLCh and wchar_t must both be UTF-16 code units");

// The library's text as our string; a null pointer gives empty text.
CString XmlToText(const XMLCh* pszXml);

// Our text as the library's string; a null pointer gives empty text.
std::u16string TextToXml(const wchar_t* pszText);
