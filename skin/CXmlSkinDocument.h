// The parser state of one skin load: the DOM implementation, the parser that it
// made (owned and released exactly once, which also frees the document) and the
// parsed document. Lives only inside one load, or one set-up that shares it
// (CSkinLoadScope); no DOM object outlives it.
// The XML library must have been initialised by the host process.
#pragma once
#include <memory>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include "framework/CString.h"
#include "CXmlErrorTrap.h"

class CXmlSkinDocument
{
public:
    // Creates a synchronous parser; may throw the library's exceptions.
    CXmlSkinDocument();
    CXmlSkinDocument(const CXmlSkinDocument&) = delete;
    CXmlSkinDocument& operator=(const CXmlSkinDocument&) = delete;

    // Parses the file (the path is the system identifier) and gives its root
    // element, or null when the file is missing, unreadable or not well-formed.
    xercesc::DOMElement* Load(const CString& strPath);
    // The root element of the last good load, or null.
    xercesc::DOMElement* Root() const;
    // Why Load gave no root element (bFailed false after a good load).
    const _XmlLoadError& Error() const { return m_errorTrap.Error(); }

private:
    struct ParserRelease
    {
        void operator()(xercesc::DOMLSParser* pParser) const { pParser->release(); }
    };

    CXmlErrorTrap m_errorTrap;
    // Caps entity expansion so a hostile internal DTD cannot exhaust memory.
    xercesc::SecurityManager m_securityManager;
    xercesc::DOMImplementation* m_pImplementation = nullptr; // the registry's, never released
    std::unique_ptr<xercesc::DOMLSParser, ParserRelease> m_pParser;
    xercesc::DOMDocument* m_pDocument = nullptr;            // owned by the parser
};
