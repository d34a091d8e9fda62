// Tool lists from the real Pellix.dll, walked through the module's record view.
#include <gtest/gtest.h>
#include "PellixTestSupport.h"
#include "include/PellixSDK.h"

namespace {

CatalogTool NumberedTool(int i)
{
    CatalogTool tool;
    tool.strName.Format(L"Tool %05d", i);
    tool.strId.Format(L"tool.%05d", i);
    tool.strVersion.Format(L"1.%d", i);
    tool.strDescription.Format(L"Description of tool %d", i);
    tool.strIcon.Format(L"icons\\t%d.png", i);
    tool.bListed = i % 3 != 1;
    tool.strCommand = L"cmd.exe /c exit";
    return tool;
}

} // namespace

TEST(PellixList, ListsArriveWholeAndInCatalogOrder)
{
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    // The same file is rewritten for every size: each call reads it afresh.
    for (int nTools : { 0, 1, 3, 10000 }) {
        SCOPED_TRACE(nTools);
        std::vector<CatalogTool> catalog;
        for (int i = 0; i < nTools; ++i)
            catalog.push_back(NumberedTool(i));
        WriteUtf8File(strCatalog, CatalogText(L"", catalog));

        int nResult = -2;
        std::vector<ListedTool> tools = ReadToolList(nResult);
        EXPECT_EQ(nTools, nResult);
        ASSERT_EQ(static_cast<size_t>(nTools), tools.size());
        for (int i = 0; i < nTools; ++i) {
            const CatalogTool& expected = catalog[static_cast<size_t>(i)];
            const ListedTool& got = tools[static_cast<size_t>(i)];
            ASSERT_TRUE(got.strName == expected.strName) << i;
            ASSERT_TRUE(got.strId == expected.strId) << i;
            ASSERT_TRUE(got.strVersion == expected.strVersion) << i;
            ASSERT_TRUE(got.strDescription == expected.strDescription) << i;
            ASSERT_TRUE(got.strIconPath == folder.Path() + expected.strIcon) << i;
            ASSERT_EQ(expected.bListed, got.bListed) << i;
        }
    }
}

TEST(PellixList, TextsKeepEveryCharacterAndAreCutToTheirFields)
{
    const CString strLong(L'L', 400);
    const CString strWrench = L"\U0001F527"; // one character, two UTF-16 units
    CString strEdgeName = CString(L'x', 49) + strWrench; // the pair would straddle the cut at 50
    struct Case { CString strGiven; int nField; CString strExpected; };
    // Field order: name, id, version, description, icon.
    const Case cases[] = {
        { L"Grüße Редактор 工具 " + strWrench, 0, L"Grüße Редактор 工具 " + strWrench },
        { strLong, 0, strLong.Left(50) },
        { strEdgeName, 0, CString(L'x', 49) },
        { CString(L'x', 50), 0, CString(L'x', 50) },
        { strLong, 1, strLong.Left(100) },
        { strLong, 2, strLong.Left(160) },
        { strLong, 3, strLong.Left(102) },
        { L"Ελληνικά διαγνωστικά", 3, L"Ελληνικά διαγνωστικά" },
    };
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    for (const Case& c : cases) {
        CatalogTool tool = NumberedTool(0);
        CString* fields[] = { &tool.strName, &tool.strId, &tool.strVersion, &tool.strDescription };
        *fields[c.nField] = c.strGiven;
        WriteUtf8File(strCatalog, CatalogText(L"", { tool }));
        std::vector<ListedTool> tools = ReadToolList();
        ASSERT_EQ(1u, tools.size());
        const CString* got[] = { &tools[0].strName, &tools[0].strId, &tools[0].strVersion, &tools[0].strDescription };
        EXPECT_TRUE(*got[c.nField] == c.strExpected)
            << "field " << c.nField << " got " << got[c.nField]->GetLength() << " units";
    }
}

TEST(PellixList, IconPathsStartAtTheCatalogFolderUnlessAbsolute)
{
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    CString strDeep = CString(L'd', 300) + L".png";
    const std::pair<CString, CString> cases[] = {
        { L"icons\\wrench.png", folder.Path() + L"icons\\wrench.png" },
        { L"C:\\Shared\\Icons\\wrench.png", L"C:\\Shared\\Icons\\wrench.png" },
        { L"", L"" },
        { strDeep, (folder.Path() + strDeep).Left(261) },
    };
    for (const auto& c : cases) {
        CatalogTool tool = NumberedTool(0);
        tool.strIcon = c.first;
        WriteUtf8File(strCatalog, CatalogText(L"", { tool }));
        std::vector<ListedTool> tools = ReadToolList();
        ASSERT_EQ(1u, tools.size());
        EXPECT_TRUE(tools[0].strIconPath == c.second) << c.first.ToAnsi();
    }
}

TEST(PellixList, CatalogSyntaxIsAcceptedOrRejectedAsAWhole)
{
    struct Case { const char* pszText; int nExpected; };
    const Case cases[] = {
        // Byte-order mark, LF line ends, comments, blanks, case-free keys, unknown keys.
        { "\xEF\xBB\xBF# tools\n[tool]\nNAME = A \nid=a\nColour=red\n\n; next\n[TOOL]\nName=B\nListed=no\n", 2 },
        { "[Catalog]\r\nSource=next.ini\r\n", 0 },
        { "", 0 },
        { "<html><body>Not Found</body></html>\r\n", -1 },
        { "Name=A\r\n[Tool]\r\nName=B\r\n", -1 },                // key before any section
        { "[Tool]\r\nName=A\r\n[Plugin]\r\nName=B\r\n", -1 },    // unknown section
        { "[Tool]\r\nName=A\r\nListed=maybe\r\n", -1 },
        { "[Tool]\r\nName=\xC3\x28\r\n", -1 },                   // not UTF-8
        { "[Tool\r\nName=A\r\n", -1 },
    };
    CTempFolder folder(kPellixFolderPrefix);
    CString strCatalog = folder.File(L"tools.ini");
    CatalogSwitch use(strCatalog);
    for (const Case& c : cases) {
        WriteFileBytes(strCatalog, c.pszText);
        int nResult = -2;
        std::vector<ListedTool> tools = ReadToolList(nResult);
        EXPECT_EQ(c.nExpected, nResult) << c.pszText;
        EXPECT_EQ(static_cast<size_t>(c.nExpected < 0 ? 0 : c.nExpected), tools.size()) << c.pszText;
    }
    // The accepted catalog of the first case, read back field by field.
    WriteFileBytes(strCatalog, cases[0].pszText);
    std::vector<ListedTool> tools = ReadToolList();
    ASSERT_EQ(2u, tools.size());
    EXPECT_TRUE(tools[0].strName == L"A" && tools[0].strId == L"a" && tools[0].bListed);
    EXPECT_TRUE(tools[1].strName == L"B" && tools[1].strId == L"" && !tools[1].bListed);

    DeleteFileW(strCatalog);
    int nResult = -2;
    EXPECT_TRUE(ReadToolList(nResult).empty());
    EXPECT_EQ(-1, nResult);
}

TEST(PellixList, WithoutTheVariableTheCatalogBesideTheDllIsRead)
{
    wchar_t szDll[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameW(GetModuleHandleW(L"Pellix.dll"), szDll, MAX_PATH));
    CString strDll = szDll;
    CString strFolder = strDll.Left(strDll.ReverseFind(L'\\') + 1);
    CString strCatalog = strFolder + L"PellixCatalog.ini";
    std::string strKept = ReadFileBytes(strCatalog);
    bool bHadCatalog = FileExists(strCatalog);

    CatalogSwitch useDefault(nullptr);
    WriteUtf8File(strCatalog, CatalogText(L"", { NumberedTool(7), NumberedTool(8) }));
    std::vector<ListedTool> tools = ReadToolList();
    ASSERT_EQ(2u, tools.size());
    EXPECT_TRUE(tools[0].strId == L"tool.00007");
    EXPECT_TRUE(tools[1].strIconPath == strFolder + L"icons\\t8.png");

    if (bHadCatalog)
        WriteFileBytes(strCatalog, strKept);
    else
        DeleteFileW(strCatalog);
}

TEST(PellixList, FreeingNoListIsHarmless)
{
    PxFreePluginListBuffer(nullptr);
    EXPECT_EQ(-1, PxGetAllPluginList(nullptr));
}
