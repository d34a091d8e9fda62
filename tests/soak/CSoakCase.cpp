#include "CSoakCase.h"
#include <cstdint>
#include <cstdio>
#include <exception>
#include "support/CFindOwner.h"
#include "support/TestFiles.h"

namespace {

const wchar_t kSkinFile[] = L"Config\\Morvel_SCfg.xml";
const wchar_t kImageFolder[] = L"Config\\Default\\";
const wchar_t kSampleImage[] = L"ToolDefault.png";

CString Wide(const std::string& strUtf8)
{
    int cch = MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), nullptr, 0);
    CString strText;
    if (cch > 0) {
        MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), strText.GetBuffer(cch), cch);
        strText.ReleaseBuffer(cch);
    }
    return strText;
}

// Creates the folders on the way to a file below strFolder.
void WriteBelow(const CString& strFolder, const std::string& strName, const std::string& strBytes)
{
    CString strPath = strFolder + Wide(strName);
    for (int i = strFolder.GetLength(); i < strPath.GetLength(); ++i)
        if (strPath[i] == L'\\')
            CreateDirectoryW(strPath.Left(i), nullptr);
    WriteFileBytes(strPath, strBytes);
}

void RemovePath(const CString& strPath)
{
    if (!DeleteFileW(strPath))
        RemoveDirectoryW(strPath);
}

} // namespace

bool SoakSources::Read(const CString& strProgramFolder)
{
    strDefaultXml = ReadFileBytes(strProgramFolder + kSkinFile);
    strSampleImage = ReadFileBytes(strProgramFolder + kImageFolder + kSampleImage);
    WIN32_FIND_DATAW found;
    CFindOwner search(FindFirstFileW(strProgramFolder + kImageFolder + L"*", &found));
    for (bool bMore = search.IsValid(); bMore; bMore = FindNextFileW(search, &found) != FALSE) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CString strName = found.cFileName;
        defaultImages.push_back({strName.ToAnsi(), ReadFileBytes(strProgramFolder + kImageFolder + strName)});
    }
    return !strDefaultXml.empty() && !strSampleImage.empty();
}

CSoakCase::CSoakCase(uint64_t nSeed, const SoakSources& sources, bool bCapped) : m_nSeed(nSeed), m_bCapped(bCapped), m_sources(sources)
{
    try {
        Make(bCapped);
    } catch (const std::exception& error) {
        // What was made so far is let go; the notes say how far it got.
        m_strFailure = std::string("its inputs could not be made (") + error.what() + ")";
        m_skin.strXml = std::string();
        m_skin.images.clear();
        m_catalog.strCatalog = m_catalog.strRefreshSource = std::string();
        m_catalog.icons.clear();
    }
}

namespace {
const uint64_t kCatalogStream = 1;
}

void CSoakCase::Make(bool bCapped)
{
    CSoakRandom random(m_nSeed);
    uint64_t nMaxBytes = bCapped ? kCapBytes : UINT64_MAX;
    for (const SoakFile& image : m_sources.defaultImages)
        nMaxBytes = CHostileValues::Left(nMaxBytes, image.strBytes.size());
    CHostileSkin(m_sources.strDefaultXml, m_sources.strSampleImage, random, m_skin).Make(nMaxBytes / 4);
    nMaxBytes = CHostileValues::Left(nMaxBytes, m_skin.strXml.size());
    for (const SoakFile& image : m_skin.images)
        nMaxBytes = CHostileValues::Left(nMaxBytes, image.strBytes.size());
    // The catalog and the storm draw from a stream of their own: a change to
    // the default skin (another line to damage) keeps every seed's catalog.
    CSoakRandom catalogRandom(CSoakRandom::CaseSeed(m_nSeed, kCatalogStream));
    CHostileCatalog(m_sources.strSampleImage, catalogRandom).Make(nMaxBytes, m_catalog);
    m_storm = CMessageStorm(catalogRandom, catalogRandom.Between(8, 50));
}

size_t CSoakCase::InputBytes() const
{
    size_t nBytes = m_skin.strXml.size() + m_catalog.strCatalog.size() + m_catalog.strRefreshSource.size();
    for (const std::vector<SoakFile>* pFiles : {&m_sources.defaultImages, &m_skin.images, &m_catalog.icons})
        for (const SoakFile& file : *pFiles)
            nBytes += file.strBytes.size();
    return nBytes;
}

CSoakCase CSoakCase::WarmUp(const SoakSources& sources)
{
    const int kTools = 40, kSteps = 60;
    CSoakCase warmUp(sources);
    CSoakRandom random(0);
    warmUp.m_skin.strXml = sources.strDefaultXml;
    warmUp.m_catalog = CHostileCatalog(sources.strSampleImage, random).Plain(kTools);
    warmUp.m_storm = CMessageStorm::Gentle(random, kSteps);
    return warmUp;
}

std::string CSoakCase::SeedText(uint64_t nSeed)
{
    char szSeed[24];
    snprintf(szSeed, sizeof(szSeed), "%016llx", static_cast<unsigned long long>(nSeed));
    return szSeed;
}

void CSoakCase::WriteModuleFiles(const CString& strModuleFolder) const
{
    CString strSkin = strModuleFolder + kSkinFile;
    RemovePath(strSkin);
    CreateDirectoryW(strModuleFolder + L"Config", nullptr);
    CreateDirectoryW(strModuleFolder + kImageFolder, nullptr);
    for (const SoakFile& image : m_sources.defaultImages)
        WriteBelow(strModuleFolder + kImageFolder, image.strName, image.strBytes);
    for (const SoakFile& image : m_skin.images)
        WriteBelow(strModuleFolder + kImageFolder, image.strName, image.strBytes);
    if (m_skin.form == HostileSkinFiles::Form::File)
        WriteFileBytes(strSkin, m_skin.strXml);
    else if (m_skin.form == HostileSkinFiles::Form::Folder)
        CreateDirectoryW(strSkin, nullptr);
}

void CSoakCase::WriteCatalogFiles(const CString& strCatalogFolder) const
{
    CreateDirectoryW(strCatalogFolder, nullptr);
    for (const SoakFile& icon : m_catalog.icons)
        WriteBelow(strCatalogFolder, icon.strName, icon.strBytes);
    WriteFileBytes(strCatalogFolder + L"next.ini", m_catalog.strRefreshSource);
    if (m_catalog.bPresent)
        WriteFileBytes(strCatalogFolder + L"catalog.ini", m_catalog.strCatalog);
    else
        DeleteFileW(strCatalogFolder + L"catalog.ini");
}

void CSoakCase::Run(CSoakHost& host) const
{
    if (HWND hPanel = host.Enter(host.HostWindow())) {
        SetWindowPos(hPanel, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        UpdateWindow(hPanel);
    }
    host.Drain();
    m_storm.Run(host);
    host.UnInitialize();
    host.Drain();
}

void CSoakCase::Save(const CString& strFolder, const std::string& strOutcome) const
{
    CreateDirectoryW(strFolder, nullptr);
    bool bFiles = IsMade() && InputBytes() <= kCapBytes;
    if (bFiles) {
        WriteModuleFiles(strFolder);
        WriteCatalogFiles(strFolder + L"catalog\\");
    }
    WriteFileBytes(strFolder + L"case.txt", Description(strOutcome));
}

std::string CSoakCase::Description(const std::string& strOutcome) const
{
    std::string strText = "seed " + SeedText() + "\noutcome: " + strOutcome + "\nreplay: ./tavrin soak --replay " +
                          SeedText() + (m_bCapped ? "" : " --uncapped") + "\n";
    if (!IsMade())
        strText += "inputs: not saved (" + m_strFailure + "); the notes below go as far as making got\n";
    else if (InputBytes() > kCapBytes)
        strText += "inputs: " + std::to_string(InputBytes()) + " bytes, too big to save; the replay makes them again\n";
    strText += "\nskin:\n";
    for (const std::string& strNote : m_skin.notes)
        strText += "  " + strNote + "\n";
    strText += "catalog (PELLIX_CATALOG=catalog\\catalog.ini):\n";
    for (const std::string& strNote : m_catalog.notes)
        strText += "  " + strNote + "\n";
    strText += "storm:\n";
    for (const CMessageStorm::Step& step : m_storm.Steps())
        strText += "  " + CMessageStorm::Describe(step) + "\n";
    return strText;
}
