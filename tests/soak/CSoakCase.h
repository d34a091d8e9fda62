// One soak case, made entirely from its seed: a hostile skin with its images,
// a hostile tool catalog with its refresh source and icons, and a message
// storm. It writes its files where the module and Pellix.dll read them, runs
// against a host, and saves itself for a replay.
//
// A case's input stays within what a real host could meet: skin, catalog
// files and icons take at most kCapBytes together (the skin a quarter of
// them, the catalog half of the rest, its refresh source what is left).
// Uncapped, huge tool counts with long fields make inputs of hundreds of
// megabytes, which a 32-bit process may fail to make: such a case is then
// "not made", with the reason and the notes of what was being made.
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
    static constexpr size_t kCapBytes = 64u << 20;

    // Makes the case; never throws (see IsMade).
    CSoakCase(uint64_t nSeed, const SoakSources& sources, bool bCapped);
    // The case that warms a child up and is run again before the last
    // measurement: the default skin, 40 ordinary tools and ordinary use.
    static CSoakCase WarmUp(const SoakSources& sources);

    uint64_t Seed() const { return m_nSeed; }
    std::string SeedText() const { return SeedText(m_nSeed); }
    static std::string SeedText(uint64_t nSeed);

    // False when making the inputs failed (out of memory); Failure says why.
    bool IsMade() const { return m_strFailure.empty(); }
    const std::string& Failure() const { return m_strFailure; }
    // The bytes of the skin, its images, the catalog, its refresh source and icons.
    size_t InputBytes() const;
    const HostileSkinFiles& Skin() const { return m_skin; }
    const HostileCatalogFiles& Catalog() const { return m_catalog; }

    // Config\Morvel_SCfg.xml and Config\Default\* below the module's folder.
    void WriteModuleFiles(const CString& strModuleFolder) const;
    // catalog.ini, next.ini and the icons in the catalog's folder.
    void WriteCatalogFiles(const CString& strCatalogFolder) const;

    // Opens the panel, runs the storm and closes the panel again.
    void Run(CSoakHost& host) const;

    // Writes everything, with case.txt (seed, outcome, what was made, the
    // storm, how to replay), into strFolder; a case that is not made or
    // whose inputs pass kCapBytes writes case.txt alone.
    void Save(const CString& strFolder, const std::string& strOutcome) const;

private:
    CSoakCase(const SoakSources& sources) : m_nSeed(0), m_bCapped(true), m_sources(sources) {}
    void Make(bool bCapped);
    std::string Description(const std::string& strOutcome) const;

    uint64_t m_nSeed;
    bool m_bCapped;
    const SoakSources& m_sources;
    HostileSkinFiles m_skin;
    HostileCatalogFiles m_catalog;
    CMessageStorm m_storm;
    std::string m_strFailure;
};
