// The skin reader on real skin files written into a temp folder: sections,
// entries, the three tables and the typed reads.
#include <gtest/gtest.h>
#include <clocale>
#include <cstring>
#include <string>
#include "CTempSkinFolder.h"
#include "skin/CQmXMLParseBase.h"

namespace {

const wchar_t kDialog[] = L"CommonWindow\\ToolMgrUIDlg";
const wchar_t kList[] = L"CommonWindow\\ToolMgrList";

CString Info(const CQmXMLParseBase& reader, const wchar_t* pszKey, BOOL bPath = FALSE)
{
    CString strValue = L"junk";
    reader.GetInfoString(pszKey, bPath, strValue);
    return strValue;
}

bool HasKey(const CQmXMLParseBase& reader, const wchar_t* pszKey)
{
    return reader.m_mapWindowInfo.PLookup(pszKey) != nullptr;
}

std::string Ansi(const CString& str)
{
    return str.ToAnsi();
}

TEST(SkinReader, SectionPathsAndElementCase)
{
    CTempSkinFolder folder;
    CString strFile = folder.WriteUtf8(L"Morvel_SCfg.xml", LR"(<?xml version="1.0" encoding="utf-8"?>
<AnyRoot>
  <commonwindow>
    <TOOLMGRUIDLG><WINDOWINFO><Item ItemID="Title" Data="first"/></WINDOWINFO></TOOLMGRUIDLG>
    <ToolMgrUIDlg><WindowInfo><Item ItemID="Title" Data="second sibling"/></WindowInfo></ToolMgrUIDlg>
  </commonwindow>
  <ToolMgrUIDlg><WindowInfo><Item ItemID="Title" Data="top level"/></WindowInfo></ToolMgrUIDlg>
</AnyRoot>)");

    struct Row { const wchar_t* pszPath; const wchar_t* pszTitle; } rows[] = {
        {L"CommonWindow\\ToolMgrUIDlg", L"first"},  // first matching sibling wins
        {L"CommonWindow\\ToolMgrUIDlg\\", L"first"},
        {L"CommonWindow\\ToolMgrUIDlg\\\\", L"first"},
        {L"commonWINDOW\\toolmgruidlg", L"first"},
        {L"ToolMgrUIDlg", L"top level"},
        {L"\\CommonWindow\\ToolMgrUIDlg", L""},     // leading backslash: empty component
        {L"CommonWindow\\\\ToolMgrUIDlg", L""},
        {L"CommonWindow\\Missing", L""},
        {L"Missing\\ToolMgrUIDlg", L""},
        {L"", L""},
    };
    for (const Row& row : rows) {
        CQmXMLParseBase reader;
        CQmXMLParseBase::ParseSkinFile(strFile, &reader, row.pszPath, L"", L"Default");
        EXPECT_STREQ(row.pszTitle, Info(reader, L"Title").GetString()) << Ansi(row.pszPath);
        bool bFound = *row.pszTitle != 0;
        EXPECT_EQ(bFound ? 1 : 0, reader.m_mapWindowInfo.GetCount()) << Ansi(row.pszPath);
        EXPECT_STREQ(bFound ? folder.Folder().GetString() : L"", reader.m_strSkinDir.GetString()) << Ansi(row.pszPath);
        EXPECT_STREQ(L"Default", reader.m_strSkinName.GetString()) << Ansi(row.pszPath);
    }
}

TEST(SkinReader, WindowInfoEntries)
{
    CTempSkinFolder folder;
    CString strFile = folder.WriteUtf8(L"Morvel_SCfg.xml", LR"(<Skin><CommonWindow><ToolMgrUIDlg>
  <WindowInfo>
    text between entries
    <Item ItemID="Title" Data="old"/>
    <!-- <Item ItemID="Commented" Data="never"/> -->
    <Anything ItemID="Title" Data="new"/>
    <Item ItemID="TITLE" Data="upper"/>
    <Item itemid="Lower" Data="under the empty key"/>
    <Item ItemID="NoData"/>
    <Item ItemID="Outer" Data="outer"><Item ItemID="Inner" Data="nested"/></Item>
    <Item ItemID="Chinese" Data="&#x5DE5;&#x5177;"/>
    <![CDATA[<Item ItemID="Cdata" Data="never"/>]]>
  </WindowInfo>
</ToolMgrUIDlg></CommonWindow></Skin>)");

    CQmXMLParseBase reader;
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");

    EXPECT_STREQ(L"new", Info(reader, L"Title").GetString());
    EXPECT_STREQ(L"upper", Info(reader, L"TITLE").GetString());
    EXPECT_STREQ(L"", Info(reader, L"title").GetString());
    EXPECT_STREQ(L"under the empty key", Info(reader, L"").GetString());
    EXPECT_FALSE(HasKey(reader, L"Lower"));
    EXPECT_TRUE(HasKey(reader, L"NoData"));
    EXPECT_STREQ(L"", Info(reader, L"NoData").GetString());
    EXPECT_STREQ(L"outer", Info(reader, L"Outer").GetString());
    EXPECT_FALSE(HasKey(reader, L"Inner"));
    EXPECT_FALSE(HasKey(reader, L"Commented"));
    EXPECT_FALSE(HasKey(reader, L"Cdata"));
    EXPECT_STREQ(L"\x5DE5\x5177", Info(reader, L"Chinese").GetString());
    EXPECT_EQ(6, reader.m_mapWindowInfo.GetCount());
    EXPECT_EQ(0, reader.m_mapPosInfo.GetCount());
    EXPECT_EQ(0, reader.m_arrDynamicItems.GetSize());

    // The load leaves the C runtime in the Simplified Chinese code page.
    const char* pszLocale = setlocale(LC_ALL, nullptr);
    ASSERT_NE(nullptr, pszLocale);
    EXPECT_NE(nullptr, strstr(pszLocale, "936")) << pszLocale;
}

TEST(SkinReader, TwoSectionsAndRepeatedLoadsAddUp)
{
    CTempSkinFolder folder;
    CString strFile = folder.WriteUtf8(L"Morvel_SCfg.xml", LR"(<Skin><CommonWindow>
  <ToolMgrUIDlg><WindowInfo>
    <Item ItemID="Title" Data="dialog"/><Item ItemID="FontSize" Data="12"/>
  </WindowInfo></ToolMgrUIDlg>
  <ToolMgrList><WindowInfo>
    <Item ItemID="ItemBmp" Data="item.png"/><Item ItemID="FontSize" Data="9"/>
  </WindowInfo></ToolMgrList>
</CommonWindow></Skin>)");
    CTempSkinFolder other(L"other");
    CString strOther = other.WriteUtf8(L"Other.xml", LR"(<Skin><CommonWindow><ToolMgrUIDlg><WindowInfo>
    <Item ItemID="Title" Data="replaced"/><Item ItemID="Extra" Data="added"/>
</WindowInfo></ToolMgrUIDlg></CommonWindow></Skin>)");

    CQmXMLParseBase reader;
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, kList, L"Default");
    EXPECT_STREQ(L"dialog", Info(reader, L"Title").GetString());
    EXPECT_STREQ(L"item.png", Info(reader, L"ItemBmp").GetString());
    int nFontSize = -1;
    EXPECT_EQ(1, reader.GetInfoNumber(L"FontSize", nFontSize));
    EXPECT_EQ(9, nFontSize); // the second section was read last
    EXPECT_EQ(3, reader.m_mapWindowInfo.GetCount());

    // A later load of another file adds to the tables and moves the folder.
    CQmXMLParseBase::ParseSkinFile(strOther, &reader, kDialog, L"", L"Blue");
    EXPECT_STREQ(L"replaced", Info(reader, L"Title").GetString());
    EXPECT_STREQ(L"added", Info(reader, L"Extra").GetString());
    EXPECT_STREQ(L"item.png", Info(reader, L"ItemBmp").GetString());
    EXPECT_EQ(4, reader.m_mapWindowInfo.GetCount());
    EXPECT_STREQ((other.Folder() + L"Blue\\item.png").GetString(), Info(reader, L"ItemBmp", TRUE).GetString());
}

TEST(SkinReader, TypedReads)
{
    CTempSkinFolder folder(L"\x76AE\x80A4"); // a folder name outside the ANSI range
    CString strFile = folder.WriteUtf8(L"Morvel_SCfg.xml", LR"(<Skin><CommonWindow><ToolMgrUIDlg><WindowInfo>
    <Item ItemID="BackBmp" Data="bg.png"/>
    <Item ItemID="Icon" Data=""/>
    <Item ItemID="Word" Data="abc"/>
    <Item ItemID="Hex" Data="0x FF"/>
    <Item ItemID="Spaces" Data="  "/>
    <Item ItemID="Rect" Data="10, 20, 30, 40"/>
    <Item ItemID="ShortRect" Data="5,6"/>
    <Item ItemID="Pair" Data=" 3 , 4 "/>
</WindowInfo></ToolMgrUIDlg></CommonWindow></Skin>)");
    CQmXMLParseBase reader;
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");

    EXPECT_STREQ((folder.Folder() + L"Default\\bg.png").GetString(), Info(reader, L"BackBmp", TRUE).GetString());
    EXPECT_STREQ(L"bg.png", Info(reader, L"BackBmp", FALSE).GetString());
    EXPECT_STREQ(L"", Info(reader, L"Icon", TRUE).GetString());    // empty Data: not the bare folder
    EXPECT_STREQ(L"", Info(reader, L"Missing", TRUE).GetString());

    struct NumberRow { const wchar_t* pszKey; int nResult; int nValue; } numbers[] = {
        {L"Word", 1, 0}, {L"Hex", 1, 255}, {L"Spaces", 0, 0}, {L"Missing", 0, 0}, {L"Rect", 1, 10},
    };
    for (const NumberRow& row : numbers) {
        int nValue = 99;
        EXPECT_EQ(row.nResult, reader.GetInfoNumber(row.pszKey, nValue)) << Ansi(row.pszKey);
        EXPECT_EQ(row.nValue, nValue) << Ansi(row.pszKey);
    }

    struct RectRow { const wchar_t* pszKey; RECT rc; } rects[] = {
        {L"Rect", {10, 20, 40, 60}}, {L"ShortRect", {5, 6, 5, 6}}, {L"Missing", {0, 0, 0, 0}}, {L"Word", {0, 0, 0, 0}},
    };
    for (const RectRow& row : rects) {
        RECT rc = {9, 9, 9, 9};
        reader.GetInfoRect(row.pszKey, rc);
        EXPECT_TRUE(EqualRect(&row.rc, &rc)) << Ansi(row.pszKey) << ": " << rc.left << "," << rc.top << ","
                                             << rc.right << "," << rc.bottom;
    }

    POINT pt = {9, 9};
    reader.GetInfoPoint(L"Pair", pt);
    EXPECT_EQ(3, pt.x);
    EXPECT_EQ(4, pt.y);
    pt = {9, 9};
    reader.GetInfoPoint(L"Missing", pt);
    EXPECT_EQ(0, pt.x);
    EXPECT_EQ(0, pt.y);
}

TEST(SkinReader, PosInfoEntries)
{
    CTempSkinFolder folder;
    CString strFile = folder.WriteUtf8(L"Morvel_SCfg.xml", LR"(<Skin><CommonWindow><ToolMgrUIDlg><PosInfo>
    <Pos ItemID="Prefixed" Color="0XFF112233" Pos="1,2,3,4"/>
    <Pos ItemID="Bare" Color="80aabbcc" Pos="-1, -2, 10, 20"/>
    <Pos ItemID="NoColor" Pos=""/>
    <Pos ItemID="EmptyColor" Color=""/>
    <Pos ItemID="Twice" Color="1" Pos="1,1,1,1"/>
    <Pos ItemID="Twice" Color="2" Pos="2,2,2,2"/>
    <Pos Color="5"/>
</PosInfo></ToolMgrUIDlg></CommonWindow></Skin>)");
    CQmXMLParseBase reader;
    CQmXMLParseBase::ParseSkinFile(strFile, &reader, kDialog, L"", L"Default");

    struct Row { const wchar_t* pszID; DWORD clrColor; RECT rcPos; } rows[] = {
        {L"Prefixed", 0xFF112233, {1, 2, 4, 6}},
        {L"Bare", 0x80AABBCC, {-1, -2, 9, 18}},
        {L"NoColor", 0xFFFFFFFF, {0, 0, 0, 0}},
        {L"EmptyColor", 0xFFFFFFFF, {0, 0, 0, 0}},
        {L"Twice", 2, {2, 2, 4, 4}},
        {L"", 5, {0, 0, 0, 0}},
    };
    EXPECT_EQ(6, reader.m_mapPosInfo.GetCount());
    for (const Row& row : rows) {
        _XmlPosItem* const* ppItem = reader.m_mapPosInfo.PLookup(row.pszID);
        ASSERT_NE(nullptr, ppItem) << Ansi(row.pszID);
        const _XmlPosItem& item = **ppItem;
        EXPECT_STREQ(row.pszID, item.strItemID.GetString());
        EXPECT_EQ(row.clrColor, item.clrColor) << Ansi(row.pszID);
        EXPECT_TRUE(EqualRect(&row.rcPos, &item.rcPos)) << Ansi(row.pszID);
    }
    EXPECT_EQ(0, reader.m_mapWindowInfo.GetCount());
}

} // namespace
