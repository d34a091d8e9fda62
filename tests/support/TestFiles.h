// Whole-file reads and writes for the tests, and where the test program lives.
#pragma once
#include <string>
#include "framework/CString.h"

bool FileExists(const CString& strPath);
// The file's bytes, or nothing when it cannot be opened (readers and writers
// elsewhere may hold it open meanwhile).
std::string ReadFileBytes(const CString& strPath);
// Replaces the file with exactly these bytes.
void WriteFileBytes(const CString& strPath, const std::string& strBytes);
// Replaces the file with the text as UTF-8; the file is written aside and
// moved into place, so a reader never sees half a file.
void WriteUtf8File(const CString& strPath, const CString& strText);
// Copies every file below strSource into strTarget (both ending with a
// backslash), creating folders as needed and replacing files.
void CopyFolderTree(const CString& strSource, const CString& strTarget);
// The folder of the test program, which holds the build's binaries.
CString ProgramFolder();
