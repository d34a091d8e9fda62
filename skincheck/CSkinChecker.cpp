#include "skincheck/CSkinChecker.h"
#include <windows.h>
#include <algorithm>
#include <map>
#include <memory>
#include "controls/GdipImage.h"
#include "framework/CHandleOwner.h"
#include "panel/CToolTipPattern.h"
#include "skin/CImageVariantSet.h"
#include "skin/ValueText.h"
#include "skincheck/CNearestName.h"
#include "skincheck/CSkinValueCheck.h"

namespace {

const wchar_t kSkinName[] = L"Default";
const wchar_t kCommonWindow[] = L"CommonWindow";
// Highest values the text style's parts take: font style bits, alignment,
// line alignment, trimming.
const int kStyleLimits[4] = {15, 2, 2, 5};
const wchar_t* const kStyleParts[4] = {L"font style", L"alignment", L"line alignment", L"trimming"};

CString Quoted(const CString& str)
{
    return L"\"" + str + L"\"";
}

CString Number(int n)
{
    CString str;
    str.Format(L"%d", n);
    return str;
}

std::string ReadBytes(const CString& strPath, bool& bRead)
{
    std::string strBytes;
    CFileOwner file(CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    bRead = file.IsValid();
    char buffer[65536];
    DWORD dwRead = 0;
    while (bRead && ReadFile(file, buffer, sizeof(buffer), &dwRead, nullptr) && dwRead > 0)
        strBytes.append(buffer, dwRead);
    return strBytes;
}

// How deep the search for variants without a base goes into the image folder.
const int kMaxFolderDepth = 8;

CString SizeText(SIZE size)
{
    CString str;
    str.Format(L"%ld x %ld", size.cx, size.cy);
    return str;
}

bool FileExists(const CString& strPath)
{
    DWORD dwAttributes = GetFileAttributesW(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The base name NAME.EXT that a file name NAME@<F>x.EXT is a variant of, or
// empty when the name is no variant's.
CString VariantBaseName(const CString& strName)
{
    int nAt = strName.ReverseFind(L'@');
    int nDot = strName.ReverseFind(L'.');
    if (nAt <= 0 || nDot < nAt)
        return CString();
    CString strBase = strName.Left(nAt) + strName.Mid(nDot);
    return CImageVariantSet::VariantIndexOf(std::wstring(strName), std::wstring(strBase)) > 0 ? strBase : CString();
}

// Frames in a button's state strip: 8 for the check-box and radio kinds of
// the control's style, 4 for push buttons (the rule of the button itself).
int ButtonFrames(int nControlStyle)
{
    int nType = nControlStyle & 0xFF;
    return (nType & 3) == 3 || (nType & 9) == 9 ? 8 : 4;
}

// The last name of a section path: "ToolMgrList" of "CommonWindow\ToolMgrList".
CString LeafName(const wchar_t* pszPath)
{
    CString strPath = pszPath;
    return strPath.Mid(strPath.ReverseFind(L'\\') + 1);
}

} // namespace

const wchar_t CSkinChecker::kSkinFileName[] = L"Morvel_SCfg.xml";

CString CSkinChecker::SkinFile(const CString& strConfigDir)
{
    CString strDir = strConfigDir;
    if (!strDir.IsEmpty() && strDir.Right(1) != L"\\" && strDir.Right(1) != L"/")
        strDir += L"\\";
    return strDir + kSkinFileName;
}

bool CSkinChecker::Check(const CString& strConfigDir, CSkinReport& report, CString& strWhy)
{
    m_pReport = &report;
    m_strConfigDir = strConfigDir;
    CString strFile = SkinFile(strConfigDir);
    bool bRead = false;
    std::string strBytes = ReadBytes(strFile, bRead);
    if (!bRead) {
        strWhy = L"cannot open " + strFile;
        return false;
    }
    m_source.Parse(strBytes, strFile);
    for (const _SkinXmlError& error : m_source.Errors()) {
        if (error.bWarning)
            report.Warning(error.pos, error.strMessage);
        else
            report.Error(error.pos, error.strMessage);
    }
    // A file the parser rejects is not read at all by the module.
    if (m_source.HasErrors() || m_source.Elements().empty())
        return true;

    CheckSectionNames();
    Section dialog, list, scrollBar;
    dialog.pszPath = SkinKeys::kDialogSection;
    list.pszPath = SkinKeys::kListSection;
    scrollBar.pszPath = SkinKeys::kScrollBarSection;
    for (Section* pSection : {&dialog, &list, &scrollBar}) {
        CQmXMLParseBase::ParseSkinFile(strFile, &pSection->reader, pSection->pszPath, CString(), kSkinName);
        pSection->nElement = m_source.FindSection(pSection->pszPath);
        // Without the scroll bar's section the panel keeps the system's bar.
        if (pSection->nElement < 0 && pSection == &scrollBar)
            continue;
        if (pSection->nElement < 0) {
            report.Warning(m_source.Element(0).pos, CString(L"section ") + pSection->pszPath +
                                                        L" is missing: the module uses its defaults for it");
            continue;
        }
        CheckWindowInfo(*pSection);
        CheckPosInfo(*pSection);
    }
    if (dialog.nElement >= 0) {
        CheckControls(dialog);
        CheckDialogValues(dialog);
    }
    if (list.nElement >= 0)
        CheckListValues(list);
    if (scrollBar.nElement >= 0)
        CheckScrollBarValues(scrollBar);
    if (dialog.nElement >= 0 && list.nElement >= 0)
        CheckListArea(dialog, list);
    CheckOrphanVariants(ConfigFolder() + kSkinName + L"\\", 0);
    return true;
}

// ---- Structure --------------------------------------------------------------

std::vector<CString> CSkinChecker::Names(const wchar_t* pszPlace)
{
    int nCount = 0;
    const _SkinKeyInfo* pTable = SkinKeys::Table(nCount);
    std::vector<CString> names;
    for (int i = 0; i < nCount; ++i)
        if (wcscmp(pTable[i].pszPlace, pszPlace) == 0)
            names.push_back(pTable[i].pszName);
    return names;
}

void CSkinChecker::CheckSectionNames()
{
    CheckChildNames(0, {kCommonWindow}, L"section");
    int nCommon = m_source.FindChild(0, kCommonWindow);
    if (nCommon < 0)
        return;
    CheckChildNames(nCommon, {LeafName(SkinKeys::kDialogSection), LeafName(SkinKeys::kListSection),
                              LeafName(SkinKeys::kScrollBarSection)},
                    L"section");
    for (int nSection : m_source.Element(nCommon).children)
        CheckChildNames(nSection, {SkinKeys::kWindowInfo, SkinKeys::kPosInfo, SkinKeys::kDynamicInfo},
                        L"sub-section");
}

// Names are matched ignoring case, and of several matching siblings the
// reader takes the first.
void CSkinChecker::CheckChildNames(int nParent, const std::vector<CString>& known, const wchar_t* pszWhat)
{
    for (int nChild : m_source.Element(nParent).children) {
        const _SkinSourceElement& child = m_source.Element(nChild);
        auto it = std::find_if(known.begin(), known.end(),
                               [&child](const CString& str) { return child.strName.CompareNoCase(str) == 0; });
        if (it == known.end())
            m_pReport->Warning(child.pos, CString(L"unknown ") + pszWhat + L" " + child.strName +
                                              CNearestName::Hint(child.strName, known));
        else if (m_source.FindChild(nParent, *it) != nChild)
            m_pReport->Warning(child.pos, CString(pszWhat) + L" " + child.strName +
                                              L" is given again: only the first one is read");
    }
}

void CSkinChecker::CheckAttributes(const _SkinSourceElement& entry, const wchar_t* pszPlace)
{
    std::vector<CString> known = Names(pszPlace);
    for (const _SkinSourceAttribute& attribute : entry.attributes) {
        if (std::find(known.begin(), known.end(), attribute.strName) != known.end())
            continue;
        m_pReport->Warning(attribute.pos, CString(L"unknown attribute ") + attribute.strName + L" in a " + pszPlace +
                                              L" entry" + CNearestName::Hint(attribute.strName, known));
    }
}

// ---- WindowInfo --------------------------------------------------------------

void CSkinChecker::CheckWindowInfo(Section& section)
{
    int nWindowInfo = m_source.FindChild(section.nElement, SkinKeys::kWindowInfo);
    if (nWindowInfo >= 0)
        CheckWindowInfoEntries(section, nWindowInfo);
    // Values as the module's reader keeps them (a later entry of a key wins).
    for (const auto& entry : section.reader.m_mapWindowInfo) {
        const _SkinKeyInfo* pInfo = SkinKeys::Find(section.pszPath, entry.first);
        if (pInfo)
            CheckKeyValue(section, *pInfo, entry.second, KeyPos(section, entry.first));
    }
}

void CSkinChecker::CheckWindowInfoEntries(const Section& section, int nWindowInfo)
{
    std::vector<CString> keys = Names(section.pszPath);
    std::map<CString, _SkinPos> seen;
    for (int nEntry : m_source.Element(nWindowInfo).children) {
        const _SkinSourceElement& entry = m_source.Element(nEntry);
        CheckAttributes(entry, SkinKeys::kWindowInfo);
        const _SkinSourceAttribute* pKey = entry.Attribute(L"ItemID");
        if (!pKey) {
            m_pReport->Warning(entry.pos, L"WindowInfo entry without ItemID: the module reads it as no key");
            continue;
        }
        if (std::find(keys.begin(), keys.end(), pKey->strValue) == keys.end())
            m_pReport->Warning(pKey->pos, L"unknown key " + pKey->strValue + L" in " + section.pszPath +
                                              CNearestName::Hint(pKey->strValue, keys));
        auto earlier = seen.find(pKey->strValue);
        if (earlier != seen.end())
            m_pReport->Warning(pKey->pos, L"key " + pKey->strValue + L" is given again (first on line " +
                                              Number(earlier->second.nLine) + L"): this later value is used");
        else
            seen.emplace(pKey->strValue, pKey->pos);
    }
}

_SkinPos CSkinChecker::KeyPos(const Section& section, const wchar_t* pszKey) const
{
    _SkinPos pos;
    int nWindowInfo = m_source.FindChild(section.nElement, SkinKeys::kWindowInfo);
    if (nWindowInfo < 0)
        return m_source.Element(section.nElement).pos;
    for (int nEntry : m_source.Element(nWindowInfo).children) {
        const _SkinSourceElement& entry = m_source.Element(nEntry);
        const _SkinSourceAttribute* pKey = entry.Attribute(L"ItemID");
        if (!pKey || pKey->strValue != pszKey)
            continue;
        const _SkinSourceAttribute* pData = entry.Attribute(L"Data");
        pos = pData ? pData->pos : entry.pos;
    }
    return pos.nLine ? pos : m_source.Element(section.nElement).pos;
}

bool CSkinChecker::HasKey(const Section& section, const wchar_t* pszKey) const
{
    const CString* pText = section.reader.m_mapWindowInfo.PLookup(pszKey);
    const _SkinKeyInfo* pInfo = SkinKeys::Find(section.pszPath, pszKey);
    // A value that is not of its kind is reported once, as an error; the
    // checks of what it means then leave it alone.
    return pText && !pText->IsEmpty() && pInfo && CSkinValueCheck::Expected(pInfo->kind, *pText).IsEmpty();
}

CString CSkinChecker::KeyText(const Section& section, const wchar_t* pszKey) const
{
    const CString* pText = section.reader.m_mapWindowInfo.PLookup(pszKey);
    return pText ? *pText : CString();
}

void CSkinChecker::CheckKeyValue(const Section& section, const _SkinKeyInfo& info, const CString& strValue,
                                 _SkinPos pos)
{
    CString strExpected = CSkinValueCheck::Expected(info.kind, strValue);
    if (!strExpected.IsEmpty()) {
        m_pReport->Error(pos, CString(info.pszName) + L" " + Quoted(strValue) + L" is not " + strExpected);
        return;
    }
    if (info.kind == SkinValueKind::Path && !strValue.IsEmpty()) {
        CString strPath;
        section.reader.GetInfoString(info.pszName, TRUE, strPath);
        CheckFile(strPath, info.fileUse, info.nFrames, pos);
    }
    CheckFontValues(info.pszName, info, strValue, pos);
}

// Colours with alpha 0 and style parts beyond their range, for FontColor
// and FontFormat wherever they are given.
void CSkinChecker::CheckFontValues(const CString& strKey, const _SkinKeyInfo& info, const CString& strValue,
                                   _SkinPos pos)
{
    std::vector<CString> parts = CSkinValueCheck::ListParts(strValue);
    if (info.kind == SkinValueKind::ColourPair) {
        if (parts.size() > 2)
            m_pReport->Warning(pos, strKey + L" has " + Number(static_cast<int>(parts.size())) +
                                        L" colours: only the first two are read");
        for (size_t i = 0; i < parts.size() && i < 2; ++i)
            if (!parts[i].IsEmpty() && (static_cast<unsigned>(CSkinValueCheck::Number(parts[i])) >> 24) == 0)
                m_pReport->Warning(pos, strKey + L" colour " + parts[i] +
                                            L" has alpha 0 and is invisible: write it as 0XFFRRGGBB");
    } else if (info.kind == SkinValueKind::StyleList) {
        if (parts.size() > 4)
            m_pReport->Warning(pos, strKey + L" has more than four parts: the rest are ignored");
        for (size_t i = 0; i < parts.size() && i < 4; ++i) {
            int n = parts[i].IsEmpty() ? 0 : CSkinValueCheck::Number(parts[i]);
            if (n < 0 || n > kStyleLimits[i])
                m_pReport->Warning(pos, strKey + L" " + kStyleParts[i] + L" " + Number(n) + L" lies outside 0 to " +
                                            Number(kStyleLimits[i]));
        }
    }
}

// ---- PosInfo and DynamicInfo ------------------------------------------------

void CSkinChecker::CheckPosInfo(const Section& section)
{
    int nPosInfo = m_source.FindChild(section.nElement, SkinKeys::kPosInfo);
    if (nPosInfo < 0)
        return;
    for (int nEntry : m_source.Element(nPosInfo).children) {
        const _SkinSourceElement& entry = m_source.Element(nEntry);
        CheckAttributes(entry, SkinKeys::kPosInfo);
        for (const _SkinSourceAttribute& attribute : entry.attributes) {
            const _SkinKeyInfo* pInfo = SkinKeys::Find(SkinKeys::kPosInfo, attribute.strName);
            CString strExpected = pInfo ? CSkinValueCheck::Expected(pInfo->kind, attribute.strValue) : CString();
            if (!strExpected.IsEmpty())
                m_pReport->Error(attribute.pos, attribute.strName + L" " + Quoted(attribute.strValue) + L" is not " +
                                                    strExpected);
        }
    }
}

void CSkinChecker::CheckControls(const Section& section)
{
    int nDynamicInfo = m_source.FindChild(section.nElement, SkinKeys::kDynamicInfo);
    if (nDynamicInfo < 0)
        return;
    // Entries with the same ID (ignoring case) describe one control.
    std::map<CString, _SkinPos> seen;
    for (int nEntry : m_source.Element(nDynamicInfo).children) {
        const _SkinSourceElement& entry = m_source.Element(nEntry);
        CheckAttributes(entry, SkinKeys::kDynamicInfo);
        CheckControlEntry(section, entry);
        const _SkinSourceAttribute* pId = entry.Attribute(L"ID");
        CString strId = pId ? pId->strValue : CString();
        CString strFolded = strId;
        strFolded.MakeUpper();
        auto earlier = seen.find(strFolded);
        if (earlier != seen.end())
            m_pReport->Warning(pId ? pId->pos : entry.pos,
                               L"duplicate control ID " + Quoted(strId) + L" (first on line " +
                                   Number(earlier->second.nLine) + L"): this entry changes that control");
        else
            seen.emplace(strFolded, entry.pos);
    }
}

void CSkinChecker::CheckControlEntry(const Section& section, const _SkinSourceElement& entry)
{
    bool bValid = true;
    for (const _SkinSourceAttribute& attribute : entry.attributes) {
        const _SkinKeyInfo* pInfo = SkinKeys::Find(SkinKeys::kDynamicInfo, attribute.strName);
        CString strExpected = pInfo ? CSkinValueCheck::Expected(pInfo->kind, attribute.strValue) : CString();
        if (!strExpected.IsEmpty()) {
            m_pReport->Error(attribute.pos, attribute.strName + L" " + Quoted(attribute.strValue) + L" is not " +
                                                strExpected);
            bValid = false;
        }
    }
    if (!bValid)
        return;
    const _SkinSourceAttribute* pType = entry.Attribute(L"ControlType");
    const _SkinSourceAttribute* pStyle = entry.Attribute(L"ControlStyle");
    int nType = pType ? CSkinValueCheck::Number(pType->strValue) : 0;
    if (nType != 1 && nType != 2 && nType != 4)
        m_pReport->Warning(pType ? pType->pos : entry.pos,
                           L"ControlType " + Number(nType) + L" creates no control (1 label, 2 button, 4 shaped button)");
    if (const _SkinSourceAttribute* pPos = entry.Attribute(L"Pos")) {
        RECT rc = {};
        ParseRectText(pPos->strValue, rc);
        if (rc.right < rc.left || rc.bottom < rc.top)
            m_pReport->Warning(pPos->pos, L"Pos " + Quoted(pPos->strValue) + L" has a negative size");
    }
    for (const _SkinSourceAttribute& attribute : entry.attributes) {
        const _SkinKeyInfo* pInfo = SkinKeys::Find(SkinKeys::kDynamicInfo, attribute.strName);
        if (!pInfo)
            continue;
        if (pInfo->kind == SkinValueKind::Path && !attribute.strValue.IsEmpty()) {
            bool bButtonStrip = attribute.strName == L"BkImg" && (nType == 2 || nType == 4);
            int nFrames = bButtonStrip ? ButtonFrames(pStyle ? CSkinValueCheck::Number(pStyle->strValue) : 0) : 0;
            CString strPath = section.reader.m_strSkinDir + kSkinName + L"\\" + attribute.strValue;
            CheckFile(strPath, pInfo->fileUse, nFrames, attribute.pos);
        }
        CheckFontValues(attribute.strName, *pInfo, attribute.strValue, attribute.pos);
    }
}

// ---- Values the module would clamp or cannot use -----------------------------

void CSkinChecker::CheckDialogValues(const Section& dialog)
{
    const CQmXMLParseBase& reader = dialog.reader;
    POINT sheet = {0, 0};
    reader.GetInfoPoint(L"SheetSize", sheet);
    if (HasKey(dialog, L"SheetSize") && (sheet.x <= 0 || sheet.y <= 0))
        m_pReport->Warning(KeyPos(dialog, L"SheetSize"), L"SheetSize " + Number(sheet.x) + L"," + Number(sheet.y) +
                                                             L" has no area: the panel has nothing to draw on");
    int nAlpha = 0;
    reader.GetInfoNumber(L"AlpahValue", nAlpha);
    if (HasKey(dialog, L"AlpahValue") && (nAlpha < 0 || nAlpha > 100))
        m_pReport->Warning(KeyPos(dialog, L"AlpahValue"), L"AlpahValue " + Number(nAlpha) +
                                                              L" lies outside 0 to 100: the module takes " +
                                                              Number(nAlpha < 0 ? 0 : 100));
    int nLayered = 0;
    reader.GetInfoNumber(L"IsLayerWnd", nLayered);
    if (nLayered != 0 && nAlpha <= 0)
        m_pReport->Warning(KeyPos(dialog, HasKey(dialog, L"AlpahValue") ? L"AlpahValue" : L"IsLayerWnd"),
                           L"a layered panel with AlpahValue 0 is invisible");
    for (const wchar_t* pszKey : {L"CaptionHeight", L"ToolTipWidth", L"FontSize"}) {
        int n = 0;
        reader.GetInfoNumber(pszKey, n);
        if (HasKey(dialog, pszKey) && n < 0)
            m_pReport->Warning(KeyPos(dialog, pszKey), CString(pszKey) + L" " + Number(n) + L" is negative");
    }
    int nCharSet = 0;
    reader.GetInfoNumber(L"FontCharSet", nCharSet);
    if (HasKey(dialog, L"FontCharSet") && (nCharSet < 0 || nCharSet > 255))
        m_pReport->Warning(KeyPos(dialog, L"FontCharSet"),
                           L"FontCharSet " + Number(nCharSet) + L" lies outside 0 to 255: only its low 8 bits are used");
    RECT rcMargins = {};
    reader.GetInfoRect(L"PluginWndMarge", rcMargins);
    int nMargins[4] = {rcMargins.left, rcMargins.top, rcMargins.right - rcMargins.left, rcMargins.bottom - rcMargins.top};
    if (HasKey(dialog, L"PluginWndMarge") && *std::min_element(nMargins, nMargins + 4) < 0)
        m_pReport->Warning(KeyPos(dialog, L"PluginWndMarge"),
                           L"PluginWndMarge has a negative margin: the list reaches outside the sheet");
    if (HasKey(dialog, L"ToolTipParttern"))
        CheckPattern(KeyText(dialog, L"ToolTipParttern"), KeyPos(dialog, L"ToolTipParttern"));
}

void CSkinChecker::CheckPattern(const CString& strPattern, _SkinPos pos)
{
    if (!CToolTipPattern::IsSafeForFormatter(strPattern))
        m_pReport->Warning(pos, L"ToolTipParttern " + Quoted(strPattern) +
                                    L" is shown literally: only up to three %s (name, version, description) and "
                                    L"%% are filled in");
}

void CSkinChecker::CheckListValues(const Section& list)
{
    const CQmXMLParseBase& reader = list.reader;
    int nFontSize = 0;
    reader.GetInfoNumber(L"FontSize", nFontSize);
    if (HasKey(list, L"FontSize") && nFontSize <= 0)
        m_pReport->Warning(KeyPos(list, L"FontSize"), L"FontSize " + Number(nFontSize) + L" makes the names invisible");
    if (HasKey(list, L"ListItemSpec")) {
        std::vector<CString> parts = CSkinValueCheck::ListParts(KeyText(list, L"ListItemSpec"));
        if (parts.size() != 4)
            m_pReport->Warning(KeyPos(list, L"ListItemSpec"), L"ListItemSpec has " +
                                                                  Number(static_cast<int>(parts.size())) +
                                                                  L" parts, not four: missing ones read as 0");
        for (size_t i = 0; i < parts.size() && i < 4; ++i)
            if (CSkinValueCheck::Number(parts[i]) < 0 || (i < 2 && CSkinValueCheck::Number(parts[i]) == 0))
                m_pReport->Warning(KeyPos(list, L"ListItemSpec"),
                                   L"ListItemSpec part " + Number(static_cast<int>(i) + 1) + L" is " +
                                       Number(CSkinValueCheck::Number(parts[i])) +
                                       (i < 2 ? L": items need a positive size" : L": spacing cannot be negative"));
    }
    RECT rcText = {};
    reader.GetInfoRect(L"ItemStringRect", rcText);
    if (HasKey(list, L"ItemStringRect") && (rcText.right < rcText.left || rcText.bottom < rcText.top))
        m_pReport->Warning(KeyPos(list, L"ItemStringRect"), L"ItemStringRect has a negative size");
}

void CSkinChecker::CheckScrollBarValues(const Section& bar)
{
    int nWidth = 0;
    bar.reader.GetInfoNumber(L"Width", nWidth);
    // A Width that is not a number is already an error.
    bool bWidthRead = HasKey(bar, L"Width") || KeyText(bar, L"Width").IsEmpty();
    if (bWidthRead && nWidth <= 0)
        m_pReport->Warning(KeyPos(bar, L"Width"), L"Width " + Number(nWidth) +
                                                      L" is not positive: the panel keeps the system scroll bar");
    POINT inset = {0, 0};
    bar.reader.GetInfoPoint(L"Inset", inset);
    if (HasKey(bar, L"Inset") && (inset.x < 0 || inset.y < 0))
        m_pReport->Warning(KeyPos(bar, L"Inset"), L"Inset " + Number(inset.x) + L"," + Number(inset.y) +
                                                      L" is negative: the bar reaches outside the list area");
    int nMinLength = 0;
    bar.reader.GetInfoNumber(L"ThumbMinLength", nMinLength);
    if (HasKey(bar, L"ThumbMinLength") && nMinLength < 0)
        m_pReport->Warning(KeyPos(bar, L"ThumbMinLength"), L"ThumbMinLength " + Number(nMinLength) + L" is negative");
    CheckSlice(bar, L"TrackSlice", L"TrackBmp");
    CheckSlice(bar, L"ThumbSlice", L"ThumbBmp");
}

// A slice is four insets (left;top;right;bottom) in image pixels that stay
// unstretched; two insets that add up to more than a frame's side overlap.
void CSkinChecker::CheckSlice(const Section& bar, const wchar_t* pszSliceKey, const wchar_t* pszImageKey)
{
    if (!HasKey(bar, pszSliceKey))
        return;
    _SkinPos pos = KeyPos(bar, pszSliceKey);
    std::vector<CString> parts = CSkinValueCheck::ListParts(KeyText(bar, pszSliceKey));
    if (parts.size() != 4)
        m_pReport->Warning(pos, CString(pszSliceKey) + L" has " + Number(static_cast<int>(parts.size())) +
                                    L" parts, not four: missing ones read as 0");
    parts.resize(4);
    int nInsets[4];
    for (int i = 0; i < 4; ++i)
        nInsets[i] = CSkinValueCheck::Number(parts[i]);
    if (*std::min_element(nInsets, nInsets + 4) < 0) {
        m_pReport->Warning(pos, CString(pszSliceKey) + L" has a negative inset");
        return;
    }
    CString strImage;
    bar.reader.GetInfoString(pszImageKey, TRUE, strImage);
    std::unique_ptr<Gdip::Image> pImage =
        HasKey(bar, pszImageKey) ? Gdip::LoadImageFile(strImage) : std::unique_ptr<Gdip::Image>();
    if (!pImage || pImage->Width() == 0)
        return;
    int nFrames = std::max(1, SkinKeys::Find(bar.pszPath, pszImageKey)->nFrames);
    int nFrameWidth = static_cast<int>(pImage->Width()) / nFrames;
    int nHeight = static_cast<int>(pImage->Height());
    if (nInsets[0] + nInsets[2] > nFrameWidth || nInsets[1] + nInsets[3] > nHeight)
        m_pReport->Warning(pos, CString(pszSliceKey) + L" " + Quoted(KeyText(bar, pszSliceKey)) +
                                    L" is larger than a frame of " + pszImageKey + L" (" +
                                    SizeText(SIZE{nFrameWidth, nHeight}) + L" pixels)");
}

// The list area (the sheet less the margins) must hold at least one item,
// or the panel shows no tool at all.
void CSkinChecker::CheckListArea(const Section& dialog, const Section& list)
{
    if (!HasKey(dialog, L"SheetSize") || !HasKey(list, L"ListItemSpec"))
        return;
    POINT sheet = {0, 0};
    dialog.reader.GetInfoPoint(L"SheetSize", sheet);
    RECT rcMargins = {};
    if (HasKey(dialog, L"PluginWndMarge"))
        dialog.reader.GetInfoRect(L"PluginWndMarge", rcMargins);
    int nAreaWidth = sheet.x - rcMargins.left - (rcMargins.right - rcMargins.left);
    std::vector<CString> parts = CSkinValueCheck::ListParts(KeyText(list, L"ListItemSpec"));
    parts.resize(4);
    int nItemWidth = CSkinValueCheck::Number(parts[0]);
    int nSpaceX = CSkinValueCheck::Number(parts[2]);
    int nPitch = nItemWidth + nSpaceX;
    bool bFits = nPitch > 0 && nAreaWidth > 0 &&
                 (nAreaWidth / nPitch > 0 || (nAreaWidth % nPitch) + nSpaceX > nItemWidth);
    if (!bFits && nItemWidth > 0)
        m_pReport->Warning(KeyPos(dialog, HasKey(dialog, L"PluginWndMarge") ? L"PluginWndMarge" : L"SheetSize"),
                           L"the list area is " + Number(nAreaWidth) + L" pixels wide, narrower than one item (" +
                               Number(nItemWidth) + L" pixels): no tool is shown");
}

// ---- Files -------------------------------------------------------------------

CString CSkinChecker::ConfigFolder() const
{
    CString strDir = SkinFile(m_strConfigDir);
    return strDir.Left(strDir.GetLength() - static_cast<int>(wcslen(kSkinFileName)));
}

CString CSkinChecker::FileOf(const CString& strPath) const
{
    CString strDir = ConfigFolder();
    return strPath.Left(strDir.GetLength()).CompareNoCase(strDir) == 0 ? strPath.Mid(strDir.GetLength()) : strPath;
}

void CSkinChecker::CheckFile(const CString& strPath, SkinFileUse use, int nFrames, _SkinPos pos)
{
    if (!FileExists(strPath)) {
        m_pReport->Error(pos, L"file " + FileOf(strPath) + L" not found");
        return;
    }
    if (use == SkinFileUse::Icon || use == SkinFileUse::Cursor) {
        UINT uType = use == SkinFileUse::Icon ? IMAGE_ICON : IMAGE_CURSOR;
        HANDLE hImage = LoadImageW(nullptr, strPath, uType, 0, 0, LR_LOADFROMFILE);
        if (!hImage)
            m_pReport->Error(pos, L"file " + FileOf(strPath) + (use == SkinFileUse::Icon
                                                                     ? L" cannot be read as an icon"
                                                                     : L" cannot be read as a cursor"));
        else if (use == SkinFileUse::Icon)
            DestroyIcon(static_cast<HICON>(hImage));
        else
            DestroyCursor(static_cast<HCURSOR>(hImage));
        return;
    }
    std::unique_ptr<Gdip::Image> pImage = Gdip::LoadImageFile(strPath);
    if (!pImage || pImage->Width() == 0) {
        m_pReport->Error(pos, L"file " + FileOf(strPath) + L" cannot be decoded as an image");
        return;
    }
    UINT nWidth = pImage->Width();
    if (nFrames > 0 && nWidth % static_cast<UINT>(nFrames) != 0)
        m_pReport->Warning(pos, L"image " + FileOf(strPath) + L" is " + Number(static_cast<int>(nWidth)) +
                                    L" pixels wide, which does not divide into its " + Number(nFrames) + L" frames");
    CheckVariants(strPath, SIZE{static_cast<LONG>(nWidth), static_cast<LONG>(pImage->Height())}, pos);
}

// The variants beside an image, as the panel judges them at a DPI above 96:
// one that cannot be decoded or is more than a pixel off its expected size is
// passed over.
void CSkinChecker::CheckVariants(const CString& strBasePath, SIZE sizeBase, _SkinPos pos)
{
    std::wstring strBase(strBasePath);
    CImageVariantSet variants = CImageVariantSet::Query(strBase);
    for (int nIndex = 1; nIndex < CImageVariantSet::kFactorCount; ++nIndex) {
        if (!variants.Has(nIndex))
            continue;
        CString strVariant = CImageVariantSet::PathOf(strBase, nIndex).c_str();
        std::unique_ptr<Gdip::Image> pVariant = Gdip::LoadImageFile(strVariant);
        if (!pVariant || pVariant->Width() == 0) {
            m_pReport->Warning(pos, L"image variant " + FileOf(strVariant) +
                                        L" cannot be decoded: the panel uses the next choice");
            continue;
        }
        SIZE sizeVariant = {static_cast<LONG>(pVariant->Width()), static_cast<LONG>(pVariant->Height())};
        if (CImageVariantSet::IsSizeRight(sizeBase, sizeVariant, nIndex))
            continue;
        m_pReport->Warning(pos, L"image variant " + FileOf(strVariant) + L" is " + SizeText(sizeVariant) +
                                    L" pixels, not " +
                                    SizeText(CImageVariantSet::ExpectedSize(sizeBase, nIndex)) + L" (" +
                                    CImageVariantSet::FactorText(nIndex) + L" times " + FileOf(strBasePath) +
                                    L"): the panel does not use it");
    }
}

// Variants whose base image is missing are never used. They belong to no
// entry of the skin file, so they are reported at its root element.
void CSkinChecker::CheckOrphanVariants(const CString& strFolder, int nDepth)
{
    WIN32_FIND_DATAW data;
    CFindOwner find(FindFirstFileExW(strFolder + L"*", FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!find.IsValid())
        return;
    do {
        CString strName = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bool bDescend = strName != L"." && strName != L".." && nDepth < kMaxFolderDepth &&
                            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
            if (bDescend)
                CheckOrphanVariants(strFolder + strName + L"\\", nDepth + 1);
            continue;
        }
        CString strBase = VariantBaseName(strName);
        if (!strBase.IsEmpty() && !FileExists(strFolder + strBase))
            m_pReport->Warning(m_source.Element(0).pos, L"image variant " + FileOf(strFolder + strName) +
                                                            L" has no base image " + FileOf(strFolder + strBase) +
                                                            L": the panel never uses it");
    } while (FindNextFileW(find.Get(), &data));
}
