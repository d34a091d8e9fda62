#include "skincheck/CNearestName.h"
#include <algorithm>
#include <cwctype>

int CNearestName::Distance(const CString& a, const CString& b)
{
    // Levenshtein distance over lower-case letters, one row at a time.
    std::vector<int> row(static_cast<size_t>(b.GetLength()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (int i = 1; i <= a.GetLength(); ++i) {
        int nDiagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.GetLength(); ++j) {
            int nAbove = row[j];
            bool bSame = towlower(a[i - 1]) == towlower(b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, nDiagonal + (bSame ? 0 : 1)});
            nDiagonal = nAbove;
        }
    }
    return row.back();
}

CString CNearestName::Find(const CString& strName, const std::vector<CString>& candidates)
{
    int nLimit = std::max(2, strName.GetLength() / 3);
    CString strBest;
    int nBest = nLimit + 1;
    for (const CString& strCandidate : candidates) {
        int nDistance = Distance(strName, strCandidate);
        if (nDistance < nBest) {
            nBest = nDistance;
            strBest = strCandidate;
        }
    }
    return strBest;
}

CString CNearestName::Hint(const CString& strName, const std::vector<CString>& candidates)
{
    CString strNearest = Find(strName, candidates);
    return strNearest.IsEmpty() ? CString() : L": did you mean " + strNearest + L"?";
}
