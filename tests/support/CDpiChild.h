// Runs the test program again, in a child process, at another display DPI.
// Wine reads the prefix's DPI (HKCU\Control Panel\Desktop, LogPixels, a
// REG_DWORD) once, when a process starts: the parent sets it, starts the
// child, and puts the old value back as soon as the child reports that it
// has started, so that a crash of the child cannot leave the prefix at
// another DPI. The child runs the tests that the filter names; they learn
// their DPI from RequestedDpi.
#pragma once
#include <string>
#include "framework/CString.h"

class CDpiChild
{
public:
    // The DPI the parent started this process at; 0 in an ordinary run.
    static int RequestedDpi();
    // A folder that every child of one parent test shares, for results that
    // one child leaves for another; empty in an ordinary run.
    static CString SharedFolder();
    // In the child: the DPI is read, the parent may restore the prefix.
    static void ReportStarted();

    // Runs this program's tests that match strFilter at nDpi, with
    // strSharedFolder as the shared folder; gives the exit code (-1 when the
    // child did not end in time) and its output.
    static int Run(int nDpi, const CString& strFilter, const CString& strSharedFolder, std::string& strOutput);
};
