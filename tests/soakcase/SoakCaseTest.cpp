// The soak's cases within the size cap: huge tool counts keep every tool and
// stay within CSoakCase::kCapBytes, a case within the cap is the same with and
// without it, and a case that is too big to make or save is saved as its
// description and seed.
#include <gtest/gtest.h>
#include <string>
#include "CSoakCase.h"
#include "CSoakRandom.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"

namespace {

// Seeds of some of the soak's largest cases (among the first 1,300 of run
// 20261209): uncapped, their inputs take hundreds of megabytes.
const uint64_t kHugeSeeds[] = {
    0x96942deea0edc1d5ull, // case 605: a refresh source of 81,964 tools
    0x4ed743db31c5fa15ull, // case 154: a catalog of 94,421 tools
    0x2464b90e10dafd52ull, // case 1060: a catalog of 65,741 tools, 376 MB uncapped
    0xbbe28f7501724fa5ull, // case 455: a catalog of 73,965 hostile tools, 838 MB uncapped
};
const int kHugeToolCount = 10000;
const uint64_t kUncappedSeed = 0x2464b90e10dafd52ull;
const uint64_t kOrdinaryRun = 0x5eed;
const int kOrdinaryCases = 60;
const size_t kSmallBytes = 1u << 20;

size_t CountOf(const std::string& strText, const std::string& strPart)
{
    size_t nCount = 0;
    for (size_t nAt = strText.find(strPart); nAt != std::string::npos; nAt = strText.find(strPart, nAt + 1))
        ++nCount;
    return nCount;
}

class SoakCaseTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_sources.Read(ProgramFolder())); }
    SoakSources m_sources;
};

TEST_F(SoakCaseTest, HugeToolCountsKeepEveryToolWithinTheCap)
{
    for (uint64_t nSeed : kHugeSeeds) {
        CSoakCase soakCase(nSeed, m_sources, true);
        SCOPED_TRACE(soakCase.SeedText());
        ASSERT_TRUE(soakCase.IsMade()) << soakCase.Failure();
        EXPECT_LE(soakCase.InputBytes(), CSoakCase::kCapBytes);
        const HostileCatalogFiles& catalog = soakCase.Catalog();
        EXPECT_GT(std::max(catalog.nTools, catalog.nRefreshTools), kHugeToolCount);
        EXPECT_EQ(static_cast<size_t>(catalog.nTools), CountOf(catalog.strCatalog, "[Tool]"));
        EXPECT_EQ(static_cast<size_t>(catalog.nRefreshTools), CountOf(catalog.strRefreshSource, "[Tool]"));
    }
}

TEST_F(SoakCaseTest, TheCapOnlyShortensCasesThatWouldPassIt)
{
    int nCompared = 0;
    for (int i = 0; i < kOrdinaryCases; ++i) {
        uint64_t nSeed = CSoakRandom::CaseSeed(kOrdinaryRun, static_cast<uint64_t>(i));
        CSoakCase capped(nSeed, m_sources, true);
        if (capped.InputBytes() > kSmallBytes)
            continue;
        CSoakCase uncapped(nSeed, m_sources, false);
        SCOPED_TRACE(capped.SeedText());
        // Compared as flags: a difference would print megabytes.
        EXPECT_TRUE(uncapped.Skin().strXml == capped.Skin().strXml);
        EXPECT_TRUE(uncapped.Catalog().strCatalog == capped.Catalog().strCatalog);
        EXPECT_TRUE(uncapped.Catalog().strRefreshSource == capped.Catalog().strRefreshSource);
        EXPECT_EQ(uncapped.Skin().notes, capped.Skin().notes);
        ++nCompared;
    }
    EXPECT_GT(nCompared, kOrdinaryCases / 2);
}

// Uncapped, this case is 376 MB: a 32-bit process may run out of memory making
// it, a 64-bit one makes it but does not save it. Either way case.txt holds
// the seed, the replay and what was made.
TEST_F(SoakCaseTest, ACaseTooBigToSaveLeavesItsDescriptionAndSeed)
{
    CTempFolder folder(L"tavrin soak case");
    {
        CSoakCase soakCase(kUncappedSeed, m_sources, false);
        if (soakCase.IsMade())
            EXPECT_GT(soakCase.InputBytes(), CSoakCase::kCapBytes);
        else
            EXPECT_NE(std::string::npos, soakCase.Failure().find("bad_alloc")) << soakCase.Failure();
        soakCase.Save(folder.Path(), "crash, exit code 0x00000003");
    }
    std::string strCase = ReadFileBytes(folder.File(L"case.txt"));
    EXPECT_NE(std::string::npos, strCase.find("seed 2464b90e10dafd52\n")) << strCase.substr(0, 400);
    EXPECT_NE(std::string::npos, strCase.find("replay: ./tavrin soak --replay 2464b90e10dafd52 --uncapped\n"));
    EXPECT_NE(std::string::npos, strCase.find("65741 tools, 50% of them hostile"));
    EXPECT_NE(std::string::npos, strCase.find("inputs: "));
    EXPECT_FALSE(FileExists(folder.File(L"catalog\\next.ini")));
    EXPECT_FALSE(FileExists(folder.File(L"Config\\Morvel_SCfg.xml")));
}

} // namespace
