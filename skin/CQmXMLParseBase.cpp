#include "CQmXMLParseBase.h"
#include "CSkinLoadScope.h"
#include "CXmlSkinDocument.h"
#include "ValueText.h"
#include "XmlText.h"
#include <clocale>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/PlatformUtils.hpp>

using namespace xercesc;

namespace {

// Entries are the element children of a sub-section; walking siblings keeps a
// large table linear and never descends into an entry.
DOMElement* NextElement(DOMNode* pNode)
{
    while (pNode && pNode->getNodeType() != DOMNode::ELEMENT_NODE)
        pNode = pNode->getNextSibling();
    return static_cast<DOMElement*>(pNode);
}

DOMElement* FirstChildElement(DOMNode* pParent)
{
    return pParent ? NextElement(pParent->getFirstChild()) : nullptr;
}

DOMElement* NextSiblingElement(DOMElement* pElement)
{
    return NextElement(pElement->getNextSibling());
}

CString AttributeText(DOMElement* pEntry, const wchar_t* pszName)
{
    CString strValue;
    CQmXMLParseBase::GetAttributeText(pEntry, pszName, strValue);
    return strValue;
}

// Number rule on an attribute; an empty or absent attribute leaves nDest as it was.
void ReadNumberAttribute(DOMElement* pEntry, const wchar_t* pszName, int& nDest)
{
    ParseNumber(AttributeText(pEntry, pszName), nDest);
}

// A file named in the skin lies in the skin folder beside the skin file.
CString SkinImagePath(const CString& strSkinDir, const CString& strSkinName, const CString& strFile)
{
    return strSkinDir + strSkinName + L"\\" + strFile;
}

// Image paths follow the newest entry only when it names a file.
void ReadImageAttribute(DOMElement* pEntry, const wchar_t* pszName, const CString& strSkinDir,
                        const CString& strSkinName, CString& strDest)
{
    CString strFile = AttributeText(pEntry, pszName);
    if (!strFile.IsEmpty())
        strDest = SkinImagePath(strSkinDir, strSkinName, strFile);
}

// Descriptions by ID folded to lower case character by character, as the
// run-time's case-insensitive comparison folds them under the current locale;
// a large DynamicInfo table is then matched without comparing every entry with
// every earlier record. The first record of an ID keeps the slot.
using ItemIndex = std::unordered_map<std::wstring, int>;

std::wstring FoldCase(const CString& strText)
{
    std::wstring strFolded = strText.Std();
    for (wchar_t& ch : strFolded)
        ch = static_cast<wchar_t>(towlower(ch));
    return strFolded;
}

ItemIndex IndexByID(const CArray<_XmlDynamicItem, const _XmlDynamicItem&>& arrItems)
{
    ItemIndex index;
    for (int i = 0; i < arrItems.GetSize(); ++i)
        index.emplace(FoldCase(arrItems[i].strID), i);
    return index;
}

void ReadDynamicEntry(DOMElement* pEntry, const CString& strSkinDir, const CString& strSkinName,
                      _XmlDynamicItem& item)
{
    item.strName = AttributeText(pEntry, L"Name");
    item.strID = AttributeText(pEntry, L"ID");
    item.strFontName = AttributeText(pEntry, L"FontName");
    item.strFontColor = AttributeText(pEntry, L"FontColor");
    item.strFontFormat = AttributeText(pEntry, L"FontFormat");
    item.strToolTip = AttributeText(pEntry, L"ToolTip");
    ReadImageAttribute(pEntry, L"BkImg", strSkinDir, strSkinName, item.strBkImg);
    ReadImageAttribute(pEntry, L"Cursor", strSkinDir, strSkinName, item.strCursor);
    ReadImageAttribute(pEntry, L"Icon", strSkinDir, strSkinName, item.strIcon);
    ReadNumberAttribute(pEntry, L"FontSize", item.nFontSize);
    SetRectEmpty(&item.rcPos);
    ParseRectText(AttributeText(pEntry, L"Pos"), item.rcPos);
    ReadNumberAttribute(pEntry, L"ControlType", item.nControlType);
    ReadNumberAttribute(pEntry, L"ControlStyle", item.nControlStyle);
    ReadNumberAttribute(pEntry, L"DrawFocus", item.nDrawFocus);
}

} // namespace

CQmXMLParseBase::CQmXMLParseBase() = default;

CQmXMLParseBase::~CQmXMLParseBase()
{
    for (auto& entry : m_mapPosInfo)
        delete entry.second;
    m_mapPosInfo.RemoveAll();
    m_mapWindowInfo.RemoveAll();
}

void CQmXMLParseBase::ParseSkinFile(const CString& strSkinFile, CQmXMLParseBase* pReader, const CString& strSection,
                                    const CString& strSection2, const CString& strSkinName)
{
    if (!pReader)
        return;
    pReader->m_loadError = _XmlLoadError();
    CString strSkinDir;
    SplitFilePath(strSkinFile, &strSkinDir);
    // The skin's texts are handled in the Simplified Chinese code page for the
    // rest of the process; a runtime without that locale keeps its own.
    setlocale(LC_ALL, "chinese-simplified");
    // Without the host's initialisation the library has no memory manager and
    // any call into it would crash.
    if (!XMLPlatformUtils::fgMemoryManager) {
        pReader->m_loadError.Set(L"the XML library is not started");
        return;
    }
    if (GetFileAttributesW(strSkinFile) == INVALID_FILE_ATTRIBUTES) {
        pReader->m_loadError.Set(L"file not found");
        return;
    }
    try {
        std::unique_ptr<CXmlSkinDocument> pLoaded;
        CXmlSkinDocument* pDocument = CSkinLoadScope::Find(strSkinFile);
        if (!pDocument) {
            pLoaded = std::make_unique<CXmlSkinDocument>();
            pDocument = pLoaded.get();
            if (!pDocument->Load(strSkinFile)) {
                pReader->m_loadError = pDocument->Error();
                if (!pReader->m_loadError.bFailed)
                    pReader->m_loadError.Set(L"the document has no root element");
                return;
            }
            CSkinLoadScope::Keep(strSkinFile, pLoaded);
        }
        DOMElement* pRoot = pDocument->Root();
        ReadSection(pReader, pRoot, strSkinDir, strSection, strSkinName);
        if (!strSection2.IsEmpty())
            ReadSection(pReader, pRoot, strSkinDir, strSection2, strSkinName);
    } catch (...) {
        // OutOfMemoryException, XMLException, DOMException, the library's plain
        // error codes or std::bad_alloc: the load stops and reads no more.
        pReader->m_loadError.Set(L"the XML library stopped the load");
    }
}

void CQmXMLParseBase::ReadSection(CQmXMLParseBase* pReader, DOMElement* pRoot, const CString& strSkinDir,
                                  const CString& strSection, const CString& strSkinName)
{
    if (!pReader)
        return;
    CString strPath = strSection;
    while (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] == L'\\')
        strPath.Delete(strPath.GetLength() - 1);
    strPath += L'\\';
    pReader->m_strSkinName = strSkinName;

    DOMElement* pSection = FindSection(pRoot, strPath);
    if (!pSection)
        return;
    pReader->m_strSkinDir = strSkinDir;
    ReadWindowInfo(FindChildElement(pSection, L"WindowInfo"), pReader);
    ReadPosInfo(FindChildElement(pSection, L"PosInfo"), pReader);
    ReadDynamicInfo(FindChildElement(pSection, L"DynamicInfo"), pReader, strSkinDir, pReader->m_arrDynamicItems);
}

// strPath ends with exactly one backslash; each component names a child of the
// element found so far.
DOMElement* CQmXMLParseBase::FindSection(DOMElement* pRoot, const CString& strPath)
{
    DOMElement* pCurrent = pRoot;
    CString strComponent;
    int nSep = GetNextToken(strPath, L"\\", 0, strComponent);
    while (nSep != -1 && pCurrent) {
        pCurrent = FindChildElement(pCurrent, strComponent);
        nSep = GetNextToken(strPath, L"\\", nSep + 1, strComponent);
    }
    return pCurrent;
}

DOMElement* CQmXMLParseBase::FindChildElement(DOMNode* pElement, const wchar_t* pszName)
{
    for (DOMElement* pChild = FirstChildElement(pElement); pChild; pChild = NextSiblingElement(pChild))
        if (XmlToText(pChild->getNodeName()).CompareNoCase(pszName) == 0)
            return pChild;
    return nullptr;
}

int CQmXMLParseBase::GetAttributeText(DOMNode* pElement, const wchar_t* pszName, CString& strDest)
{
    strDest.Empty();
    DOMNamedNodeMap* pAttributes = pElement ? pElement->getAttributes() : nullptr;
    if (!pAttributes)
        return 0;
    std::u16string strName = TextToXml(pszName);
    DOMNode* pAttribute = pAttributes->getNamedItem(strName.c_str());
    if (!pAttribute)
        return 0;
    strDest = XmlToText(pAttribute->getNodeValue());
    return 1;
}

void CQmXMLParseBase::ReadWindowInfo(DOMElement* pWindowInfo, CQmXMLParseBase* pReader)
{
    for (DOMElement* pEntry = FirstChildElement(pWindowInfo); pEntry; pEntry = NextSiblingElement(pEntry))
        pReader->m_mapWindowInfo.SetAt(AttributeText(pEntry, L"ItemID"), AttributeText(pEntry, L"Data"));
}

void CQmXMLParseBase::ReadPosInfo(DOMElement* pPosInfo, CQmXMLParseBase* pReader)
{
    for (DOMElement* pEntry = FirstChildElement(pPosInfo); pEntry; pEntry = NextSiblingElement(pEntry)) {
        std::unique_ptr<_XmlPosItem> pItem(new _XmlPosItem);
        pItem->strItemID = AttributeText(pEntry, L"ItemID");
        // Colours of position entries are plain hexadecimal, with or without "0X".
        CString strColor = AttributeText(pEntry, L"Color");
        unsigned int uColor = 0;
        if (!strColor.IsEmpty() && swscanf_s(strColor, L"%X", &uColor) == 1)
            pItem->clrColor = uColor;
        ParseRectText(AttributeText(pEntry, L"Pos"), pItem->rcPos);

        _XmlPosItem*& pSlot = pReader->m_mapPosInfo[pItem->strItemID];
        delete pSlot;
        pSlot = pItem.release();
    }
}

void CQmXMLParseBase::ReadDynamicInfo(DOMElement* pDynamicInfo, CQmXMLParseBase* pReader, const CString& strSkinDir,
                                      CArray<_XmlDynamicItem, const _XmlDynamicItem&>& arrItems)
{
    if (!pDynamicInfo)
        return;
    const CString strSkinName = pReader ? pReader->m_strSkinName : CString();
    ItemIndex index = IndexByID(arrItems);
    for (DOMElement* pEntry = FirstChildElement(pDynamicInfo); pEntry; pEntry = NextSiblingElement(pEntry)) {
        std::wstring strKey = FoldCase(AttributeText(pEntry, L"ID"));
        auto it = index.find(strKey);
        if (it != index.end()) {
            ReadDynamicEntry(pEntry, strSkinDir, strSkinName, arrItems[it->second]);
            continue;
        }
        _XmlDynamicItem fresh;
        ReadDynamicEntry(pEntry, strSkinDir, strSkinName, fresh);
        index.emplace(std::move(strKey), arrItems.Add(fresh));
    }
}

void CQmXMLParseBase::GetInfoString(const wchar_t* pszKey, BOOL bPath, CString& strDest) const
{
    strDest = WindowInfoText(pszKey);
    if (bPath && !strDest.IsEmpty())
        strDest = SkinImagePath(m_strSkinDir, m_strSkinName, strDest);
}

int CQmXMLParseBase::GetInfoNumber(const wchar_t* pszKey, int& nDest) const
{
    nDest = 0;
    return ParseNumber(WindowInfoText(pszKey), nDest);
}

void CQmXMLParseBase::GetInfoRect(const wchar_t* pszKey, RECT& rcDest) const
{
    SetRectEmpty(&rcDest);
    ParseRectText(WindowInfoText(pszKey), rcDest);
}

void CQmXMLParseBase::GetInfoPoint(const wchar_t* pszKey, POINT& ptDest) const
{
    ptDest.x = ptDest.y = 0;
    ParsePairText(WindowInfoText(pszKey), ptDest);
}

int CQmXMLParseBase::GetInfoLength(const wchar_t* pszKey, int& nDest) const
{
    int nFound = GetInfoNumber(pszKey, nDest);
    nDest = m_dpi.Length(nDest);
    return nFound;
}

void CQmXMLParseBase::GetInfoLengthList(const wchar_t* pszKey, int* pnDest, int nCount) const
{
    CString strValue = WindowInfoText(pszKey);
    for (int i = 0; i < nCount; ++i) {
        CString strToken;
        GetToken(strValue, L";", i, strToken);
        pnDest[i] = 0;
        ParseNumber(strToken, pnDest[i]);
        pnDest[i] = m_dpi.Length(pnDest[i]);
    }
}

void CQmXMLParseBase::GetInfoLengthRect(const wchar_t* pszKey, RECT& rcDest) const
{
    GetInfoRect(pszKey, rcDest);
    rcDest = m_dpi.Rect(rcDest);
}

void CQmXMLParseBase::GetInfoLengthPoint(const wchar_t* pszKey, POINT& ptDest) const
{
    GetInfoPoint(pszKey, ptDest);
    ptDest = m_dpi.Point(ptDest);
}

CString CQmXMLParseBase::WindowInfoText(const wchar_t* pszKey) const
{
    const CString* pText = m_mapWindowInfo.PLookup(pszKey);
    return pText ? *pText : CString();
}
