// The font family in which the module draws a text that the skin styles
// (item names, labels, buttons). A skin may name a family that the machine
// does not have, or none at all; its texts are then drawn in the family of
// the system's message font, and failing that in GDI+'s generic sans serif,
// at the same size and style, so that they never vanish.
#pragma once
#include "controls/GdipFontFamily.h"
#include "framework/CString.h"

namespace Gdip {

class TextFontFamily : public FontFamily
{
public:
    explicit TextFontFamily(const wchar_t* pszName);
    // The face name of the system's message font (NONCLIENTMETRICS), empty
    // when it cannot be read.
    static CString MessageFontFace();

private:
    bool TryName(const wchar_t* pszName);
};

} // namespace Gdip
