// The higher-resolution variants that lie beside a skin image: for NAME.EXT,
// the files NAME@<F>x.EXT with F one of 1.25, 1.5, 1.75, 2, 2.5, 3, 4. The
// base image itself counts as F = 1. A variant is meant to be the base image
// drawn F times as large: round(base size * F), give or take one pixel.
//
// For a display scale s the preferred image is the one with the smallest
// F >= s, else the largest F there is; when that one cannot be used the next
// ones follow: the larger factors upwards, then the smaller ones downwards.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class CImageVariantSet
{
public:
    // Factors in quarters, smallest first; index 0 is the base image.
    static constexpr int kFactorCount = 8;
    static const int kQuarters[kFactorCount];

    // Only the base image.
    CImageVariantSet() = default;
    // The variants present beside strBasePath, found with one directory query.
    static CImageVariantSet Query(const std::wstring& strBasePath);
    // The factor index of a file name NAME@<F>x.EXT of the base name NAME.EXT
    // (compared without regard to case), or -1 when it is none.
    static int VariantIndexOf(const std::wstring& strFileName, const std::wstring& strBaseName);

    void Add(int nIndex);
    bool Has(int nIndex) const;
    bool HasVariants() const { return (m_nPresent & ~1u) != 0; }

    // The factor indices to try at nDpi, best first (the base among them).
    std::vector<int> ChoiceOrder(int nDpi) const;

    // NAME@<F>x.EXT for the factor index (the base path itself for 0).
    static std::wstring PathOf(const std::wstring& strBasePath, int nIndex);
    // "1.5" and the like.
    static const wchar_t* FactorText(int nIndex);
    // round(base * F) in each direction.
    static SIZE ExpectedSize(SIZE sizeBase, int nIndex);
    // A variant within one pixel of its expected size.
    static bool IsSizeRight(SIZE sizeBase, SIZE sizeVariant, int nIndex);

private:
    unsigned m_nPresent = 1; // bit i: factor index i; the base is always counted
};
