// Error handler for one skin parse: prints nothing, stops the parse at the first
// fatal error and remembers it, so a malformed file counts as a failed load
// (the parser would otherwise hand back the part it had built).
#pragma once
#include <xercesc/dom/DOMError.hpp>
#include <xercesc/dom/DOMErrorHandler.hpp>

class CXmlErrorTrap : public xercesc::DOMErrorHandler
{
public:
    bool handleError(const xercesc::DOMError& error) override
    {
        if (error.getSeverity() != xercesc::DOMError::DOM_SEVERITY_FATAL_ERROR)
            return true;
        m_bFatal = true;
        return false;
    }

    bool HadFatalError() const { return m_bFatal; }

private:
    bool m_bFatal = false;
};
