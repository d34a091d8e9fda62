#include "controls/GdipStringFormat.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

StringFormat::StringFormat(int nFormatFlags, LANGID language)
{
    SetStatus(GdipCreateStringFormat(nFormatFlags, language, &m_pNative));
}

StringFormat::~StringFormat()
{
    if (m_pNative)
        GdipDeleteStringFormat(m_pNative);
}

Status StringFormat::SetAlignment(int nAlign)
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipSetStringFormatAlign(m_pNative, static_cast<Gdiplus::StringAlignment>(nAlign)));
}

Status StringFormat::SetLineAlignment(int nAlign)
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipSetStringFormatLineAlign(m_pNative, static_cast<Gdiplus::StringAlignment>(nAlign)));
}

Status StringFormat::SetTrimming(int nTrimming)
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipSetStringFormatTrimming(m_pNative, static_cast<Gdiplus::StringTrimming>(nTrimming)));
}

} // namespace Gdip
