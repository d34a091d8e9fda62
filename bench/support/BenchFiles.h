// Files, folders, clocks and child processes that the benchmark programs share.
#pragma once
#include <windows.h>
#include <string>

// Milliseconds of the performance counter.
double Now();
// This program's folder, with its trailing backslash.
std::wstring ModuleFolder();
std::wstring SelfPath();
// %TEMP%\tavrin_bench\, made when missing.
std::wstring BenchFolder();
// A tool catalog of nTools. Icon paths are relative to the catalog's folder:
// "shared" uses the 9 icon files of the sample catalog, "own" a copy of one
// of them per tool.
std::wstring WriteCatalog(int nTools, bool bOwnIcons);
// Runs a program with the arguments and gives its output.
std::string RunProgram(const std::wstring& strProgram, const std::wstring& strArguments);
std::string RunSelf(const std::wstring& strArguments);
// Copies a folder's files, and with bTree its folders too.
void CopyFolder(const std::wstring& strFrom, const std::wstring& strTo, bool bTree, const wchar_t* pszPattern = L"*");
