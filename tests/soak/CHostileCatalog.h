// A hostile tool catalog for Pellix.dll (see pellix/README.md): from no tool
// to 100,000 tools, texts that fill or overflow their record fields (cut
// inside surrogate pairs), identifiers and names with format characters,
// missing, empty and undecodable icons, odd listing flags, and sometimes a
// catalog that is missing or invalid. Its refresh source is another one.
// Commands never name a program that exists, so a click starts nothing.
#pragma once
#include <string>
#include <vector>
#include "CHostileSkin.h"
#include "CSoakRandom.h"

struct HostileCatalogFiles
{
    bool bPresent = true;
    std::string strCatalog;        // catalog.ini
    std::string strRefreshSource;  // next.ini, what a refresh brings
    std::vector<SoakFile> icons;   // below the catalog's folder
    int nTools = 0;
    std::vector<std::string> notes;
};

class CHostileCatalog
{
public:
    // strSampleImage: a valid PNG, used as a good icon and damaged into bad ones.
    CHostileCatalog(const std::string& strSampleImage, CSoakRandom& random);

    HostileCatalogFiles Make();
    // An ordinary catalog of nTools tools with icons, refreshing to the same.
    HostileCatalogFiles Plain(int nTools);

private:
    int ToolCount();
    std::string CatalogText(int nTools, bool bWithSource);
    std::string Tool(int nIndex);
    std::string Field(const char* pszPlain, int nIndex, int nFieldUnits);
    std::string Icon();
    std::string Source();

    std::string m_strSampleImage;
    CSoakRandom& m_random;
    int m_nHostilePercent = 0; // share of tools with hostile fields
};
