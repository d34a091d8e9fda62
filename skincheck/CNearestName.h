// The known name closest to a misspelt one, for "did you mean" hints: edit
// distance ignoring case, close enough to be a slip of the keyboard.
#pragma once
#include <vector>
#include "framework/CString.h"

class CNearestName
{
public:
    // The nearest candidate, or empty text when none is close.
    static CString Find(const CString& strName, const std::vector<CString>& candidates);
    // The hint ": did you mean X?" for the nearest candidate, or empty text.
    static CString Hint(const CString& strName, const std::vector<CString>& candidates);

private:
    static int Distance(const CString& a, const CString& b);
};
