// Skin reader: parses the skin description file, finds a section by a path of
// element names below the document's root (matched ignoring case) and copies
// the section's WindowInfo, PosInfo and DynamicInfo entries into tables that
// the owner keeps; typed reads by key come from those tables afterwards.
// The XML library must have been initialised by the host process; a load made
// without it, or of a missing or malformed file, reads nothing. Nothing throws.
#pragma once
#include <windows.h>
#include <xercesc/util/XercesDefs.hpp>
#include "framework/CArray.h"
#include "framework/CMap.h"
#include "framework/CString.h"
#include "skin/CDpiScale.h"
#include "skin/XmlDynamicItem.h"
#include "skin/XmlLoadError.h"
#include "skin/XmlPosItem.h"

XERCES_CPP_NAMESPACE_BEGIN
class DOMElement;
class DOMNode;
XERCES_CPP_NAMESPACE_END

class CQmXMLParseBase
{
public:
    CQmXMLParseBase();
    virtual ~CQmXMLParseBase();
    CQmXMLParseBase(const CQmXMLParseBase&) = delete;
    CQmXMLParseBase& operator=(const CQmXMLParseBase&) = delete;

    // Parses the file and reads the first section, then the second unless its
    // path is empty, into pReader's tables. strSkinName is the image folder below
    // the skin file's folder. A failed load leaves the tables as they were.
    static void ParseSkinFile(const CString& strSkinFile, CQmXMLParseBase* pReader, const CString& strSection,
                              const CString& strSection2, const CString& strSkinName);

    // Resolves the backslash-separated section path below pRoot (trailing
    // backslashes ignored; an empty component finds nothing) and reads the
    // section's sub-sections. strSkinDir ends with a backslash.
    static void ReadSection(CQmXMLParseBase* pReader, xercesc::DOMElement* pRoot, const CString& strSkinDir,
                            const CString& strSection, const CString& strSkinName);

    // First element child whose name equals pszName ignoring case; null when none
    // or when pElement is null.
    static xercesc::DOMElement* FindChildElement(xercesc::DOMNode* pElement, const wchar_t* pszName);

    // Clears strDest and copies the attribute (name matched exactly) into it;
    // 1 when the element has that attribute, 0 otherwise.
    static int GetAttributeText(xercesc::DOMNode* pElement, const wchar_t* pszName, CString& strDest);

    // Updates descriptions by ID (ignoring case) or appends new ones: texts follow
    // the newest entry, image paths and numbers only when it gives them. Image
    // paths are built from strSkinDir and the reader's m_strSkinName.
    static void ReadDynamicInfo(xercesc::DOMElement* pDynamicInfo, CQmXMLParseBase* pReader, const CString& strSkinDir,
                                CArray<_XmlDynamicItem, const _XmlDynamicItem&>& arrItems);

    // Data text of the key, empty when absent; with bPath a non-empty text becomes
    // m_strSkinDir + m_strSkinName + "\" + text.
    void GetInfoString(const wchar_t* pszKey, BOOL bPath, CString& strDest) const;
    // nDest = 0, then the number rule on the key's text; 1 when the text was not empty.
    int GetInfoNumber(const wchar_t* pszKey, int& nDest) const;
    // Rectangle rule on the key's text, starting from an empty rectangle, so an
    // absent key or a text with fewer than four numbers leaves the rest 0.
    void GetInfoRect(const wchar_t* pszKey, RECT& rcDest) const;
    // Integer-pair rule on the key's text, starting from (0, 0).
    void GetInfoPoint(const wchar_t* pszKey, POINT& ptDest) const;
    // The same reads of lengths, turned from skin pixels into device pixels at m_dpi.
    int GetInfoLength(const wchar_t* pszKey, int& nDest) const;
    void GetInfoLengthRect(const wchar_t* pszKey, RECT& rcDest) const;
    void GetInfoLengthPoint(const wchar_t* pszKey, POINT& ptDest) const;
    // A list of nCount lengths separated by ";" ("l;t;r;b"); a missing or
    // unreadable one reads as 0.
    void GetInfoLengthList(const wchar_t* pszKey, int* pnDest, int nCount) const;

    // The DPI the reader's owner draws at; lengths in the skin are at 96 DPI.
    CDpiScale m_dpi;
    CString m_strSkinDir;  // folder of the skin file, with a trailing backslash
    CString m_strSkinName; // image folder below m_strSkinDir
    CMap<CString, const wchar_t*, _XmlPosItem*, _XmlPosItem*> m_mapPosInfo; // owned items
    CMap<CString, const wchar_t*, CString, const wchar_t*> m_mapWindowInfo;
    CArray<_XmlDynamicItem, const _XmlDynamicItem&> m_arrDynamicItems;
    // Why the last ParseSkinFile read nothing; bFailed false after a good load.
    _XmlLoadError m_loadError;

private:
    static xercesc::DOMElement* FindSection(xercesc::DOMElement* pRoot, const CString& strPath);
    // Entry tables of one sub-section each; a null element adds nothing.
    static void ReadWindowInfo(xercesc::DOMElement* pWindowInfo, CQmXMLParseBase* pReader);
    static void ReadPosInfo(xercesc::DOMElement* pPosInfo, CQmXMLParseBase* pReader);
    CString WindowInfoText(const wchar_t* pszKey) const;
};
