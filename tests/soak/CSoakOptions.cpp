#include "CSoakOptions.h"
#include <cwchar>

bool CSoakOptions::ReadSeed(const wchar_t* pszText, uint64_t& nSeed)
{
    wchar_t* pEnd = nullptr;
    nSeed = wcstoull(pszText, &pEnd, 16);
    return pEnd != pszText && *pEnd == 0;
}

bool CSoakOptions::ReadCount(const wchar_t* pszText, int& nValue)
{
    wchar_t* pEnd = nullptr;
    long nRead = wcstol(pszText, &pEnd, 10);
    nValue = static_cast<int>(nRead);
    return pEnd != pszText && *pEnd == 0 && nRead >= 0 && nRead <= 100000000;
}

bool CSoakOptions::Parse(int argc, wchar_t** argv, std::string& strError)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring strName = argv[i];
        const wchar_t* pszValue = i + 1 < argc ? argv[i + 1] : nullptr;
        bool bRead = pszValue != nullptr;
        if (strName == L"--verbose" || strName == L"--uncapped" || strName == L"--sizes" || strName == L"--faults" ||
            strName == L"--sample") {
            (strName == L"--verbose"    ? bVerbose
             : strName == L"--uncapped" ? bUncapped
             : strName == L"--sizes"    ? bSizes
             : strName == L"--faults"   ? bFaults
                                        : bSample) = true;
            continue;
        }
        if (strName == L"--child") {
            uint64_t nHandle = 0;
            bRead = bRead && ReadSeed(pszValue, nHandle);
            nStatusHandle = static_cast<uintptr_t>(nHandle);
            bChild = true;
        } else if (strName == L"--cases") {
            bRead = bRead && ReadCount(pszValue, nCases);
        } else if (strName == L"--seed") {
            bRead = bRead && ReadSeed(pszValue, nSeed);
            bSeedGiven = true;
        } else if (strName == L"--replay") {
            bRead = bRead && ReadSeed(pszValue, nReplaySeed);
            bReplay = true;
        } else if (strName == L"--case-seed") {
            bRead = bRead && ReadSeed(pszValue, nCaseSeed);
            bCaseSeed = true;
        } else if (strName == L"--out") {
            strOut = bRead ? pszValue : L"";
        } else if (strName == L"--hang-seconds") {
            bRead = bRead && ReadCount(pszValue, nHangSeconds) && nHangSeconds > 0;
        } else if (strName == L"--repeat") {
            bRead = bRead && ReadCount(pszValue, nRepeat) && nRepeat > 0;
        } else if (strName == L"--import") {
            strImport = bRead ? CString(pszValue).ToAnsi() : std::string();
        } else if (strName == L"--from") {
            bRead = bRead && ReadCount(pszValue, nFromCall);
        } else if (strName == L"--to") {
            bRead = bRead && ReadCount(pszValue, nToCall);
        } else if (strName == L"--resume") {
            bRead = bRead && ReadCount(pszValue, nResume);
        } else if (strName == L"--first") {
            bRead = bRead && ReadCount(pszValue, nFirst);
        } else if (strName == L"--count") {
            bRead = bRead && ReadCount(pszValue, nCount);
        } else {
            strError = "unknown option " + CString(strName.c_str()).ToAnsi();
            return false;
        }
        if (!bRead) {
            strError = "option " + CString(strName.c_str()).ToAnsi() + " needs a valid value";
            return false;
        }
        ++i;
    }
    if (!strOut.IsEmpty() && strOut[strOut.GetLength() - 1] != L'\\' && strOut[strOut.GetLength() - 1] != L'/')
        strOut += L'\\';
    return true;
}
