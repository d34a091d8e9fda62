// The skin file's elements with their places, from a pass of the XML
// library's SAX2 reader (the DOM that the module reads keeps no positions):
// each element's name, where its start tag begins, and its attributes with
// the place of each name. XML errors are collected with the parser's line
// and column; the pass stops at the first fatal one.
#pragma once
#include <string>
#include <vector>
#include "framework/CString.h"
#include "skincheck/_SkinPos.h"

struct _SkinSourceAttribute
{
    CString strName;
    CString strValue;
    _SkinPos pos;
};

struct _SkinSourceElement
{
    CString strName;
    _SkinPos pos;
    std::vector<_SkinSourceAttribute> attributes;
    std::vector<int> children; // indexes of the element children, in document order

    // The attribute whose name is exactly pszName, or null.
    const _SkinSourceAttribute* Attribute(const wchar_t* pszName) const;
};

struct _SkinXmlError
{
    CString strMessage;
    _SkinPos pos;
    bool bWarning = false;
};

class CSkinSourceMap
{
public:
    // Parses the file's bytes; strSystemId names it in the parser's messages.
    void Parse(const std::string& strBytes, const CString& strSystemId);

    bool HasErrors() const;
    const std::vector<_SkinXmlError>& Errors() const { return m_errors; }
    // Elements in document order; element 0 is the root (when there is one).
    const std::vector<_SkinSourceElement>& Elements() const { return m_elements; }
    const _SkinSourceElement& Element(int nIndex) const { return m_elements[nIndex]; }
    // The first element child of nParent whose name equals pszName ignoring
    // case, as the skin reader finds sections; -1 when none.
    int FindChild(int nParent, const wchar_t* pszName) const;
    // The element of a section path ("A\B") below the root; -1 when none.
    int FindSection(const wchar_t* pszPath) const;

private:
    friend class CSkinSaxHandler;
    std::vector<_SkinSourceElement> m_elements;
    std::vector<_SkinXmlError> m_errors;
};
