#include "DamagedSkin.h"
#include <gtest/gtest.h>
#include "support/TestFiles.h"
#include "support/TestText.h"

DamagedSkin::DamagedSkin() : m_folder(L"tavrin skin check"), m_strConfig(m_folder.Path() + L"Config\\")
{
    CopyFolderTree(ProgramFolder() + L"Config\\", m_strConfig);
}

void DamagedSkin::Replace(const CString& strFrom, const CString& strTo)
{
    CString strText = FromUtf8(ReadFileBytes(SkinFile()));
    int nAt = strText.Find(strFrom);
    ASSERT_GE(nAt, 0) << "the default skin has no " << ToUtf8(strFrom);
    WriteUtf8File(SkinFile(), strText.Left(nAt) + strTo + strText.Mid(nAt + strFrom.GetLength()));
}

int DamagedSkin::LineOf(const CString& strText) const
{
    CString strSkin = FromUtf8(ReadFileBytes(SkinFile()));
    int nAt = strSkin.Find(strText);
    int nLine = 1;
    for (int i = 0; i < nAt; ++i)
        nLine += strSkin[i] == L'\n' ? 1 : 0;
    return nAt < 0 ? 0 : nLine;
}
