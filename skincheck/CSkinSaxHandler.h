// SAX2 handler of the skin checker's position pass: builds the element list
// of a CSkinSourceMap, places each start tag and its attributes with the help
// of the decoded text, and records XML errors without throwing.
#pragma once
#include <vector>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include "skincheck/CSkinSourceMap.h"
#include "skincheck/CSkinSourceText.h"

class CSkinSaxHandler : public xercesc::DefaultHandler
{
public:
    CSkinSaxHandler(CSkinSourceMap& map, const CSkinSourceText& text) : m_map(map), m_text(text) {}

    void setDocumentLocator(const xercesc::Locator* const pLocator) override { m_pLocator = pLocator; }
    void startElement(const XMLCh* const pszUri, const XMLCh* const pszLocalName, const XMLCh* const pszQName,
                      const xercesc::Attributes& attributes) override;
    void endElement(const XMLCh* const pszUri, const XMLCh* const pszLocalName, const XMLCh* const pszQName) override;
    void warning(const xercesc::SAXParseException& e) override { Record(e, true); }
    void error(const xercesc::SAXParseException& e) override { Record(e, false); }
    void fatalError(const xercesc::SAXParseException& e) override { Record(e, false); }

private:
    void Record(const xercesc::SAXParseException& e, bool bWarning);
    _SkinPos LocatorPos() const;

    CSkinSourceMap& m_map;
    const CSkinSourceText& m_text;
    const xercesc::Locator* m_pLocator = nullptr;
    std::vector<int> m_open; // the elements whose end tag is still to come
};
