#include "skincheck/CSkinSaxHandler.h"
#include <map>
#include "skin/XmlText.h"

using namespace xercesc;

_SkinPos CSkinSaxHandler::LocatorPos() const
{
    _SkinPos pos;
    if (m_pLocator) {
        pos.nLine = static_cast<int>(m_pLocator->getLineNumber());
        pos.nColumn = static_cast<int>(m_pLocator->getColumnNumber());
    }
    return pos;
}

void CSkinSaxHandler::startElement(const XMLCh* const, const XMLCh* const, const XMLCh* const pszQName,
                                   const Attributes& attributes)
{
    _SkinSourceElement element;
    element.strName = XmlToText(pszQName);
    // The locator stands after the start tag; the text tells where it began.
    _SkinPos posAfter = LocatorPos();
    std::map<std::wstring, _SkinPos> places;
    if (!m_text.FindStartTag(posAfter, element.pos, places))
        element.pos = posAfter;
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i) {
        _SkinSourceAttribute attribute;
        attribute.strName = XmlToText(attributes.getQName(i));
        attribute.strValue = XmlToText(attributes.getValue(i));
        auto it = places.find(attribute.strName.Std());
        attribute.pos = it != places.end() ? it->second : element.pos;
        element.attributes.push_back(attribute);
    }
    int nIndex = static_cast<int>(m_map.m_elements.size());
    if (!m_open.empty())
        m_map.m_elements[m_open.back()].children.push_back(nIndex);
    m_map.m_elements.push_back(element);
    m_open.push_back(nIndex);
}

void CSkinSaxHandler::endElement(const XMLCh* const, const XMLCh* const, const XMLCh* const)
{
    if (!m_open.empty())
        m_open.pop_back();
}

void CSkinSaxHandler::Record(const SAXParseException& e, bool bWarning)
{
    _SkinXmlError error;
    error.strMessage = XmlToText(e.getMessage());
    error.pos.nLine = static_cast<int>(e.getLineNumber());
    error.pos.nColumn = static_cast<int>(e.getColumnNumber());
    error.bWarning = bWarning;
    m_map.m_errors.push_back(error);
}
