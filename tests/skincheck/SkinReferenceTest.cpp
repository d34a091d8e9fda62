// The skin reference (docs/skin.md, copied beside the test program) and the
// module's key table name the same keys and attributes with the same kinds,
// so neither can drift from the other. In the reference, a heading with a
// name in backticks opens a table of that place's keys; each row starts with
// the key in backticks and gives its kind in the second column.
#include <gtest/gtest.h>
#include <set>
#include "skin/SkinKeyTable.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

using KeySet = std::set<CString>;

CString Between(const CString& strLine, wchar_t chOpen, wchar_t chClose, int nFrom = 0)
{
    int nOpen = strLine.Find(chOpen, nFrom);
    int nClose = nOpen < 0 ? -1 : strLine.Find(chClose, nOpen + 1);
    return nClose < 0 ? CString() : strLine.Mid(nOpen + 1, nClose - nOpen - 1);
}

KeySet KeysOfReference(const CString& strText)
{
    KeySet keys;
    CString strPlace;
    int nStart = 0;
    for (int nEnd = strText.Find(L'\n'); nEnd >= 0; nStart = nEnd + 1, nEnd = strText.Find(L'\n', nStart)) {
        CString strLine = strText.Mid(nStart, nEnd - nStart);
        strLine.Remove(L'\r');
        if (strLine.Left(1) == L"#")
            strPlace = Between(strLine, L'`', L'`');
        else if (!strPlace.IsEmpty() && strLine.Left(3) == L"| `") {
            CString strKind = Between(strLine, L'|', L'|', strLine.Find(L'|', 1));
            keys.insert(strPlace + L" | " + Between(strLine, L'`', L'`') + L" | " + strKind.Trim());
        }
    }
    return keys;
}

KeySet KeysOfTable()
{
    KeySet keys;
    int nCount = 0;
    const _SkinKeyInfo* pTable = SkinKeys::Table(nCount);
    for (int i = 0; i < nCount; ++i)
        keys.insert(CString(pTable[i].pszPlace) + L" | " + pTable[i].pszName + L" | " + SkinKeys::KindName(pTable[i].kind));
    return keys;
}

TEST(SkinReferenceTest, ReferenceAndKeyTableNameTheSameKeysAndKinds)
{
    CString strReference = FromUtf8(ReadFileBytes(ProgramFolder() + L"skin.md"));
    ASSERT_FALSE(strReference.IsEmpty()) << "skin.md is missing beside the test program";
    KeySet inReference = KeysOfReference(strReference);
    KeySet inTable = KeysOfTable();
    for (const CString& strKey : inTable)
        EXPECT_TRUE(inReference.count(strKey)) << "the reference lacks " << ToUtf8(strKey);
    for (const CString& strKey : inReference)
        EXPECT_TRUE(inTable.count(strKey)) << "the key table lacks " << ToUtf8(strKey);
}

} // namespace
