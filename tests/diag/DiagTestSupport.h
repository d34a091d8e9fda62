// Shared pieces of the trace log's tests: registry values set for one test and
// put back afterwards, fresh temporary folders, whole-file reads, and files of
// a given size.
#pragma once
#include <windows.h>
#include "framework/CString.h"
#include "support/CRegistryValueScope.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"

// A file of exactly cbSize bytes, all 'x'.
void MakeFileOfSize(const CString& strPath, DWORD cbSize);
