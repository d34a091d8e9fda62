// Why the last skin load read nothing: the file is missing, or the XML parser
// stopped at a fatal error (with its line and column, 1-based; 0 when the
// parser gave no position). Kept by the skin reader for its owner to report.
#pragma once
#include "framework/CString.h"

struct _XmlLoadError
{
    bool bFailed = false;
    CString strMessage;
    long long nLine = 0;
    long long nColumn = 0;

    void Set(const CString& strText, long long nAtLine = 0, long long nAtColumn = 0)
    {
        bFailed = true;
        strMessage = strText;
        nLine = nAtLine;
        nColumn = nAtColumn;
    }
};
