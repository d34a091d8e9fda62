#include "CHostileSkin.h"
#include <algorithm>
#include <iterator>
#include <sstream>
#include "SoakExclusions.h"

namespace {

struct KeyKind
{
    const char* pszKey;
    SkinValueKind kind;
};

// Every WindowInfo key of the sections and every control attribute, by kind.
const KeyKind kItemKinds[] = {
    {"Title", SkinValueKind::Text},         {"Icon", SkinValueKind::Path},
    {"BackBmp", SkinValueKind::Path},       {"SheetSize", SkinValueKind::Size},
    {"IsLayerWnd", SkinValueKind::Number},  {"AlpahValue", SkinValueKind::Number},
    {"IsDrag", SkinValueKind::Number},      {"CaptionHeight", SkinValueKind::Number},
    {"FontName", SkinValueKind::Text},      {"FontSize", SkinValueKind::FontSize},
    {"FontWeight", SkinValueKind::Number},  {"FontCharSet", SkinValueKind::Number},
    {"FontColor", SkinValueKind::Colour},   {"FontFormat", SkinValueKind::Style},
    {"ShowToolTip", SkinValueKind::Number}, {"ToolTipWidth", SkinValueKind::Number},
    {"DefaultToolIcon", SkinValueKind::Path}, {"ToolTipParttern", SkinValueKind::Pattern},
    {"PluginWndMarge", SkinValueKind::Rect}, {"ItemBmp", SkinValueKind::Path},
    {"ListItemSpec", SkinValueKind::ItemSpec}, {"ItemIconPos", SkinValueKind::Point},
    {"ItemStringRect", SkinValueKind::Rect}, {"Width", SkinValueKind::Number},
    {"Inset", SkinValueKind::Point},        {"TrackBmp", SkinValueKind::Path},
    {"TrackSlice", SkinValueKind::ItemSpec}, {"ThumbBmp", SkinValueKind::Path},
    {"ThumbSlice", SkinValueKind::ItemSpec}, {"ThumbMinLength", SkinValueKind::Number},
    {"AutoHide", SkinValueKind::Number},
};
const KeyKind kControlKinds[] = {
    {"ID", SkinValueKind::Text},         {"Name", SkinValueKind::Text},       {"FontName", SkinValueKind::Text},
    {"FontColor", SkinValueKind::Colour}, {"FontFormat", SkinValueKind::Style}, {"ToolTip", SkinValueKind::Text},
    {"BkImg", SkinValueKind::Path},      {"Cursor", SkinValueKind::Path},     {"Icon", SkinValueKind::Path},
    {"FontSize", SkinValueKind::FontSize}, {"Pos", SkinValueKind::Rect},      {"ControlType", SkinValueKind::Number},
    {"ControlStyle", SkinValueKind::Number}, {"DrawFocus", SkinValueKind::Number},
};
const std::vector<std::string> kControlIds = {"Refresh", "REFRESH", "LABEL1", "LABEL2", "LABEL3", "ICON", "CLOSE",
                                              "IDOK", "IDCANCEL", "IDYES", "IDNO", "MINIMIZE", "TITLE", "", "x"};
const std::vector<std::string> kControlStyles = {"0X80000000", "0X40000000", "0X10000000", "0X08000000",
                                                 "0X01000000", "0X00C00000", "0X0000000B", "0X00000007",
                                                 "0X00000100", "0XFFFFFFFF", "0X00200000"};
const char kItemMarker[] = "<Item ";
const char kControlMarker[] = "<Control ";

SkinValueKind KindOf(const KeyKind* pTable, size_t nCount, const std::string& strKey)
{
    for (size_t i = 0; i < nCount; ++i)
        if (strKey == pTable[i].pszKey)
            return pTable[i].kind;
    return SkinValueKind::Text;
}

std::string AttributeValue(const std::string& strLine, const std::string& strName)
{
    size_t nAt = strLine.find(" " + strName + "=\"");
    if (nAt == std::string::npos)
        return std::string();
    nAt += strName.size() + 3;
    return strLine.substr(nAt, strLine.find('"', nAt) - nAt);
}

} // namespace

CHostileSkin::CHostileSkin(const std::string& strDefaultXml, const std::string& strSampleImage, CSoakRandom& random,
                           HostileSkinFiles& files)
    : m_strSampleImage(strSampleImage), m_random(random), m_values(random), m_files(files)
{
    std::istringstream lines(strDefaultXml);
    for (std::string strLine; std::getline(lines, strLine);)
        m_lines.push_back(strLine);
}

void CHostileSkin::Make(uint64_t nMaxBytes)
{
    MakeImages();
    for (const SoakFile& image : m_files.images)
        nMaxBytes = CHostileValues::Left(nMaxBytes, image.strBytes.size());
    int nRoll = m_random.Below(100);
    if (nRoll < 3) {
        m_files.form = HostileSkinFiles::Form::Missing;
        m_files.notes.push_back("no skin file");
        return;
    }
    if (nRoll < 4) {
        m_files.form = HostileSkinFiles::Form::Folder;
        m_files.notes.push_back("a folder where the skin file belongs");
        return;
    }
    // Most cases swap values, and some add one structural change or more.
    SwapItemValues(m_random.Between(0, 6));
    SwapControlAttributes(m_random.Between(0, 4));
    if (m_random.Percent(20))
        AddControls(m_random.Between(1, m_random.Percent(90) ? 8 : 300));
    if (m_random.Percent(10))
        DuplicateLines(m_random.Between(1, 5), nMaxBytes);
    if (m_random.Percent(8))
        RemoveLines(m_random.Between(1, 6));
    if (m_random.Percent(5))
        NestDeeply();
    if (m_random.Percent(5))
        AddDtd();
    std::string strXml = Text(nMaxBytes);
    m_files.strXml = m_random.Percent(12) ? Damage(strXml) : strXml;
}

size_t CHostileSkin::LineBytes() const
{
    size_t nBytes = 0;
    for (const std::string& strLine : m_lines)
        nBytes += strLine.size() + 1;
    return nBytes;
}

std::string CHostileSkin::Text(uint64_t nMaxBytes)
{
    // Damage may add a byte-order mark and a few bytes more.
    const uint64_t kDamageBytes = 16;
    nMaxBytes = CHostileValues::Left(nMaxBytes, kDamageBytes);
    std::string strXml;
    for (const std::string& strLine : m_lines) {
        if (strXml.size() + strLine.size() + 1 > nMaxBytes) {
            m_files.notes.push_back("cut after " + std::to_string(strXml.size()) + " bytes (the size cap)");
            break;
        }
        strXml += strLine + "\n";
    }
    return strXml;
}

std::string CHostileSkin::XmlEscape(const std::string& strText)
{
    // Character references ("&#13;") stay as written so that they reach the parser.
    std::string strOut;
    for (size_t i = 0; i < strText.size(); ++i) {
        char ch = strText[i];
        if (ch == '"')
            strOut += "&quot;";
        else if (ch == '<')
            strOut += "&lt;";
        else if (ch == '&' && strText.compare(i, 2, "&#") != 0)
            strOut += "&amp;";
        else
            strOut += ch;
    }
    return strOut;
}

void CHostileSkin::SetAttribute(std::string& strLine, const std::string& strName, const std::string& strValue)
{
    std::string strEscaped = XmlEscape(strValue);
    size_t nAt = strLine.find(" " + strName + "=\"");
    if (nAt == std::string::npos) {
        size_t nEnd = strLine.rfind("/>");
        if (nEnd != std::string::npos)
            strLine.insert(nEnd, " " + strName + "=\"" + strEscaped + "\"");
        return;
    }
    nAt += strName.size() + 3;
    strLine.replace(nAt, strLine.find('"', nAt) - nAt, strEscaped);
}

int CHostileSkin::PickLine(const char* pszMarker)
{
    std::vector<int> found;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].find(pszMarker) != std::string::npos)
            found.push_back(static_cast<int>(i));
    return found.empty() ? -1 : m_random.Pick(found);
}

void CHostileSkin::SwapItemValues(int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        int nLine = PickLine(kItemMarker);
        if (nLine < 0)
            return;
        std::string strKey = AttributeValue(m_lines[nLine], "ItemID");
        std::string strValue = m_values.For(KindOf(kItemKinds, std::size(kItemKinds), strKey));
        SetAttribute(m_lines[nLine], "Data", strValue);
        m_files.notes.push_back("value " + strKey + " = \"" + strValue.substr(0, 80) + "\"");
    }
}

std::string CHostileSkin::ControlAttribute(const std::string& strName)
{
    if (strName == "ID" && m_random.Percent(60))
        return m_random.Pick(kControlIds);
    if (strName == "ControlType" && m_random.Percent(70))
        return std::to_string(m_random.Between(0, 5));
    if (strName == "ControlStyle" && m_random.Percent(70))
        return m_random.Pick(kControlStyles);
    return m_values.For(KindOf(kControlKinds, std::size(kControlKinds), strName));
}

void CHostileSkin::SwapControlAttributes(int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        int nLine = PickLine(kControlMarker);
        if (nLine < 0)
            return;
        std::string strName = kControlKinds[m_random.Below(static_cast<int>(std::size(kControlKinds)))].pszKey;
        std::string strValue = ControlAttribute(strName);
        SetAttribute(m_lines[nLine], strName, strValue);
        m_files.notes.push_back("control attribute " + strName + " = \"" + strValue.substr(0, 80) + "\"");
    }
}

void CHostileSkin::AddControls(int nCount)
{
    int nAfter = PickLine(kControlMarker);
    if (nAfter < 0)
        return;
    for (int i = 0; i < nCount; ++i) {
        std::string strLine = "        <Control />";
        for (const KeyKind& attribute : kControlKinds)
            if (m_random.Percent(attribute.pszKey == std::string("ControlType") ? 90 : 40))
                SetAttribute(strLine, attribute.pszKey, ControlAttribute(attribute.pszKey));
        m_lines.insert(m_lines.begin() + nAfter + 1, strLine);
    }
    m_files.notes.push_back(std::to_string(nCount) + " controls added");
}

void CHostileSkin::DuplicateLines(int nCount, uint64_t nMaxBytes)
{
    for (int i = 0; i < nCount; ++i) {
        int nLine = m_random.Below(static_cast<int>(m_lines.size()));
        uint64_t nCopies = static_cast<uint64_t>(m_random.Percent(80) ? m_random.Between(1, 10) : m_random.Between(100, 3000));
        // A long value repeated thousands of times gets as many copies as fit.
        nCopies = std::min(nCopies, CHostileValues::Left(nMaxBytes, LineBytes()) / (m_lines[nLine].size() + 1));
        m_lines.insert(m_lines.begin() + nLine, static_cast<size_t>(nCopies), m_lines[nLine]);
        m_files.notes.push_back("line " + std::to_string(nLine) + " repeated " + std::to_string(nCopies) + " times");
    }
}

void CHostileSkin::RemoveLines(int nCount)
{
    for (int i = 0; i < nCount && !m_lines.empty(); ++i) {
        int nLine = m_random.Below(static_cast<int>(m_lines.size()));
        m_files.notes.push_back("line " + std::to_string(nLine) + " removed");
        m_lines.erase(m_lines.begin() + nLine);
    }
}

void CHostileSkin::NestDeeply()
{
    // Wraps one line (an entry, a section's start...) in thousands of elements.
    int nLine = m_random.Between(2, static_cast<int>(m_lines.size()) - 2);
    int nDepth = m_random.Percent(70) ? m_random.Between(10, 2000) : m_random.Between(2000, 100000);
    std::string strOpen, strClose;
    const std::string strName = m_random.Percent(50) ? "CommonWindow" : "N";
    for (int i = 0; i < nDepth; ++i) {
        strOpen += "<" + strName + ">";
        strClose += "</" + strName + ">";
    }
    m_lines[nLine] = strOpen + m_lines[nLine] + strClose;
    m_files.notes.push_back("line " + std::to_string(nLine) + " nested " + std::to_string(nDepth) + " deep");
}

void CHostileSkin::AddDtd()
{
    // Internal entities, expanding into long texts; external ones only when the
    // module no longer resolves them (SoakExclusions.h).
    int nLevels = m_random.Between(1, 9);
    std::string strDtd = "<!DOCTYPE MorvelSkin [\n<!ENTITY e0 \"%s%n&#x41;lol\">\n";
    for (int i = 1; i <= nLevels; ++i) {
        strDtd += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            strDtd += "&e" + std::to_string(i - 1) + ";";
        strDtd += "\">\n";
    }
    if (!SoakExclusions::kExternalEntities && m_random.Percent(50))
        strDtd += "<!ENTITY x SYSTEM \"" + m_random.Pick(std::vector<std::string>{"CON", "NUL", "C:\\windows\\win.ini",
                                                                                     "\\\\127.0.0.1\\share\\x"}) +
                  "\">\n";
    strDtd += "]>";
    m_lines.insert(m_lines.begin() + 1, strDtd);
    int nLine = PickLine(kItemMarker);
    if (nLine >= 0)
        SetAttribute(m_lines[nLine], "Data", "&e" + std::to_string(m_random.Between(0, nLevels)) + ";");
    m_files.notes.push_back("DTD with entities " + std::to_string(nLevels) + " levels deep");
}

std::string CHostileSkin::Damage(std::string strXml)
{
    switch (m_random.Below(4)) {
    case 0: {
        int nBytes = m_random.Between(1, 40);
        for (int i = 0; i < nBytes && !strXml.empty(); ++i)
            strXml[static_cast<size_t>(m_random.Below(static_cast<int>(strXml.size())))] =
                static_cast<char>(m_random.Below(256));
        m_files.notes.push_back(std::to_string(nBytes) + " bytes damaged");
        return strXml;
    }
    case 1: {
        size_t nKeep = static_cast<size_t>(m_random.Below(static_cast<int>(strXml.size())));
        m_files.notes.push_back("truncated after " + std::to_string(nKeep) + " bytes");
        return strXml.substr(0, nKeep);
    }
    case 2: {
        m_files.notes.push_back("declared UTF-16, written UTF-8, with a byte-order mark");
        size_t nAt = strXml.find("UTF-8");
        return "\xEF\xBB\xBF" + (nAt == std::string::npos ? strXml : strXml.replace(nAt, 5, "UTF-16"));
    }
    default:
        m_files.notes.push_back("invalid UTF-8 and NUL bytes inside");
        return strXml.insert(static_cast<size_t>(m_random.Below(static_cast<int>(strXml.size()))),
                             std::string("\xC0\xAF\xFF\0\xED\xA0\x80", 7));
    }
}

void CHostileSkin::MakeImages()
{
    // Garbage, empty, truncated and bit-flipped images under the names that
    // hostile paths use; sometimes one of the default images is replaced too.
    std::string strGarbage;
    for (int i = m_random.Between(1, 4000); i > 0; --i)
        strGarbage += static_cast<char>(m_random.Below(256));
    std::string strFlipped = m_strSampleImage;
    for (int i = m_random.Between(1, 20); i > 0 && !strFlipped.empty(); --i)
        strFlipped[static_cast<size_t>(m_random.Below(static_cast<int>(strFlipped.size())))] ^=
            static_cast<char>(1 << m_random.Below(8));
    std::string strTruncated = m_strSampleImage.substr(0, static_cast<size_t>(m_random.Below(
                                                              static_cast<int>(m_strSampleImage.size()))));
    m_files.images = {{"Hostile.png", strFlipped}, {"Hostile.ico", strGarbage}, {"Hostile.cur", strTruncated},
                      {"Empty.png", std::string()}, {"Truncated.png", strTruncated}};
    if (m_random.Percent(8)) {
        static const std::vector<std::string> kDefaults = {"ToolMgrBack.png", "ToolItem.png", "RefreshButton.png",
                                                           "ToolDefault.png", "ToolMgr.ico", "EmptyBox.png",
                                                           "ScrollTrack.png", "ScrollThumb.png"};
        std::string strName = m_random.Pick(kDefaults);
        const std::string* pChoices[] = {&strGarbage, &strFlipped, &strTruncated};
        m_files.images.push_back({strName, *pChoices[m_random.Below(3)]});
        m_files.notes.push_back("image " + strName + " damaged");
    }
}
