#include "skin/CImageVariantSet.h"
#include <cwctype>
#include <cstdlib>
#include "framework/CHandleOwner.h"

const int CImageVariantSet::kQuarters[kFactorCount] = {4, 5, 6, 7, 8, 10, 12, 16};

namespace {

const wchar_t* const kFactorTexts[CImageVariantSet::kFactorCount] = {L"1",   L"1.25", L"1.5", L"1.75",
                                                                     L"2",   L"2.5",  L"3",   L"4"};

// The base name split at its last dot (the extension keeps the dot).
void SplitName(const std::wstring& strName, std::wstring& strStem, std::wstring& strExt)
{
    size_t nDot = strName.find_last_of(L'.');
    strStem = nDot == std::wstring::npos ? strName : strName.substr(0, nDot);
    strExt = nDot == std::wstring::npos ? std::wstring() : strName.substr(nDot);
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && _wcsicmp(a.c_str(), b.c_str()) == 0;
}

int RoundedQuarters(long nBase, int nQuarters)
{
    return static_cast<int>((static_cast<long long>(nBase) * nQuarters + 2) / 4);
}

} // namespace

CImageVariantSet CImageVariantSet::Query(const std::wstring& strBasePath)
{
    CImageVariantSet set;
    size_t nSlash = strBasePath.find_last_of(L"\\/");
    std::wstring strFolder = nSlash == std::wstring::npos ? std::wstring() : strBasePath.substr(0, nSlash + 1);
    std::wstring strBaseName = nSlash == std::wstring::npos ? strBasePath : strBasePath.substr(nSlash + 1);
    std::wstring strStem, strExt;
    SplitName(strBaseName, strStem, strExt);
    if (strStem.empty())
        return set;
    std::wstring strPattern = strFolder + strStem + L"@*x" + strExt;
    WIN32_FIND_DATAW data;
    CFindOwner find(::FindFirstFileExW(strPattern.c_str(), FindExInfoBasic, &data,
                                                     FindExSearchNameMatch, nullptr, 0));
    if (!find.IsValid())
        return set;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        int nIndex = VariantIndexOf(data.cFileName, strBaseName);
        if (nIndex > 0)
            set.Add(nIndex);
    } while (::FindNextFileW(find.Get(), &data));
    return set;
}

int CImageVariantSet::VariantIndexOf(const std::wstring& strFileName, const std::wstring& strBaseName)
{
    std::wstring strStem, strExt;
    SplitName(strBaseName, strStem, strExt);
    for (int i = 1; i < kFactorCount; ++i) {
        if (EqualNoCase(strFileName, strStem + L"@" + kFactorTexts[i] + L"x" + strExt))
            return i;
    }
    return -1;
}

void CImageVariantSet::Add(int nIndex)
{
    if (nIndex >= 0 && nIndex < kFactorCount)
        m_nPresent |= 1u << nIndex;
}

bool CImageVariantSet::Has(int nIndex) const
{
    return nIndex >= 0 && nIndex < kFactorCount && (m_nPresent & (1u << nIndex)) != 0;
}

std::vector<int> CImageVariantSet::ChoiceOrder(int nDpi) const
{
    // F >= dpi / 96 is F * 96 >= dpi, in quarters q * 24 >= dpi.
    std::vector<int> order;
    for (int i = 0; i < kFactorCount; ++i) {
        if (Has(i) && kQuarters[i] * 24 >= nDpi)
            order.push_back(i);
    }
    for (int i = kFactorCount - 1; i >= 0; --i) {
        if (Has(i) && kQuarters[i] * 24 < nDpi)
            order.push_back(i);
    }
    return order;
}

std::wstring CImageVariantSet::PathOf(const std::wstring& strBasePath, int nIndex)
{
    if (nIndex <= 0 || nIndex >= kFactorCount)
        return strBasePath;
    size_t nSlash = strBasePath.find_last_of(L"\\/");
    size_t nDot = strBasePath.find_last_of(L'.');
    if (nDot == std::wstring::npos || (nSlash != std::wstring::npos && nDot < nSlash))
        nDot = strBasePath.size();
    return strBasePath.substr(0, nDot) + L"@" + kFactorTexts[nIndex] + L"x" + strBasePath.substr(nDot);
}

const wchar_t* CImageVariantSet::FactorText(int nIndex)
{
    return nIndex >= 0 && nIndex < kFactorCount ? kFactorTexts[nIndex] : L"";
}

SIZE CImageVariantSet::ExpectedSize(SIZE sizeBase, int nIndex)
{
    int nQuarters = nIndex >= 0 && nIndex < kFactorCount ? kQuarters[nIndex] : 4;
    return SIZE{RoundedQuarters(sizeBase.cx, nQuarters), RoundedQuarters(sizeBase.cy, nQuarters)};
}

bool CImageVariantSet::IsSizeRight(SIZE sizeBase, SIZE sizeVariant, int nIndex)
{
    SIZE sizeExpected = ExpectedSize(sizeBase, nIndex);
    return std::labs(sizeExpected.cx - sizeVariant.cx) <= 1 && std::labs(sizeExpected.cy - sizeVariant.cy) <= 1;
}
