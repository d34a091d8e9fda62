// One soak case, made entirely from its seed: a hostile skin with its images,
// a hostile tool catalog with its refresh source and icons, and a message
// storm. It writes its files where the module and Pellix.dll read them, runs
// against a host, and saves itself for a replay.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>
#include "CHostileCatalog.h"
#include "CHostileSkin.h"
#include "CMessageStorm.h"
#include "framework/CString.h"

// The default skin and images that every case starts from (the build's Config folder).
struct SoakSources
{
    std::string strDefaultXml;
    std::vector<SoakFile> defaultImages;
    std::string strSampleImage; // a valid PNG, damaged into hostile images and icons

    // Reads <folder>Config; false when the default skin is not there.
    bool Read(const CString& strProgramFolder);
};

class CSoakCase
{
public:
    CSoakCase(uint64_t nSeed, const SoakSources& sources);
    // The case that warms a child up and is run again before the last
    // measurement: the default skin, 40 ordinary tools and ordinary use.
    static CSoakCase WarmUp(const SoakSources& sources);

    uint64_t Seed() const { return m_nSeed; }
    std::string SeedText() const { return SeedText(m_nSeed); }
    static std::string SeedText(uint64_t nSeed);

    // Config\Morvel_SCfg.xml and Config\Default\* below the module's folder.
    void WriteModuleFiles(const CString& strModuleFolder) const;
    // catalog.ini, next.ini and the icons in the catalog's folder.
    void WriteCatalogFiles(const CString& strCatalogFolder) const;

    // Opens the panel, runs the storm and closes the panel again.
    void Run(CSoakHost& host) const;

    // Writes everything, with case.txt (seed, outcome, what was made, the
    // storm, how to replay), into strFolder.
    void Save(const CString& strFolder, const std::string& strOutcome) const;

private:
    CSoakCase(const SoakSources& sources) : m_nSeed(0), m_sources(sources) {}

    uint64_t m_nSeed;
    const SoakSources& m_sources;
    HostileSkinFiles m_skin;
    HostileCatalogFiles m_catalog;
    CMessageStorm m_storm;
};
