#include "CXmlSkinDocument.h"
#include "XmlText.h"
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

using namespace xercesc;

CXmlSkinDocument::CXmlSkinDocument()
{
    XMLCh szFeatures[64] = {};
    XMLString::transcode("LS", szFeatures, 63, XMLPlatformUtils::fgMemoryManager);
    m_pImplementation = DOMImplementationRegistry::getDOMImplementation(szFeatures);
    if (!m_pImplementation)
        return;
    m_pParser.reset(m_pImplementation->createLSParser(DOMImplementationLS::MODE_SYNCHRONOUS, nullptr,
                                                       XMLPlatformUtils::fgMemoryManager, nullptr));
    DOMConfiguration* pConfig = m_pParser->getDomConfig();
    pConfig->setParameter(XMLUni::fgDOMErrorHandler, static_cast<DOMErrorHandler*>(&m_errorTrap));
    pConfig->setParameter(XMLUni::fgXercesSecurityManager, &m_securityManager);
    // A skin is self-contained: an external DTD is neither fetched nor needed,
    // and an external entity (a file, a share, a device) is never opened: the
    // parse fails on its first reference, like a malformed skin.
    pConfig->setParameter(XMLUni::fgXercesLoadExternalDTD, false);
    pConfig->setParameter(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    // Skins use no namespaces, and resolving prefixes walks every open element
    // for each new one, which makes deeply nested input quadratic. Element and
    // attribute names read the same either way.
    pConfig->setParameter(XMLUni::fgDOMNamespaces, false);
}

DOMElement* CXmlSkinDocument::Load(const CString& strPath)
{
    if (!m_pParser)
        return nullptr;
    std::u16string strSystemId = TextToXml(strPath);
    m_pDocument = m_pParser->parseURI(strSystemId.c_str());
    if (!m_pDocument || m_errorTrap.HadFatalError())
        return nullptr;
    return m_pDocument->getDocumentElement();
}

DOMElement* CXmlSkinDocument::Root() const
{
    return m_pDocument && !m_errorTrap.HadFatalError() ? m_pDocument->getDocumentElement() : nullptr;
}
