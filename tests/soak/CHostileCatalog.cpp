#include "CHostileCatalog.h"
#include "CHostileValues.h"

namespace {

// Field sizes of the tool records in UTF-16 units, terminator excluded.
const int kNameUnits = 50, kIdUnits = 100, kVersionUnits = 160, kDescUnits = 102;
const char kSurrogatePair[] = "\xF0\x9F\x94\xA7"; // one character, two UTF-16 units

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

HostileCatalogFiles CHostileCatalog::Make()
{
    HostileCatalogFiles files;
    std::string strGarbage;
    for (int i = m_random.Between(1, 3000); i > 0; --i)
        strGarbage += static_cast<char>(m_random.Below(256));
    files.icons = {{"icons\\good.png", m_strSampleImage},
                   {"icons\\garbage.png", strGarbage},
                   {"icons\\empty.png", std::string()},
                   {"icons\\truncated.png", m_strSampleImage.substr(0, m_strSampleImage.size() / 3)}};
    int nRoll = m_random.Below(100);
    if (nRoll < 3) {
        files.bPresent = false;
        files.notes.push_back("no catalog");
    }
    m_nHostilePercent = m_random.Pick(std::vector<int>{0, 5, 20, 50, 100});
    files.nTools = ToolCount();
    files.strCatalog = CatalogText(files.nTools, true);
    if (nRoll >= 3 && nRoll < 6) {
        files.strCatalog.insert(static_cast<size_t>(m_random.Below(static_cast<int>(files.strCatalog.size()))),
                                "\nthis line makes the catalog invalid\n");
        files.notes.push_back("an invalid line");
    }
    files.notes.push_back(std::to_string(files.nTools) + " tools, " + std::to_string(m_nHostilePercent) +
                          "% of them hostile");
    files.strRefreshSource = CatalogText(m_random.Percent(90) ? m_random.Between(0, 200) : ToolCount(), false);
    return files;
}

HostileCatalogFiles CHostileCatalog::Plain(int nTools)
{
    HostileCatalogFiles files;
    files.icons = {{"icons\\good.png", m_strSampleImage}};
    m_nHostilePercent = 0;
    files.nTools = nTools;
    files.strCatalog = "[Catalog]\nSource=next.ini\n" + CatalogText(nTools, false);
    files.strRefreshSource = CatalogText(nTools, false);
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

std::string CHostileCatalog::CatalogText(int nTools, bool bWithSource)
{
    std::string strText = m_nHostilePercent && m_random.Percent(20) ? "\xEF\xBB\xBF; soak catalog\n" : "; soak catalog\n";
    if (bWithSource)
        strText += "[Catalog]\nSource=" + Source() + "\n";
    for (int i = 0; i < nTools; ++i)
        strText += Tool(i);
    return strText;
}

std::string CHostileCatalog::Source()
{
    return m_random.Pick(kSources);
}

std::string CHostileCatalog::Tool(int nIndex)
{
    bool bHostile = m_random.Percent(m_nHostilePercent);
    std::string strNumber = std::to_string(nIndex);
    const char* pszEnd = bHostile && m_random.Percent(30) ? "\r\n" : "\n";
    if (!bHostile)
        return std::string("\n[Tool]\nName=Tool ") + strNumber + "\nId=tool" + strNumber + "\nVersion=1." +
               strNumber + "\nDescription=Soak tool " + strNumber + "\nIcon=" +
               (nIndex % 3 ? "icons\\good.png" : "") + "\nCommand=\"C:\\soak-nowhere\\tool.exe\" " + strNumber +
               "\n";
    return std::string(pszEnd) + "[Tool]" + pszEnd + "Name=" + Field("Tool", nIndex, kNameUnits) + pszEnd +
           "Id=" + Field("tool", nIndex, kIdUnits) + pszEnd + "Version=" + Field("1.", nIndex, kVersionUnits) +
           pszEnd + "Description=" + Field("Soak tool", nIndex, kDescUnits) + pszEnd + "Icon=" + Icon() + pszEnd +
           "Listed=" + m_random.Pick(kListed) + pszEnd + "Command=\"C:\\soak-nowhere\\%s%n.exe\" " +
           Field("", nIndex, 30) + pszEnd;
}

std::string CHostileCatalog::Field(const char* pszPlain, int nIndex, int nFieldUnits)
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

std::string CHostileCatalog::Icon()
{
    if (m_random.Percent(10))
        return std::string(static_cast<size_t>(m_random.Between(200, 2000)), 'i') + ".png";
    return m_random.Pick(kIconPaths);
}
