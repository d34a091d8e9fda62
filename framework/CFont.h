// GDI font owner, as MFC's CFont.
#pragma once
#include "CGdiObject.h"

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;

    // A temporary, non-owning wrapper of hFont (null for a null handle).
    static CFont* FromHandle(HFONT hFont);

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename);
};
