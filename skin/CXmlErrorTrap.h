// Error handler for one skin parse: prints nothing, stops the parse at the first
// fatal error and remembers it with its position, so a malformed file counts
// as a failed load (the parser would otherwise hand back the part it had built)
// and its owner can say where the file went wrong.
#pragma once
#include <xercesc/dom/DOMError.hpp>
#include <xercesc/dom/DOMErrorHandler.hpp>
#include <xercesc/dom/DOMLocator.hpp>
#include "skin/XmlLoadError.h"
#include "skin/XmlText.h"

class CXmlErrorTrap : public xercesc::DOMErrorHandler
{
public:
    bool handleError(const xercesc::DOMError& error) override
    {
        if (error.getSeverity() != xercesc::DOMError::DOM_SEVERITY_FATAL_ERROR)
            return true;
        if (!m_error.bFailed) {
            const xercesc::DOMLocator* pWhere = error.getLocation();
            m_error.Set(XmlToText(error.getMessage()), pWhere ? static_cast<long long>(pWhere->getLineNumber()) : 0,
                        pWhere ? static_cast<long long>(pWhere->getColumnNumber()) : 0);
        }
        return false;
    }

    bool HadFatalError() const { return m_error.bFailed; }
    const _XmlLoadError& Error() const { return m_error; }

private:
    _XmlLoadError m_error;
};
