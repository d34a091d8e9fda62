#include "SkinWriter.h"
#include <gtest/gtest.h>
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

CString InfoXml(const std::vector<std::pair<CString, CString>>& entries)
{
    CString strXml;
    for (const auto& entry : entries)
        strXml += L"        <Item ItemID=\"" + XmlAttribute(entry.first) + L"\" Data=\"" + XmlAttribute(entry.second) +
                  L"\"/>\r\n";
    return strXml;
}

CString Numbers(int a, int b)
{
    CString str;
    str.Format(L"%d,%d", a, b);
    return str;
}

} // namespace

SkinWriter::SkinWriter(const CString& strModuleFolder) : m_strConfig(strModuleFolder + L"Config\\")
{
    m_dialogInfo = {
        {L"Title", L"Tools"},
        {L"BackBmp", L"PanelBack.png"},
        {L"IsLayerWnd", L"0"},
        {L"IsDrag", L"0"},
        {L"FontName", L"DejaVu Sans"},
        {L"FontSize", L"12"},
        {L"FontColor", L"0XFFFFFFFF"},
        {L"FontFormat", L"0;0;1;1"},
        {L"ShowToolTip", L"1"},
        {L"ToolTipWidth", L"300"},
        {L"DefaultToolIcon", L"DefaultIcon.png"},
        {L"ToolTipParttern", L"%s|%s|%s"},
    };
    SetSheet(m_sheet.cx, m_sheet.cy);
    SetMargins(m_margins.left, m_margins.top, m_margins.right, m_margins.bottom);
    CString strSpec;
    strSpec.Format(L"%d;%d;%d;%d", TestSkin::kItemW, TestSkin::kItemH, TestSkin::kSpacing, TestSkin::kSpacing);
    m_listInfo = {
        {L"BackBmp", L"ListBack.png"},
        {L"ItemBmp", L"Item.png"},
        {L"ListItemSpec", strSpec},
        {L"ItemIconPos", Numbers(TestSkin::kIconPos.x, TestSkin::kIconPos.y)},
        {L"ItemStringRect", L"0,30,60,18"},
        {L"FontName", L"DejaVu Sans"},
        {L"FontSize", L"11"},
        {L"FontColor", L"0XFFFFFFFF"},
        {L"FontFormat", L"0;1;1;1"},
        {L"ShowToolTip", L"1"},
        {L"ToolTipWidth", L"300"},
    };
    const RECT& rc = TestSkin::kRefreshPos;
    CString strRefresh;
    strRefresh.Format(L"ID=\"Refresh\" ControlType=\"2\" Pos=\"%d,%d,%d,%d\" BkImg=\"Refresh.png\" "
                      L"ToolTip=\"Fetch the tool list again\"",
                      rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    m_controls = {
        strRefresh,
        L"ID=\"LABEL1\" ControlType=\"1\" Name=\"No tools yet\" Pos=\"20,60,200,20\"",
        L"ID=\"LABEL2\" ControlType=\"1\" Name=\"Press Refresh\" Pos=\"20,90,200,20\"",
        L"ID=\"LABEL3\" ControlType=\"1\" Name=\"to fetch them.\" Pos=\"20,120,200,20\"",
        L"ID=\"ICON\" ControlType=\"1\" Pos=\"20,150,32,32\" BkImg=\"DefaultIcon.png\"",
    };
}

void SkinWriter::SetEntry(Entries& entries, const wchar_t* pszKey, const CString& strData)
{
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->first == pszKey) {
            if (strData.IsEmpty())
                entries.erase(it);
            else
                it->second = strData;
            return;
        }
    }
    if (!strData.IsEmpty())
        entries.emplace_back(pszKey, strData);
}

void SkinWriter::SetDialogInfo(const wchar_t* pszKey, const CString& strData)
{
    SetEntry(m_dialogInfo, pszKey, strData);
}

void SkinWriter::SetListInfo(const wchar_t* pszKey, const CString& strData)
{
    SetEntry(m_listInfo, pszKey, strData);
}

void SkinWriter::RemoveControl(const wchar_t* pszId)
{
    CString strId = L"ID=\"" + CString(pszId) + L"\" ";
    for (auto it = m_controls.begin(); it != m_controls.end(); ++it) {
        if (it->Left(strId.GetLength()) == strId) {
            m_controls.erase(it);
            return;
        }
    }
    ADD_FAILURE() << "the skin has no control " << strId.ToAnsi();
}

void SkinWriter::SetSheet(int cx, int cy)
{
    m_sheet = {cx, cy};
    SetDialogInfo(L"SheetSize", Numbers(cx, cy));
}

void SkinWriter::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    m_margins = {nLeft, nTop, nRight, nBottom};
    SetDialogInfo(L"PluginWndMarge", Numbers(nLeft, nTop) + L"," + Numbers(nRight, nBottom));
}

void SkinWriter::SetScrollBarInfo(const wchar_t* pszKey, const CString& strData)
{
    SetEntry(m_scrollBarInfo, pszKey, strData);
}

void SkinWriter::UseSkinnedScrollBar(bool bAutoHide)
{
    CString strSlice;
    strSlice.Format(L"0;%d;0;%d", TestSkin::kTrackEndRows, TestSkin::kTrackEndRows);
    SetScrollBarInfo(L"Width", std::to_wstring(TestSkin::kBarWidth).c_str());
    SetScrollBarInfo(L"Inset", Numbers(TestSkin::kBarInset.x, TestSkin::kBarInset.y));
    SetScrollBarInfo(L"TrackBmp", L"Track.png");
    SetScrollBarInfo(L"TrackSlice", strSlice);
    SetScrollBarInfo(L"ThumbBmp", L"Thumb.png");
    SetScrollBarInfo(L"AutoHide", bAutoHide ? L"1" : L"0");
}

RECT SkinWriter::BarRect() const
{
    RECT rc = ListArea();
    rc.right -= TestSkin::kBarInset.x;
    rc.left = rc.right - TestSkin::kBarWidth;
    rc.top += TestSkin::kBarInset.y;
    rc.bottom -= TestSkin::kBarInset.y;
    return rc;
}

RECT SkinWriter::ListArea() const
{
    return {m_margins.left, m_margins.top, m_sheet.cx - m_margins.right, m_sheet.cy - m_margins.bottom};
}

POINT SkinWriter::ItemCorner(int nIndex, int nScrollPos) const
{
    int nRow = nIndex / TestSkin::kColumns, nColumn = nIndex % TestSkin::kColumns;
    return {m_margins.left + nColumn * (TestSkin::kItemW + TestSkin::kSpacing),
            m_margins.top + nRow * (TestSkin::kItemH + TestSkin::kSpacing) - nScrollPos};
}

POINT SkinWriter::ItemCentre(int nIndex, int nScrollPos) const
{
    POINT pt = ItemCorner(nIndex, nScrollPos);
    return {pt.x + TestSkin::kItemW / 2, pt.y + TestSkin::kItemH / 2};
}

CString SkinWriter::SkinXml() const
{
    CString strControls;
    for (const CString& strControl : m_controls)
        strControls += L"        <Control " + strControl + L"/>\r\n";
    CString strScrollBar;
    if (!m_scrollBarInfo.empty())
        strScrollBar = L"    <ToolMgrScrollBar>\r\n      <WindowInfo>\r\n" + InfoXml(m_scrollBarInfo) +
                       L"      </WindowInfo>\r\n    </ToolMgrScrollBar>\r\n";
    return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<TestSkin>\r\n  <CommonWindow>\r\n    <ToolMgrUIDlg>\r\n"
           L"      <WindowInfo>\r\n" +
           InfoXml(m_dialogInfo) + L"      </WindowInfo>\r\n      <DynamicInfo>\r\n" + strControls +
           L"      </DynamicInfo>\r\n    </ToolMgrUIDlg>\r\n    <ToolMgrList>\r\n      <WindowInfo>\r\n" +
           InfoXml(m_listInfo) + L"      </WindowInfo>\r\n    </ToolMgrList>\r\n" + strScrollBar +
           L"  </CommonWindow>\r\n</TestSkin>\r\n";
}

void SkinWriter::Write() const
{
    // The images never change, so each is written once.
    CString strImages = m_strConfig + L"Default\\";
    if (!FileExists(strImages + L"PanelBack.png")) {
        RECT rcList = ListArea();
        WriteSolidPng(strImages + L"PanelBack.png", m_sheet.cx, m_sheet.cy, TestSkin::kPanelBack);
        WriteSolidPng(strImages + L"ListBack.png", rcList.right - rcList.left, rcList.bottom - rcList.top,
                      TestSkin::kListBack);
        WriteFramesPng(strImages + L"Item.png", TestSkin::kItemW, TestSkin::kItemH, TestSkin::kItemFrames, 4);
        WriteSolidPng(strImages + L"DefaultIcon.png", TestSkin::kIconSize, TestSkin::kIconSize,
                      TestSkin::kDefaultIcon);
        const RECT& rc = TestSkin::kRefreshPos;
        WriteFramesPng(strImages + L"Refresh.png", rc.right - rc.left, rc.bottom - rc.top, TestSkin::kRefreshFrames,
                       4);
        const int w = TestSkin::kBarWidth, h = 20, nEnd = TestSkin::kTrackEndRows;
        WritePng(strImages + L"Track.png", w, h,
                 {{{0, 0, w, h}, TestSkin::kTrackEnd}, {{0, nEnd, w, h - nEnd}, TestSkin::kTrack}});
        WriteFramesPng(strImages + L"Thumb.png", w, h, TestSkin::kThumbFrames, 3);
    }
    WriteUtf8File(m_strConfig + L"Morvel_SCfg.xml", SkinXml());
}
