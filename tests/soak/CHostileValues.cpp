#include "CHostileValues.h"
#include "SoakExclusions.h"

namespace {

const std::vector<std::string> kHugeNumbers = {"65536", "100000", "2147483647", "16385", "99999"};
const std::vector<std::string> kOverflowNumbers = {"2147483648", "4294967296", "99999999999999999999",
                                                   "0X1FFFFFFFF", "0XFFFFFFFF", "-2147483649"};
const std::vector<std::string> kPlainNumbers = {"0", "-0", "1", "-1", "2", "7", "13", "48", "100", "255", "-100",
                                                "300", "0X10", "0X7F", " 12 ", "012"};
const std::vector<std::string> kNegativeNumbers = {"-1", "-2", "-48", "-65536", "-2147483648"};
const std::vector<std::string> kGarbageNumbers = {"", " ", "0X", "-", "abc", "1x", "--1", "1.5e9", "NaN", "\t7",
                                                  "0XGG", "\xD9\xA1\xD9\xA2", "+-0", "%d", "%n%n", "%s"};

const std::vector<std::string> kFormatTexts = {"%s%s%s%s%s", "%n%n%n%n", "%x%x%x%x", "%1$s%2$n", "%*s%*s",
                                               "%ls%S%hs", "%p%p", "%%%", "%", "%s%", "{0}{1}", "%.3s%-20s",
                                               "%c%C%Z", "%I64d%lld"};
const std::vector<std::string> kOddTexts = {
    "", " ", "\xE2\x80\xAE" "desrever", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", "\xE5\xB7\xA5\xE5\x85\xB7",
    "a\xCC\x81\xCC\x81\xCC\x81\xCC\x81", "&#13;&#10;&#9;", "\\\\", "\"'<>&", "CON", "Arial Black Not Installed",
    "\xEF\xBF\xBF\xEF\xBF\xBE", "\xE2\x80\x8B", "MS Shell Dlg", "DejaVu Sans"};

const std::vector<std::string> kDevicePaths = {"CON", "NUL", "AUX", "PRN", "COM1", "LPT1", "CONIN$", "CONOUT$",
                                               "CON.png", "NUL.png", "com1.ico", "nul\\x.png", "Lpt9.cur"};
const std::vector<std::string> kClimbingPaths = {"..", ".", "\\", "..\\..", "..\\Morvel_SCfg.xml",
                                                 "..\\..\\..\\..\\..\\..\\..\\..\\windows\\win.ini",
                                                 "../../../../../../../../etc/passwd", "Default\\..\\..\\..",
                                                 "..\\Default\\..\\Default\\ToolMgrBack.png", "*.png", "?", "a:b",
                                                 "  ", "ToolMgrBack.png ", "ToolMgrBack.png\\", "Hostile.png",
                                                 "Hostile.ico", "Hostile.cur", "Empty.png", "Truncated.png"};
const std::vector<std::string> kSwappedImages = {"ToolMgrBack.png", "ToolItem.png", "RefreshButton.png",
                                                 "RefreshIcon.png", "ToolDefault.png", "EmptyBox.png",
                                                 "ToolMgr.ico"};

const std::vector<std::string> kPatterns = {"%s|%s|%s", "%s%s%s%s", "%n", "%d", "%x%x", "%ls%S", "%99s%.99s",
                                            "%-99s", "%%", "%", "%s%", "%1$s", "%*s", "%.*s", "%hs", "%Ls",
                                            "%I64s", "%c", "%p", "%s\\n%s\\t%s", "%s&#13;&#10;%s", "%#0 +-10.5ls",
                                            "%999s%999s%999s", "%.999s", ""};
const std::vector<std::string> kHugeWidthPatterns = {"%999999999s", "%.9999999s", "%2147483647s", "%s%0100000s"};

} // namespace

std::string CHostileValues::For(SkinValueKind kind)
{
    switch (kind) {
    case SkinValueKind::Number: return Number(false);
    case SkinValueKind::FontSize: return m_random.Percent(50) ? Number(false) : std::to_string(m_random.Between(-5, 400));
    case SkinValueKind::Size: return Numbers(2, ",", true);
    case SkinValueKind::Point: return Numbers(2, ",", true);
    case SkinValueKind::Rect: return Numbers(4, ",", true);
    case SkinValueKind::ItemSpec: return Numbers(4, ";", true);
    case SkinValueKind::Colour: return Numbers(m_random.Between(0, 3), ";", false);
    case SkinValueKind::Style: return Numbers(m_random.Between(0, 6), ";", false);
    case SkinValueKind::Text: return Text();
    case SkinValueKind::Path: return Path();
    case SkinValueKind::Pattern: return Pattern();
    }
    return std::string();
}

std::string CHostileValues::Number(bool bGeometry)
{
    bool bBounded = bGeometry && SoakExclusions::kHugeSurfaces;
    switch (m_random.Below(bBounded ? 4 : 7)) {
    case 0: return m_random.Pick(kPlainNumbers);
    case 1: return m_random.Pick(kGarbageNumbers);
    case 2: return std::to_string(m_random.Between(-SoakExclusions::kBoundedGeometry, SoakExclusions::kBoundedGeometry));
    case 3: return bBounded ? "-1" : m_random.Pick(kNegativeNumbers);
    case 4: return m_random.Pick(kHugeNumbers);
    case 5: return m_random.Pick(kOverflowNumbers);
    default: return std::string(static_cast<size_t>(m_random.Between(20, 5000)), '9');
    }
}

std::string CHostileValues::Numbers(int nCount, const char* pszSeparator, bool bGeometry)
{
    // Now and then the wrong number of parts, or separators only.
    if (m_random.Percent(10))
        nCount = m_random.Between(0, 6);
    std::string strText;
    for (int i = 0; i < nCount; ++i) {
        if (i > 0)
            strText += m_random.Percent(95) ? pszSeparator : (m_random.Percent(50) ? "," : ";");
        strText += Number(bGeometry);
    }
    return strText;
}

std::string CHostileValues::Text()
{
    switch (m_random.Below(4)) {
    case 0: return m_random.Pick(kFormatTexts);
    case 1: return m_random.Pick(kOddTexts);
    case 2: return LongText();
    default: return m_random.Pick(kFormatTexts) + m_random.Pick(kOddTexts) + m_random.Pick(kFormatTexts);
    }
}

std::string CHostileValues::LongText()
{
    // Up to 100,000 characters: repeated words, format characters and CJK.
    static const std::vector<std::string> kPieces = {"Tool ", "%s", "\xE5\xB7\xA5\xE5\x85\xB7", "W", "&amp;", " ",
                                                     "\xF0\x9F\x98\x80"};
    int nLength = m_random.Percent(80) ? m_random.Between(200, 5000) : m_random.Between(5000, 100000);
    const std::string& strPiece = m_random.Pick(kPieces);
    std::string strText;
    while (static_cast<int>(strText.size()) < nLength)
        strText += strPiece;
    return strText;
}

std::string CHostileValues::Path()
{
    switch (m_random.Below(5)) {
    case 0: return m_random.Pick(kDevicePaths);
    case 1: return m_random.Pick(kClimbingPaths);
    case 2: return m_random.Pick(kSwappedImages);
    case 3: return std::string(static_cast<size_t>(m_random.Between(250, 40000)), 'p') + ".png";
    default: return Text();
    }
}

std::string CHostileValues::Pattern()
{
    if (!SoakExclusions::kHugeFormatWidths && m_random.Percent(15))
        return m_random.Pick(kHugeWidthPatterns);
    switch (m_random.Below(3)) {
    case 0: return m_random.Pick(kPatterns);
    case 1: return m_random.Pick(kPatterns) + m_random.Pick(kFormatTexts) + m_random.Pick(kPatterns);
    default: return Text();
    }
}

std::string CHostileValues::Clip(std::string strText, uint64_t nMaxBytes)
{
    if (strText.size() <= nMaxBytes)
        return strText;
    size_t nEnd = static_cast<size_t>(nMaxBytes);
    while (nEnd > 0 && (static_cast<unsigned char>(strText[nEnd]) & 0xC0) == 0x80)
        --nEnd;
    strText.resize(nEnd);
    return strText;
}
