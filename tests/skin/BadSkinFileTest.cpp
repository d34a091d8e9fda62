// Skin files that are missing, broken, hostile or huge: the reader never
// crashes, reads nothing from a file it cannot parse, and reads valid extremes
// completely.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>
#include "CTempSkinFolder.h"
#include "skin/CQmXMLParseBase.h"

namespace {

const wchar_t kDialog[] = L"CommonWindow\\ToolMgrUIDlg";

std::wstring Section(const std::wstring& strWindowInfo, const std::wstring& strDynamicInfo = L"")
{
    return L"<Skin><CommonWindow><ToolMgrUIDlg><WindowInfo>" + strWindowInfo + L"</WindowInfo><DynamicInfo>" +
           strDynamicInfo + L"</DynamicInfo></ToolMgrUIDlg></CommonWindow></Skin>";
}

std::wstring ManyEntries(const wchar_t* pszFormat, int nCount)
{
    std::wstring strEntries;
    CString strEntry;
    for (int i = 0; i < nCount; ++i) {
        strEntry.Format(pszFormat, i, i);
        strEntries += strEntry.GetString();
    }
    return strEntries;
}

std::wstring Repeat(const std::wstring& strPart, int nCount)
{
    std::wstring strAll;
    for (int i = 0; i < nCount; ++i)
        strAll += strPart;
    return strAll;
}

// Ten levels of ten references each: 10^10 expansions unless entity expansion is capped.
std::wstring EntityBomb()
{
    std::wstring strDtd = L"<!DOCTYPE Skin [<!ENTITY e0 \"boom\">";
    for (int i = 1; i <= 10; ++i) {
        strDtd += L"<!ENTITY e" + std::to_wstring(i) + L" \"";
        for (int j = 0; j < 10; ++j)
            strDtd += L"&e" + std::to_wstring(i - 1) + L";";
        strDtd += L"\">";
    }
    return strDtd + L"]>" + Section(L"<I ItemID=\"Title\" Data=\"&e10;\"/>");
}

std::string Utf16WithBom(const std::wstring& strText)
{
    std::string strBytes("\xFF\xFE", 2);
    strBytes.append(reinterpret_cast<const char*>(strText.data()), strText.size() * sizeof(wchar_t));
    return strBytes;
}

struct BadFileRow
{
    const char* pszName;
    std::function<CString(const CTempSkinFolder&)> makeFile; // returns the path to load
    std::wstring strSection;
    int nTitleLength;   // -1: no Title read
    int nNewKeys;       // WindowInfo keys added by the load
    int nNewItems;      // dynamic descriptions added by the load
};

TEST(BadSkinFiles, NeutralResultsAndNoCrash)
{
    const std::wstring strDeepPath = Repeat(L"Level\\", 5000);
    const std::wstring strDeepSection = Repeat(L"<level>", 5000) + L"<WindowInfo><I ItemID=\"Title\" Data=\"bottom\"/>" +
                                        L"</WindowInfo>" + Repeat(L"</level>", 5000);
    const std::wstring strMaxTitle(100000, L'\x4E2D');
    const BadFileRow rows[] = {
        {"missing file", [](const CTempSkinFolder& f) { return f.Path(L"NoSuchFile.xml"); }, kDialog, -1, 0, 0},
        {"empty path", [](const CTempSkinFolder&) { return CString(); }, kDialog, -1, 0, 0},
        {"a folder", [](const CTempSkinFolder& f) { return f.Folder(); }, kDialog, -1, 0, 0},
        {"empty file", [](const CTempSkinFolder& f) { return f.WriteBytes(L"s.xml", ""); }, kDialog, -1, 0, 0},
        {"white space only", [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", L" \r\n\t "); }, kDialog,
         -1, 0, 0},
        {"unclosed elements after the section",
         [](const CTempSkinFolder& f) {
             return f.WriteUtf8(L"s.xml", L"<Skin><CommonWindow><ToolMgrUIDlg><WindowInfo>"
                                          L"<I ItemID=\"Title\" Data=\"T\"/></WindowInfo>");
         },
         kDialog, -1, 0, 0},
        {"mismatched end tag",
         [](const CTempSkinFolder& f) {
             std::wstring strText = Section(L"<I ItemID=\"Title\" Data=\"T\"/>");
             return f.WriteUtf8(L"s.xml", strText.replace(strText.rfind(L"</Skin>"), 7, L"</Skim>"));
         },
         kDialog, -1, 0, 0},
        {"two root elements",
         [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", Section(L"<I ItemID=\"Title\" Data=\"T\"/>") + L"<x/>"); },
         kDialog, -1, 0, 0},
        {"undefined entity",
         [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", Section(L"<I ItemID=\"Title\" Data=\"&nope;\"/>")); },
         kDialog, -1, 0, 0},
        {"entity expansion bomb", [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", EntityBomb()); },
         kDialog, -1, 0, 0},
        {"plain text", [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", L"Title=Tools"); }, kDialog, -1,
         0, 0},
        {"binary bytes",
         [](const CTempSkinFolder& f) { return f.WriteBytes(L"s.xml", std::string("\x00\x01\xFE\xFF<\x00>\x89PNG", 12)); },
         kDialog, -1, 0, 0},
        {"root only", [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", L"<Skin/>"); }, kDialog, -1, 0, 0},
        {"no such section",
         [](const CTempSkinFolder& f) {
             return f.WriteUtf8(L"s.xml", L"<Skin><CommonWindow><Other><WindowInfo><I ItemID=\"Title\" Data=\"T\"/>"
                                          L"</WindowInfo></Other></CommonWindow></Skin>");
         },
         kDialog, -1, 0, 0},
        {"section without tables",
         [](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", L"<Skin><CommonWindow><ToolMgrUIDlg/></CommonWindow></Skin>"); },
         kDialog, -1, 0, 0},
        {"missing external DTD is not fetched",
         [](const CTempSkinFolder& f) {
             return f.WriteUtf8(L"s.xml", L"<!DOCTYPE Skin SYSTEM \"NoSuch.dtd\">" + Section(L"<I ItemID=\"Title\" Data=\"dtd\"/>"));
         },
         kDialog, 3, 1, 0},
        {"external general entity",
         [](const CTempSkinFolder& f) {
             f.WriteUtf8(L"ext.xml", L"<I ItemID=\"Title\" Data=\"ext\"/>");
             return f.WriteUtf8(L"s.xml", L"<!DOCTYPE Skin [<!ENTITY ext SYSTEM \"ext.xml\">]>" + Section(L"&ext;"));
         },
         kDialog, -1, 0, 0},
        {"external parameter entity",
         [](const CTempSkinFolder& f) {
             f.WriteUtf8(L"ext.dtd", L"<!ENTITY t \"param\">");
             return f.WriteUtf8(L"s.xml", L"<!DOCTYPE Skin [<!ENTITY % ext SYSTEM \"ext.dtd\"> %ext;]>" +
                                              Section(L"<I ItemID=\"Title\" Data=\"&t;\"/>"));
         },
         kDialog, -1, 0, 0},
        {"namespace declarations are plain attributes",
         [](const CTempSkinFolder& f) {
             std::wstring strText = Section(L"<k:I xmlns:k=\"urn:k\" ItemID=\"Title\" Data=\"ns\"/>");
             return f.WriteUtf8(L"s.xml", strText.insert(5, L" xmlns=\"urn:tavrin:skin\""));
         },
         kDialog, 2, 1, 0},
        {"UTF-16 with byte order mark",
         [](const CTempSkinFolder& f) {
             return f.WriteBytes(L"s.xml", Utf16WithBom(Section(L"<I ItemID=\"Title\" Data=\"\x5DE5\x5177\"/>")));
         },
         kDialog, 2, 1, 0},
        {"100,000-character attribute",
         [&](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", Section(L"<I ItemID=\"Title\" Data=\"" + strMaxTitle + L"\"/>")); },
         kDialog, 100000, 1, 0},
        {"10,000 entries in each table",
         [](const CTempSkinFolder& f) {
             return f.WriteUtf8(L"s.xml", Section(ManyEntries(L"<I ItemID=\"K%d\" Data=\"%d\"/>", 10000),
                                                  ManyEntries(L"<C ID=\"C%d\" Name=\"%d\" ControlType=\"1\"/>", 10000)));
         },
         kDialog, -1, 10000, 10000},
        {"100,000 levels nested inside an entry",
         [](const CTempSkinFolder& f) {
             return f.WriteUtf8(L"s.xml", Section(L"<I ItemID=\"Title\" Data=\"deep\">" + Repeat(L"<I ItemID=\"X\">", 100000) +
                                                  Repeat(L"</I>", 100001)));
         },
         kDialog, 4, 1, 0},
        {"section 5,000 levels down",
         [&](const CTempSkinFolder& f) { return f.WriteUtf8(L"s.xml", L"<Skin>" + strDeepSection + L"</Skin>"); },
         strDeepPath, 6, 1, 0},
    };

    CTempSkinFolder goodFolder(L"good");
    CString strGood = goodFolder.WriteUtf8(L"good.xml", Section(L"<I ItemID=\"Kept\" Data=\"7\"/>",
                                                                L"<C ID=\"Kept\" Name=\"kept\" ControlType=\"2\"/>"));
    for (const BadFileRow& row : rows) {
        SCOPED_TRACE(row.pszName);
        CTempSkinFolder folder(L"bad");
        CString strPath = row.makeFile(folder);

        // A fresh reader: every read stays neutral unless the file is valid.
        CQmXMLParseBase fresh;
        CQmXMLParseBase::ParseSkinFile(strPath, &fresh, row.strSection.c_str(), L"", L"Default");
        CString strTitle = L"junk";
        fresh.GetInfoString(L"Title", TRUE, strTitle);
        if (row.nTitleLength < 0)
            EXPECT_TRUE(strTitle.IsEmpty());
        else
            EXPECT_EQ(row.nTitleLength + folder.Folder().GetLength() + 8, strTitle.GetLength());
        int nNumber = 5;
        EXPECT_EQ(0, fresh.GetInfoNumber(L"Missing", nNumber));
        EXPECT_EQ(0, nNumber);
        EXPECT_EQ(row.nNewKeys, fresh.m_mapWindowInfo.GetCount());
        EXPECT_EQ(row.nNewItems, fresh.m_arrDynamicItems.GetSize());
        EXPECT_EQ(0, fresh.m_mapPosInfo.GetCount());

        // A reader that was loaded before keeps what it had.
        CQmXMLParseBase loaded;
        CQmXMLParseBase::ParseSkinFile(strGood, &loaded, kDialog, L"", L"Default");
        CQmXMLParseBase::ParseSkinFile(strPath, &loaded, row.strSection.c_str(), L"", L"Default");
        int nKept = 0;
        EXPECT_EQ(1, loaded.GetInfoNumber(L"Kept", nKept));
        EXPECT_EQ(7, nKept);
        EXPECT_EQ(1 + row.nNewKeys, loaded.m_mapWindowInfo.GetCount());
        ASSERT_EQ(1 + row.nNewItems, loaded.m_arrDynamicItems.GetSize());
        EXPECT_STREQ(L"kept", loaded.m_arrDynamicItems[0].strName.GetString());
    }
}

// A named pipe that records whether anyone opened it; whoever does is given
// a text to read, and then the end of the pipe.
class PipeWatch
{
public:
    PipeWatch(const CString& strName, const std::string& strText) : m_strText(strText)
    {
        m_hPipe = CreateNamedPipeW(strName, PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED, PIPE_TYPE_BYTE, 1, 4096, 4096,
                                   0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, m_hPipe);
        m_hStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_hThread = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
    }
    ~PipeWatch()
    {
        SetEvent(m_hStop);
        WaitForSingleObject(m_hThread, 10000);
        CloseHandle(m_hThread);
        CloseHandle(m_hStop);
        CloseHandle(m_hPipe);
    }
    PipeWatch(const PipeWatch&) = delete;
    PipeWatch& operator=(const PipeWatch&) = delete;

    bool Opened() const { return m_bOpened != 0; }

private:
    static DWORD WINAPI Serve(void* pParam)
    {
        auto* pThis = static_cast<PipeWatch*>(pParam);
        OVERLAPPED ov = {};
        ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        bool bConnected = ConnectNamedPipe(pThis->m_hPipe, &ov) || GetLastError() == ERROR_PIPE_CONNECTED;
        HANDLE waits[] = {ov.hEvent, pThis->m_hStop};
        if (!bConnected && GetLastError() == ERROR_IO_PENDING)
            bConnected = WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0;
        if (bConnected) {
            InterlockedExchange(&pThis->m_bOpened, 1);
            DWORD cbWritten = 0;
            WriteFile(pThis->m_hPipe, pThis->m_strText.data(), static_cast<DWORD>(pThis->m_strText.size()), &cbWritten, nullptr);
            FlushFileBuffers(pThis->m_hPipe);
            DisconnectNamedPipe(pThis->m_hPipe);
        } else {
            CancelIo(pThis->m_hPipe);
        }
        CloseHandle(ov.hEvent);
        return 0;
    }

    std::string m_strText;
    HANDLE m_hPipe = INVALID_HANDLE_VALUE;
    HANDLE m_hStop = nullptr;
    HANDLE m_hThread = nullptr;
    volatile LONG m_bOpened = 0;
};

TEST(BadSkinFiles, ExternalEntitiesAreNeverOpened)
{
    struct Case
    {
        const char* pszWhat;
        // The declaration names the pipe's path between these two (not a
        // format: a parameter entity's declaration holds a '%' of its own).
        std::wstring strBeforePath, strAfterPath;
        std::wstring strData;
    };
    const Case cases[] = {
        {"general entity", L"<!ENTITY ext SYSTEM \"", L"\">", L"&ext;"},
        {"parameter entity", L"<!ENTITY % ext SYSTEM \"", L"\"> %ext;", L"dtd"},
    };
    CTempSkinFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CString strPipe;
        strPipe.Format(L"\\\\.\\pipe\\tavrin-skin-entity-%lu", GetCurrentProcessId());
        PipeWatch watch(strPipe, "<!ENTITY t \"x\">");
        const std::wstring strDeclaration = c.strBeforePath + strPipe.GetString() + c.strAfterPath;
        CString strFile = folder.WriteUtf8(L"s.xml", L"<!DOCTYPE Skin [" + strDeclaration + L"]>" +
                                                         Section(L"<I ItemID=\"Title\" Data=\"" + c.strData + L"\"/>"));
        CQmXMLParseBase reader;
        CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");
        EXPECT_EQ(0, reader.m_mapWindowInfo.GetCount()) << "the skin loaded";
        EXPECT_FALSE(watch.Opened()) << "the entity was opened";
    }
}

TEST(BadSkinFiles, LibraryNotInitialisedReadsNothing)
{
    CTempSkinFolder folder;
    CString strFile = folder.WriteUtf8(L"s.xml", Section(L"<I ItemID=\"Title\" Data=\"T\"/>"));
    CQmXMLParseBase reader;
    xercesc::XMLPlatformUtils::Terminate(); // undo the host's initialisation for this test
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");
    xercesc::XMLPlatformUtils::Initialize();
    EXPECT_EQ(0, reader.m_mapWindowInfo.GetCount());

    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");
    EXPECT_EQ(1, reader.m_mapWindowInfo.GetCount());
}

} // namespace
