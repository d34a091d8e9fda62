// Control descriptions read from DynamicInfo, and their ownership of the
// control and font created for them.
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include "CTempSkinFolder.h"
#include "framework/Afx.h"
#include "skin/CQmXMLParseBase.h"

namespace {

const wchar_t kDialog[] = L"CommonWindow\\ToolMgrUIDlg";
const wchar_t kList[] = L"CommonWindow\\ToolMgrList";

// A real window whose object counts its own destruction.
class CCountedWnd : public CWnd
{
public:
    explicit CCountedWnd(int& nDeleted) : m_nDeleted(nDeleted)
    {
        CreateEx(0, nullptr, L"control", WS_POPUP, 0, 0, 10, 10, HWND_MESSAGE, nullptr);
    }
    ~CCountedWnd() override { ++m_nDeleted; }

private:
    int& m_nDeleted;
};

CFont* NewFont()
{
    CFont* pFont = new CFont;
    pFont->CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"DejaVu Sans");
    return pFont;
}

bool FontAlive(HGDIOBJ hFont)
{
    return hFont && GetObjectType(hFont) == OBJ_FONT;
}

CString SkinPath(const CTempSkinFolder& folder, const wchar_t* pszSkin, const wchar_t* pszFile)
{
    return folder.Folder() + pszSkin + L"\\" + pszFile;
}

TEST(DynamicItems, UpdatedByIdWithTheRulesForTextsPathsAndNumbers)
{
    CTempSkinFolder folder;
    CString strFile = folder.WriteUtf8(L"Morvel_SCfg.xml", LR"(<Skin><CommonWindow>
<ToolMgrUIDlg><DynamicInfo>
  <Label ID="Title" Name="Tools" ControlType="1" Pos="10,20,100,30" FontSize="14" FontName="DejaVu Sans"
         FontColor="0XFF000000;0XFFFF0000" FontFormat="1;0" ToolTip="tip" Cursor="hand.cur"/>
  <!-- an entry without ControlType still takes an index -->
  <Spacer ID="Gap"/>
  <Button ID="Close" Name="X" ControlType="2" BkImg="close.png" Icon="x.ico" ControlStyle="0X00000001"
          DrawFocus="1" FontSize="9" Pos="300, 5, 16, 16" ToolTip="Close it"/>
  <Button ID="CLOSE" BkImg="" Name="" DrawFocus="0"/>
  <NoId Name="first"/>
  <NoId Name="second" ControlStyle="4" ControlType="junk"/>
</DynamicInfo></ToolMgrUIDlg>
<ToolMgrList><DynamicInfo>
  <Button ID="title" Name="Renamed" BkImg="title.png" ControlType="4"/>
  <Button ID="Refresh" Name="Refresh" ControlType="2" ControlStyle="1"/>
</DynamicInfo></ToolMgrList>
</CommonWindow></Skin>)");

    CQmXMLParseBase reader;
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");
    ASSERT_EQ(4, reader.m_arrDynamicItems.GetSize());

    const _XmlDynamicItem& title = reader.m_arrDynamicItems[0];
    EXPECT_STREQ(L"Title", title.strID.GetString());
    EXPECT_STREQ(L"Tools", title.strName.GetString());
    EXPECT_EQ(1, title.nControlType);
    RECT rcTitle = {10, 20, 110, 50};
    EXPECT_TRUE(EqualRect(&rcTitle, &title.rcPos));
    EXPECT_EQ(14, title.nFontSize);
    EXPECT_STREQ(L"DejaVu Sans", title.strFontName.GetString());
    EXPECT_STREQ(L"0XFF000000;0XFFFF0000", title.strFontColor.GetString());
    EXPECT_STREQ(L"1;0", title.strFontFormat.GetString());
    EXPECT_STREQ(L"tip", title.strToolTip.GetString());
    EXPECT_STREQ(SkinPath(folder, L"Default", L"hand.cur").GetString(), title.strCursor.GetString());
    EXPECT_TRUE(title.strBkImg.IsEmpty());
    EXPECT_EQ(nullptr, title.pControl);

    const _XmlDynamicItem& gap = reader.m_arrDynamicItems[1];
    EXPECT_STREQ(L"Gap", gap.strID.GetString());
    EXPECT_EQ(0, gap.nControlType);
    EXPECT_EQ(0, gap.nFontSize);
    RECT rcEmpty = {0, 0, 0, 0};
    EXPECT_TRUE(EqualRect(&rcEmpty, &gap.rcPos));

    // "Close" then "CLOSE": one description, texts from the newest entry,
    // paths and numbers kept unless the newest entry gives them.
    const _XmlDynamicItem& close = reader.m_arrDynamicItems[2];
    EXPECT_STREQ(L"CLOSE", close.strID.GetString());
    EXPECT_STREQ(L"", close.strName.GetString());
    EXPECT_STREQ(L"", close.strToolTip.GetString());
    EXPECT_STREQ(SkinPath(folder, L"Default", L"close.png").GetString(), close.strBkImg.GetString());
    EXPECT_STREQ(SkinPath(folder, L"Default", L"x.ico").GetString(), close.strIcon.GetString());
    EXPECT_EQ(2, close.nControlType);
    EXPECT_EQ(1, close.nControlStyle);
    EXPECT_EQ(0, close.nDrawFocus);
    EXPECT_EQ(9, close.nFontSize);
    EXPECT_TRUE(EqualRect(&rcEmpty, &close.rcPos)); // Pos follows the newest entry

    // Entries without an ID share the empty ID.
    const _XmlDynamicItem& noId = reader.m_arrDynamicItems[3];
    EXPECT_STREQ(L"", noId.strID.GetString());
    EXPECT_STREQ(L"second", noId.strName.GetString());
    EXPECT_EQ(4, noId.nControlStyle);
    EXPECT_EQ(0, noId.nControlType);

    // A second section in the same reader updates by ID (any case) and appends.
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kList, L"", L"Blue");
    ASSERT_EQ(5, reader.m_arrDynamicItems.GetSize());
    EXPECT_STREQ(L"title", reader.m_arrDynamicItems[0].strID.GetString());
    EXPECT_STREQ(L"Renamed", reader.m_arrDynamicItems[0].strName.GetString());
    EXPECT_EQ(4, reader.m_arrDynamicItems[0].nControlType);
    EXPECT_EQ(14, reader.m_arrDynamicItems[0].nFontSize);
    EXPECT_STREQ(SkinPath(folder, L"Blue", L"title.png").GetString(), reader.m_arrDynamicItems[0].strBkImg.GetString());
    EXPECT_STREQ(SkinPath(folder, L"Default", L"hand.cur").GetString(), reader.m_arrDynamicItems[0].strCursor.GetString());
    EXPECT_STREQ(L"Refresh", reader.m_arrDynamicItems[4].strID.GetString());
    EXPECT_EQ(2, reader.m_arrDynamicItems[4].nControlType);
    EXPECT_EQ(1, reader.m_arrDynamicItems[4].nControlStyle);
}

TEST(DynamicItems, IdsMergeExactlyWhenTheyCompareEqualIgnoringCase)
{
    struct Row { const wchar_t* pszFirst; const wchar_t* pszSecond; } rows[] = {
        {L"Close", L"CLOSE"},          {L"idok", L"IDOK"},       {L"Refresh", L"Refresh2"},
        {L"\x00C4x", L"\x00E4X"},      {L"\x0391", L"\x03B1"},   {L"I", L"\x0131"},
        {L"\x5DE5", L"\x5DE5"},        {L"a", L"b"},
    };
    CTempSkinFolder folder;
    for (const Row& row : rows) {
        std::wstring strSkin = L"<Skin><CommonWindow><ToolMgrUIDlg><DynamicInfo><C ID=\"";
        strSkin += row.pszFirst;
        strSkin += L"\" Name=\"1\"/><C ID=\"";
        strSkin += row.pszSecond;
        strSkin += L"\" Name=\"2\"/></DynamicInfo></ToolMgrUIDlg></CommonWindow></Skin>";
        CString strFile = folder.WriteUtf8(L"ids.xml", strSkin);
        CQmXMLParseBase reader;
        CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");

        // The comparison runs under the locale that the load has set.
        bool bEqual = CString(row.pszFirst).CompareNoCase(row.pszSecond) == 0;
        ASSERT_EQ(bEqual ? 1 : 2, reader.m_arrDynamicItems.GetSize()) << CString(row.pszFirst).ToAnsi();
        EXPECT_STREQ(bEqual ? L"2" : L"1", reader.m_arrDynamicItems[0].strName.GetString());
        EXPECT_STREQ(bEqual ? row.pszSecond : row.pszFirst, reader.m_arrDynamicItems[0].strID.GetString());
    }
}

TEST(DynamicItems, RecordsOwnTheirControlAndFont)
{
    int nDeleted = 0;
    CFont* pFont = NewFont();
    HGDIOBJ hFont = pFont->GetSafeHandle();
    ASSERT_TRUE(FontAlive(hFont));
    CCountedWnd* pControl = new CCountedWnd(nDeleted);
    HWND hWnd = pControl->GetSafeHwnd();
    ASSERT_TRUE(IsWindow(hWnd));

    {
        CArray<_XmlDynamicItem, const _XmlDynamicItem&> arrItems;
        _XmlDynamicItem fresh;
        fresh.strID = L"Owner";
        fresh.nControlType = 2;
        arrItems.Add(fresh);
        arrItems[0].pControl = pControl;
        arrItems[0].hFont = pFont;

        // Growing the array relocates the record without losing or deleting anything.
        for (int i = 0; i < 100; ++i)
            arrItems.Add(fresh);
        EXPECT_EQ(pControl, arrItems[0].pControl);
        EXPECT_EQ(pFont, arrItems[0].hFont);
        EXPECT_EQ(0, nDeleted);

        // A copy takes the texts and numbers but never the control or the font.
        {
            _XmlDynamicItem copy(arrItems[0]);
            EXPECT_STREQ(L"Owner", copy.strID.GetString());
            EXPECT_EQ(2, copy.nControlType);
            EXPECT_EQ(nullptr, copy.pControl);
            EXPECT_EQ(nullptr, copy.hFont);
        }
        EXPECT_EQ(0, nDeleted);
        EXPECT_TRUE(IsWindow(hWnd));
        EXPECT_TRUE(FontAlive(hFont));

        // Moving hands the control over and leaves the source without it.
        _XmlDynamicItem moved(std::move(arrItems[0]));
        EXPECT_EQ(nullptr, arrItems[0].pControl);
        EXPECT_EQ(pControl, moved.pControl);
        arrItems[0] = std::move(moved);
        EXPECT_EQ(nullptr, moved.pControl);
        EXPECT_EQ(pControl, arrItems[0].pControl);
    }
    // The array's destruction destroyed the control with its window, and the font.
    EXPECT_EQ(1, nDeleted);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(FontAlive(hFont));
}

TEST(DynamicItems, MoveOntoAnOwnerReleasesItsControl)
{
    int nDeleted = 0;
    _XmlDynamicItem target;
    target.pControl = new CCountedWnd(nDeleted);
    HWND hOld = target.pControl->GetSafeHwnd();
    _XmlDynamicItem source;
    source.pControl = new CCountedWnd(nDeleted);
    CWnd* pNew = source.pControl;

    target = std::move(source);
    EXPECT_EQ(1, nDeleted);
    EXPECT_FALSE(IsWindow(hOld));
    EXPECT_EQ(pNew, target.pControl);
    EXPECT_EQ(nullptr, source.pControl);
}

TEST(DynamicItems, ReaderKeepsControlsAcrossReloadsAndDeletesThemWithItself)
{
    CTempSkinFolder folder;
    CString strFirst = folder.WriteUtf8(L"a.xml", LR"(<Skin><CommonWindow><ToolMgrUIDlg><DynamicInfo>
  <B ID="Refresh" Name="Refresh" ControlType="2" FontSize="10"/>
  <L ID="Label1" Name="Empty list" ControlType="1"/>
</DynamicInfo></ToolMgrUIDlg></CommonWindow></Skin>)");
    CString strSecond = folder.WriteUtf8(L"b.xml", LR"(<Skin><CommonWindow><ToolMgrUIDlg><DynamicInfo>
  <B ID="REFRESH" Name="Reload"/>
  <L ID="Label2" Name="new" ControlType="1"/>
</DynamicInfo></ToolMgrUIDlg></CommonWindow></Skin>)");

    int nDeleted = 0;
    HWND hRefresh = nullptr, hLabel = nullptr;
    CFont* pFont = NewFont();
    HGDIOBJ hFont = pFont->GetSafeHandle();
    {
        CQmXMLParseBase reader;
        CQmXMLParseBase::ParseSkinFile(strFirst, &reader, kDialog, L"", L"Default");
        ASSERT_EQ(2, reader.m_arrDynamicItems.GetSize());
        CWnd* pRefresh = new CCountedWnd(nDeleted);
        hRefresh = pRefresh->GetSafeHwnd();
        reader.m_arrDynamicItems[0].pControl = pRefresh;
        reader.m_arrDynamicItems[0].hFont = pFont;
        reader.m_arrDynamicItems[1].pControl = new CCountedWnd(nDeleted);
        hLabel = reader.m_arrDynamicItems[1].pControl->GetSafeHwnd();

        // Loading again restyles the existing description; its control stays.
        CQmXMLParseBase::ParseSkinFile(strSecond, &reader, kDialog, L"", L"Default");
        ASSERT_EQ(3, reader.m_arrDynamicItems.GetSize());
        EXPECT_EQ(pRefresh, reader.m_arrDynamicItems[0].pControl);
        EXPECT_STREQ(L"Reload", reader.m_arrDynamicItems[0].strName.GetString());
        EXPECT_EQ(10, reader.m_arrDynamicItems[0].nFontSize);
        EXPECT_STREQ(L"Label2", reader.m_arrDynamicItems[2].strID.GetString());
        EXPECT_EQ(0, nDeleted);
        EXPECT_TRUE(IsWindow(hRefresh));
    }
    EXPECT_EQ(2, nDeleted);
    EXPECT_FALSE(IsWindow(hRefresh));
    EXPECT_FALSE(IsWindow(hLabel));
    EXPECT_FALSE(FontAlive(hFont));
}

} // namespace
