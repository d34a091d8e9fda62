// Text conversions for test files and failure messages.
#pragma once
#include <ostream>
#include <string>
#include "framework/CString.h"

// The text as UTF-8 bytes.
std::string ToUtf8(const CString& strText);
// UTF-8 bytes as text.
CString FromUtf8(const std::string& strBytes);
// The text with &, < and " replaced by entities, for an XML attribute value.
CString XmlAttribute(const CString& strText);
// Readable CString values in test failure messages.
void PrintTo(const CString& strText, std::ostream* pStream);
