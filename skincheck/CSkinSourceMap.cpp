#include "skincheck/CSkinSourceMap.h"
#include <memory>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>
#include "skin/ValueText.h"
#include "skin/XmlText.h"
#include "skincheck/CSkinSaxHandler.h"

using namespace xercesc;

const _SkinSourceAttribute* _SkinSourceElement::Attribute(const wchar_t* pszName) const
{
    for (const _SkinSourceAttribute& attribute : attributes)
        if (attribute.strName == pszName)
            return &attribute;
    return nullptr;
}

void CSkinSourceMap::Parse(const std::string& strBytes, const CString& strSystemId)
{
    m_elements.clear();
    m_errors.clear();
    CSkinSourceText text;
    text.Decode(strBytes);
    CSkinSaxHandler handler(*this, text);
    // The same settings as the module's parser: no namespaces, no external
    // DTD, entity expansion capped.
    SecurityManager securityManager;
    try {
        std::unique_ptr<SAX2XMLReader> pReader(XMLReaderFactory::createXMLReader());
        pReader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
        pReader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
        pReader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);
        pReader->setContentHandler(&handler);
        pReader->setErrorHandler(&handler);
        std::u16string strId = TextToXml(strSystemId);
        MemBufInputSource source(reinterpret_cast<const XMLByte*>(strBytes.data()), strBytes.size(), strId.c_str(),
                                 false);
        pReader->parse(source);
    } catch (const XMLException& e) {
        _SkinXmlError error;
        error.strMessage = XmlToText(e.getMessage());
        m_errors.push_back(error);
    } catch (...) {
        _SkinXmlError error;
        error.strMessage = L"the XML parser stopped";
        m_errors.push_back(error);
    }
}

bool CSkinSourceMap::HasErrors() const
{
    for (const _SkinXmlError& error : m_errors)
        if (!error.bWarning)
            return true;
    return false;
}

int CSkinSourceMap::FindChild(int nParent, const wchar_t* pszName) const
{
    if (nParent < 0 || nParent >= static_cast<int>(m_elements.size()))
        return -1;
    for (int nChild : m_elements[nParent].children)
        if (m_elements[nChild].strName.CompareNoCase(pszName) == 0)
            return nChild;
    return -1;
}

int CSkinSourceMap::FindSection(const wchar_t* pszPath) const
{
    if (m_elements.empty())
        return -1;
    CString strPath = pszPath;
    strPath += L'\\';
    int nCurrent = 0;
    CString strComponent;
    for (int nSep = GetNextToken(strPath, L"\\", 0, strComponent); nSep != -1 && nCurrent >= 0;
         nSep = GetNextToken(strPath, L"\\", nSep + 1, strComponent))
        nCurrent = FindChild(nCurrent, strComponent);
    return nCurrent;
}
