// A hostile tool catalog for Pellix.dll (see pellix/README.md): from no tool
// to 100,000 tools, texts that fill or overflow their record fields (cut
// inside surrogate pairs), identifiers and names with format characters,
// missing, empty and undecodable icons, odd listing flags, and sometimes a
// catalog that is missing or invalid. Its refresh source is another one.
// Commands never name a program that exists, so a click starts nothing.
// Within a size cap every tool is still written: when a huge tool count
// would pass the cap, the tools' hostile fields are shortened instead, as
// little and as late as the cap allows.
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
    int nRefreshTools = 0;
    std::vector<std::string> notes;
};

class CHostileCatalog
{
public:
    // strSampleImage: a valid PNG, used as a good icon and damaged into bad ones.
    CHostileCatalog(const std::string& strSampleImage, CSoakRandom& random);

    // Makes the files into `files`, within nMaxBytes in all; the notes come
    // before the texts they describe, so they tell what was being made when
    // making runs out of memory.
    void Make(uint64_t nMaxBytes, HostileCatalogFiles& files);
    // An ordinary catalog of nTools tools with icons, refreshing to the same.
    HostileCatalogFiles Plain(int nTools);

private:
    int ToolCount();
    // Within nMaxBytes, every tool is written; its fields are cut only when
    // what is left runs short.
    std::string CatalogText(int nTools, bool bWithSource, uint64_t nMaxBytes);
    std::string Tool(int nIndex, uint64_t nMaxBytes);
    std::string Field(const char* pszPlain, int nIndex, int nFieldUnits, uint64_t nMaxBytes);
    std::string AnyField(const char* pszPlain, int nIndex, int nFieldUnits);
    std::string Icon(uint64_t nMaxBytes);
    std::string Source();

    std::string m_strSampleImage;
    CSoakRandom& m_random;
    int m_nHostilePercent = 0; // share of tools with hostile fields
};
