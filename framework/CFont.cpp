#include "CFont.h"
#include "CTempHandleMap.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

CFont* CFont::FromHandle(HFONT hFont)
{
    static CTempHandleMap<HFONT, CFont> s_map(
        [](HFONT h) { return ::GetObjectType(h) == OBJ_FONT; },
        [](CFont* p, HFONT h) { p->m_hObject = h; });
    return s_map.FromHandle(hFont);
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                                lpszFacename));
}
