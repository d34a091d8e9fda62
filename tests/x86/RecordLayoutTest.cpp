// The tool record as our 32-bit Pellix.dll lays it out in memory: the next
// record's address as a 4-byte value at byte 3488, null after the last.
#include <windows.h>
#include <cstring>
#include <gtest/gtest.h>
#include "include/PellixSDK.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"

namespace {

DWORD Dword(const _PLUGIN_INFO* pRecord, size_t nOffset)
{
    DWORD dw = 0;
    memcpy(&dw, reinterpret_cast<const BYTE*>(pRecord) + nOffset, sizeof(dw));
    return dw;
}

TEST(RecordLayout, NextPointerIsFourBytesAtOffset3488)
{
    static_assert(sizeof(void*) == 4, "this test program is built for the 32-bit target");
    CTempFolder folder(L"tavrin layout");
    CString strCatalog = folder.File(L"catalog.ini");
    WriteUtf8File(strCatalog, L"[Tool]\nName=First\nId=one\n[Tool]\nName=Second\nId=two\n");
    SetEnvironmentVariableW(L"PELLIX_CATALOG", strCatalog);

    _PLUGIN_INFO* pHead = nullptr;
    ASSERT_EQ(2, PxGetAllPluginList(&pHead));
    ASSERT_NE(nullptr, pHead);
    const _PLUGIN_INFO* pSecond = reinterpret_cast<const _PLUGIN_INFO*>(static_cast<UINT_PTR>(Dword(pHead, 3488)));
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(pHead->pNext, pSecond);
    EXPECT_STREQ(L"Second", reinterpret_cast<const wchar_t*>(pSecond));
    EXPECT_STREQ(L"two", reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pSecond) + 102));
    EXPECT_EQ(0u, Dword(pSecond, 3488));
    EXPECT_EQ(3492u, sizeof(_PLUGIN_INFO));
    PxFreePluginListBuffer(pHead);
    SetEnvironmentVariableW(L"PELLIX_CATALOG", nullptr);
}

} // namespace
