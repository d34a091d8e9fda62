#include "CHostileCatalog.h"
#include "CHostileValues.h"
#include <cstdint>

namespace {

// Field sizes of the tool records in UTF-16 units, terminator excluded.
const int kNameUnits = 50, kIdUnits = 100, kVersionUnits = 160, kDescUnits = 102;
const char kSurrogatePair[] = "\xF0\x9F\x94\xA7"; // one character, two UTF-16 units
// A hostile tool's bytes besides its six variable fields (keys, line ends,
// the listing flag and the command's program), and the variable fields.
const uint64_t kToolFrameBytes = 128, kToolFields = 6;
// The most a hostile tool can take: five fields of up to 100,000 characters,
// a long icon path and the frame. A tool allowed this much is not cut.
const uint64_t kMostToolBytes = 512 << 10;
// What a tool keeps for each tool after it while the budget allows, so that
// a tool is cut only when the budget runs short, and then by no more than
// its fields beyond 64 bytes each.
const uint64_t kToolReserveBytes = kToolFrameBytes + kToolFields * 64;

const std::string kInvalidLine = "\nthis line makes the catalog invalid\n";
const std::vector<std::string> kIconPaths = {"", "icons\\good.png", "icons\\missing.png", "icons\\garbage.png",
                                             "icons\\empty.png", "icons\\truncated.png", "icons", "CON", "NUL.png",
                                             "..\\..\\..\\..\\windows\\win.ini", "C:\\", "\\\\?\\", "*", "%s%n.png",
                                             "icons\\..\\icons\\good.png", "catalog.ini"};
const std::vector<std::string> kListed = {"1", "1", "1", "1", "0", "yes", "no", "true", "false", "", "2", "%s"};
const std::vector<std::string> kSources = {"next.ini", "next.ini", "next.ini", "", "missing.ini",
                                           "http://127.0.0.1:9/catalog.ini", "%s%n", "CON", "..\\..\\next.ini"};

} // namespace

CHostileCatalog::CHostileCatalog(const std::string& strSampleImage, CSoakRandom& random)
    : m_strSampleImage(strSampleImage), m_random(random)
{
}

void CHostileCatalog::Make(uint64_t nMaxBytes, HostileCatalogFiles& files)
{
    std::string strGarbage;
    for (int i = m_random.Between(1, 3000); i > 0; --i)
        strGarbage += static_cast<char>(m_random.Below(256));
    files.icons = {{"icons\\good.png", m_strSampleImage},
                   {"icons\\garbage.png", strGarbage},
                   {"icons\\empty.png", std::string()},
                   {"icons\\truncated.png", m_strSampleImage.substr(0, m_strSampleImage.size() / 3)}};
    uint64_t nLeft = nMaxBytes;
    for (const SoakFile& icon : files.icons)
        nLeft = CHostileValues::Left(nLeft, icon.strBytes.size());
    int nRoll = m_random.Below(100);
    if (nRoll < 3) {
        files.bPresent = false;
        files.notes.push_back("no catalog");
    }
    m_nHostilePercent = m_random.Pick(std::vector<int>{0, 5, 20, 50, 100});
    files.nTools = ToolCount();
    files.notes.push_back(std::to_string(files.nTools) + " tools, " + std::to_string(m_nHostilePercent) +
                          "% of them hostile");
    // The catalog may take half of what is left, the refresh source the rest.
    files.strCatalog = CatalogText(files.nTools, true, CHostileValues::Left(nLeft / 2, kInvalidLine.size()));
    nLeft = CHostileValues::Left(nLeft, files.strCatalog.size() + kInvalidLine.size());
    if (nRoll >= 3 && nRoll < 6) {
        files.strCatalog.insert(static_cast<size_t>(m_random.Below(static_cast<int>(files.strCatalog.size()))),
                                kInvalidLine);
        files.notes.push_back("an invalid line");
    }
    files.nRefreshTools = m_random.Percent(90) ? m_random.Between(0, 200) : ToolCount();
    files.notes.push_back("refresh source: " + std::to_string(files.nRefreshTools) + " tools");
    files.strRefreshSource = CatalogText(files.nRefreshTools, false, nLeft);
}

HostileCatalogFiles CHostileCatalog::Plain(int nTools)
{
    HostileCatalogFiles files;
    files.icons = {{"icons\\good.png", m_strSampleImage}};
    m_nHostilePercent = 0;
    files.nTools = files.nRefreshTools = nTools;
    files.strCatalog = "[Catalog]\nSource=next.ini\n" + CatalogText(nTools, false, UINT64_MAX);
    files.strRefreshSource = CatalogText(nTools, false, UINT64_MAX);
    return files;
}

int CHostileCatalog::ToolCount()
{
    // Mostly a few tools or dozens; one case in a hundred has tens of thousands.
    int nRoll = m_random.Below(100);
    if (nRoll < 30)
        return m_random.Between(0, 3);
    if (nRoll < 77)
        return m_random.Between(4, 60);
    if (nRoll < 92)
        return m_random.Between(61, 1000);
    if (nRoll < 99)
        return m_random.Between(1001, 20000);
    return m_random.Between(20001, 100000);
}

std::string CHostileCatalog::CatalogText(int nTools, bool bWithSource, uint64_t nMaxBytes)
{
    std::string strText = m_nHostilePercent && m_random.Percent(20) ? "\xEF\xBB\xBF; soak catalog\n" : "; soak catalog\n";
    if (bWithSource)
        strText += "[Catalog]\nSource=" + Source() + "\n";
    for (int i = 0; i < nTools; ++i) {
        uint64_t nLeft = CHostileValues::Left(nMaxBytes, strText.size());
        uint64_t nAfter = static_cast<uint64_t>(nTools - i - 1);
        // What is left less the reserves of the tools after this one, or an
        // even share when not even the reserves fit.
        bool bReserves = nLeft / kToolReserveBytes > nAfter;
        strText += Tool(i, bReserves ? nLeft - nAfter * kToolReserveBytes : nLeft / (nAfter + 1));
    }
    return strText;
}

std::string CHostileCatalog::Source()
{
    return m_random.Pick(kSources);
}

std::string CHostileCatalog::Tool(int nIndex, uint64_t nMaxBytes)
{
    uint64_t nField = nMaxBytes >= kMostToolBytes ? UINT64_MAX : CHostileValues::Left(nMaxBytes, kToolFrameBytes) / kToolFields;
    bool bHostile = m_random.Percent(m_nHostilePercent);
    std::string strNumber = std::to_string(nIndex);
    const char* pszEnd = bHostile && m_random.Percent(30) ? "\r\n" : "\n";
    if (!bHostile)
        return std::string("\n[Tool]\nName=Tool ") + strNumber + "\nId=tool" + strNumber + "\nVersion=1." +
               strNumber + "\nDescription=Soak tool " + strNumber + "\nIcon=" +
               (nIndex % 3 ? "icons\\good.png" : "") + "\nCommand=\"C:\\soak-nowhere\\tool.exe\" " + strNumber +
               "\n";
    return std::string(pszEnd) + "[Tool]" + pszEnd + "Name=" + Field("Tool", nIndex, kNameUnits, nField) + pszEnd +
           "Id=" + Field("tool", nIndex, kIdUnits, nField) + pszEnd +
           "Version=" + Field("1.", nIndex, kVersionUnits, nField) + pszEnd +
           "Description=" + Field("Soak tool", nIndex, kDescUnits, nField) + pszEnd + "Icon=" + Icon(nField) +
           pszEnd + "Listed=" + m_random.Pick(kListed) + pszEnd + "Command=\"C:\\soak-nowhere\\%s%n.exe\" " +
           Field("", nIndex, 30, nField) + pszEnd;
}

std::string CHostileCatalog::Field(const char* pszPlain, int nIndex, int nFieldUnits, uint64_t nMaxBytes)
{
    // The random numbers are drawn as without a cap, so a case within the
    // cap is the same with and without it.
    return CHostileValues::Clip(AnyField(pszPlain, nIndex, nFieldUnits), nMaxBytes);
}

std::string CHostileCatalog::AnyField(const char* pszPlain, int nIndex, int nFieldUnits)
{
    CHostileValues values(m_random);
    switch (m_random.Below(6)) {
    case 0: // exactly filling the field, one unit short or over, or a surrogate pair across its end
    {
        int nUnits = nFieldUnits + m_random.Between(-1, 1);
        std::string strText(static_cast<size_t>(nUnits - 1), 'F');
        return m_random.Percent(50) ? strText + "F" : strText + kSurrogatePair;
    }
    case 1: return std::string(static_cast<size_t>(m_random.Between(nFieldUnits, 20000)), 'L');
    case 2: return "%s%n%x%p%999s%{0}%" + std::to_string(nIndex);
    case 3: return std::string();
    case 4: {
        // One line only: a value ends at the line's end.
        std::string strText = values.Text();
        for (char& ch : strText)
            if (ch == '\n' || ch == '\r' || ch == '\0')
                ch = ' ';
        return strText;
    }
    default: return std::string(pszPlain) + " " + std::to_string(m_random.Below(5)); // duplicates
    }
}

std::string CHostileCatalog::Icon(uint64_t nMaxBytes)
{
    if (m_random.Percent(10))
        return CHostileValues::Clip(std::string(static_cast<size_t>(m_random.Between(200, 2000)), 'i') + ".png",
                                    nMaxBytes);
    return CHostileValues::Clip(m_random.Pick(kIconPaths), nMaxBytes);
}
