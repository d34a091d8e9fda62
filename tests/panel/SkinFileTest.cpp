// What a skin author meets on disk: the panel holds none of its image files
// open, so each can be opened for writing (without sharing) while the panel
// shows it; and with logging on, a skin file that cannot be loaded and each
// image that cannot be loaded give one trace line naming the file.
#include <functional>
#include "PanelFixture.h"
#include "framework/CHandleOwner.h"
#include "support/PngWriter.h"
#include "support/TestFiles.h"
#include "support/TestText.h"
#include "support/WindowPixels.h"

namespace {

using SkinFileTest = PanelFixture;

// The trace messages that begin with pszStart.
std::vector<CString> MessagesStartingWith(const std::vector<CString>& messages, const wchar_t* pszStart)
{
    std::vector<CString> found;
    for (const CString& strMessage : messages)
        if (strMessage.Find(pszStart) == 0)
            found.push_back(strMessage);
    return found;
}

TEST_F(SkinFileTest, ImagesShownByThePanelCanBeOpenedForWritingWithoutSharing)
{
    m_catalog.Write(NumberedTools(3)); // tools without icons show the default icon
    ASSERT_TRUE(OpenPanel());
    for (const wchar_t* pszImage : {L"PanelBack.png", L"ListBack.png", L"Item.png", L"DefaultIcon.png", L"Refresh.png"}) {
        CString strPath = m_host.ConfigFile(L"Default\\") + pszImage;
        CFileOwner file(CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(file.IsValid()) << ToUtf8(strPath) << " is held open, error " << GetLastError();
    }
    // Replaced on disk, the images the panel decoded still paint.
    WriteSolidPng(m_host.ConfigFile(L"Default\\PanelBack.png"), 320, 240, 0xFF00FF00);
    InvalidateRect(Panel(), nullptr, TRUE);
    m_host.PumpUntilIdle();
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), {4, 4}, TestSkin::kPanelBack));
}

TEST_F(SkinFileTest, SkinAndImageFailuresGiveOneTraceLineEach)
{
    struct Case
    {
        const char* pszWhat;
        std::function<void(ModuleHost&, SkinWriter&)> damage;
        const wchar_t* pszSkinLine; // the "Skin file" line, or null for none
        std::vector<CString> imageLines; // the "Image file" lines begin so, in this order
    };
    CString strSkin = m_host.ConfigFile(L"Morvel_SCfg.xml");
    CString strBack = m_host.ConfigFile(L"Default\\PanelBack.png");
    CString strIcon = m_host.ConfigFile(L"Default\\DefaultIcon.png");
    CString strMissing = m_host.ConfigFile(L"Default\\Missing.png");
    const Case cases[] = {
        {"skin file not well-formed",
         [](ModuleHost& host, SkinWriter&) {
             CString strXml = FromUtf8(ReadFileBytes(host.ConfigFile(L"Morvel_SCfg.xml")));
             strXml.Replace(L"</ToolMgrUIDlg>", L"</ToolMgrUIDialog>");
             WriteUtf8File(host.ConfigFile(L"Morvel_SCfg.xml"), strXml);
         },
         L"failed to load: line ", {}},
        {"images missing or not decodable",
         [](ModuleHost& host, SkinWriter& skin) {
             skin.SetDialogInfo(L"BackBmp", L"Missing.png");
             skin.Write();
             WriteFileBytes(host.ConfigFile(L"Default\\DefaultIcon.png"), "not an image");
         },
         nullptr,
         {L"Image file " + strMissing + L" not found",
          L"Image file " + strIcon + L" cannot be decoded (GDI+ status "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        SwitchLogging(true);
        DeleteFileW(m_host.ConfigFile(L"UILogTrace.txt"));
        m_catalog.Write(NumberedTools(3));
        m_skin.Write();
        c.damage(m_host, m_skin);
        ASSERT_TRUE(m_host.Load());
        ASSERT_TRUE(IsWindow(m_host.Enter()));
        m_host.ShowPanel();
        InvalidateRect(Panel(), nullptr, TRUE); // a second paint retries the icons
        m_host.PumpUntilIdle();
        m_host.Unload();
        std::vector<CString> messages = LogMessages(m_host);
        std::vector<CString> skinLines = MessagesStartingWith(messages, L"Skin file ");
        if (c.pszSkinLine) {
            ASSERT_EQ(1u, skinLines.size());
            EXPECT_EQ(0, skinLines[0].Find(L"Skin file " + strSkin + L" " + c.pszSkinLine)) << ToUtf8(skinLines[0]);
            EXPECT_GE(skinLines[0].Find(L"ToolMgrUIDlg"), 0) << ToUtf8(skinLines[0]);
        } else {
            EXPECT_TRUE(skinLines.empty());
        }
        std::vector<CString> imageLines = MessagesStartingWith(messages, L"Image file ");
        ASSERT_EQ(c.imageLines.size(), imageLines.size());
        for (size_t i = 0; i < imageLines.size(); ++i)
            EXPECT_EQ(0, imageLines[i].Find(c.imageLines[i])) << ToUtf8(imageLines[i]);
    }
}

} // namespace
