// Meaning of the skin's value texts (numbers, colours, rectangles, pairs,
// token lists, text styles), the module's file paths and registry reads.
// All are stateless free functions over wide strings.
#pragma once
#include <windows.h>
#include "framework/CString.h"

// Number rule: spaces removed, "0X" prefix means hexadecimal (stored bit for
// bit), otherwise signed decimal; the longest valid beginning is read.
// Returns 1 when the text held anything but spaces (nDest written only when
// at least one digit could be read), 0 when empty (nDest untouched).
int ParseNumber(CString strText, int& nDest);

// Token n (0-based) of strText cut at pszSep; empty when there is no such token.
void GetToken(const CString& strText, const wchar_t* pszSep, int nIndex, CString& strDest);

// Text from nStart up to the next separator into strDest; returns the
// separator's position, or -1 when the token runs to the end or nStart is -1.
int GetNextToken(const CString& strText, const wchar_t* pszSep, int nStart, CString& strDest);

// Splits at the last backslash: the folder keeps the backslash. Returns the file name.
CString SplitFilePath(const CString& strPath, CString* pstrFolder = nullptr, CString* pstrFileName = nullptr);

// Folder of the module's file with a trailing backslash (empty on failure,
// also when the module's path does not fit MAX_PATH).
void GetModuleDirectory(HMODULE hModule, CString& strDest);
// The paths below are empty whenever the module's folder is.
CString GetConfigDirectory(HMODULE hModule); // module folder + "Config\"
CString GetSkinFilePath(HMODULE hModule);    // config folder + "Morvel_SCfg.xml"
CString GetLogFilePath(HMODULE hModule);     // module folder + "Config\UILogTrace.txt"

// A value under HKEY_LOCAL_MACHINE as text: REG_SZ gives its text, REG_DWORD
// its signed decimal text, anything else (or a missing key/value) empty text.
// The read never goes beyond cbBuffer bytes; a cbBuffer above 1 MiB gives
// empty text.
void ReadRegistryValue(const wchar_t* pszKeyPath, const wchar_t* pszValueName, DWORD cbBuffer, CString& strDest);

// Rectangle rule: "x, y, w, h" -> left x, top y, right x + w, bottom y + h;
// empty text gives (0, 0, 0, 0). Members the scan cannot read keep their value
// (x and y are still added to the third and fourth).
void ParseRectText(const CString& strText, RECT& rcDest);

// Integer-pair rule: "a, b" -> (a, b); empty text gives (0, 0).
void ParsePairText(const CString& strText, POINT& ptDest);

// Colour-pair rule ("FontColor"): token 0 sets the first colour when not
// empty; token 1 sets the second, else the second equals the first.
void ParseColorPair(const CString& strText, DWORD& clrFirst, DWORD& clrSecond);

// Text-style rule ("FontFormat"): tokens 0..3 set style, alignment, line
// alignment and trimming, each only when its token is not empty.
void ParseTextStyle(const CString& strText, int& nStyle, int& nAlign, int& nLineAlign, int& nTrimming);
