// Owner of a GDI+ string format, released once with GdipDeleteStringFormat.
#pragma once
#include "controls/GdipLastStatus.h"

namespace Gdip {

class StringFormat : public LastStatus
{
public:
    // GdipCreateStringFormat with format flags and language.
    explicit StringFormat(int nFormatFlags = 0, LANGID language = 0);
    ~StringFormat();
    StringFormat(const StringFormat&) = delete;
    StringFormat& operator=(const StringFormat&) = delete;

    // StringAlignment values: 0 near, 1 centre, 2 far.
    Status SetAlignment(int nAlign);     // GdipSetStringFormatAlign
    Status SetLineAlignment(int nAlign); // GdipSetStringFormatLineAlign
    // StringTrimming values 0 to 5 (none, character, word, ellipses).
    Status SetTrimming(int nTrimming);   // GdipSetStringFormatTrimming

    Gdiplus::GpStringFormat* Native() const { return m_pNative; }

private:
    Gdiplus::GpStringFormat* m_pNative = nullptr;
};

} // namespace Gdip
