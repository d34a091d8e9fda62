// Registry reads against the real (Wine) registry under HKEY_LOCAL_MACHINE.
#include <gtest/gtest.h>
#include <string>
#include "skin/ValueText.h"

namespace {

class RegistryValueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strKeyPath.Format(L"SOFTWARE\\TavrinSkinTest_%lu", GetCurrentProcessId());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_strKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &m_hKey, nullptr));
    }

    void TearDown() override
    {
        RegCloseKey(m_hKey);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKeyPath);
    }

    void SetValue(const wchar_t* pszName, DWORD dwType, const void* pData, size_t cbData)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(m_hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData),
                                                static_cast<DWORD>(cbData)));
    }

    void SetText(const wchar_t* pszName, DWORD dwType, const std::wstring& strText)
    {
        SetValue(pszName, dwType, strText.c_str(), (strText.size() + 1) * sizeof(wchar_t));
    }

    CString Read(const wchar_t* pszName, DWORD cbBuffer = 1024)
    {
        CString strValue = L"junk";
        ReadRegistryValue(m_strKeyPath, pszName, cbBuffer, strValue);
        return strValue;
    }

    CString m_strKeyPath;
    HKEY m_hKey = nullptr;
};

TEST_F(RegistryValueTest, NumbersTextsAndOtherTypes)
{
    DWORD dwAllSet = 0xFFFFFFFF, dwOne = 1, dwBig = 0x80000000;
    SetValue(L"AllSet", REG_DWORD, &dwAllSet, sizeof(DWORD));
    SetValue(L"One", REG_DWORD, &dwOne, sizeof(DWORD));
    SetValue(L"Big", REG_DWORD, &dwBig, sizeof(DWORD));
    SetText(L"Text", REG_SZ, L"on \x4E2D\x6587");
    SetText(L"Empty", REG_SZ, L"");
    SetText(L"Expand", REG_EXPAND_SZ, L"%TEMP%");
    SetValue(L"Multi", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
    SetValue(L"Binary", REG_BINARY, "\x01\x02\x03\x04", 4);
    unsigned long long qw = 5;
    SetValue(L"Qword", REG_QWORD, &qw, sizeof(qw));
    SetValue(L"Embedded", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));

    struct Row { const wchar_t* pszName; const wchar_t* pszText; } rows[] = {
        {L"AllSet", L"-1"}, {L"One", L"1"},   {L"Big", L"-2147483648"},
        {L"Text", L"on \x4E2D\x6587"},        {L"Empty", L""},
        {L"Expand", L""},   {L"Multi", L""},  {L"Binary", L""},
        {L"Qword", L""},    {L"Embedded", L"ab"}, {L"Missing", L""},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.pszText, Read(row.pszName).GetString()) << CString(row.pszName).ToAnsi();

    // A missing key reads as empty text as well.
    CString strValue = L"junk";
    ReadRegistryValue(L"SOFTWARE\\TavrinSkinTest_NoSuchKey", L"One", 1024, strValue);
    EXPECT_TRUE(strValue.IsEmpty());
    // A number that doesn't fit the buffer is not read.
    EXPECT_STREQ(L"", Read(L"One", 2).GetString());
}

TEST_F(RegistryValueTest, TextsThatFillOrExceedTheBuffer)
{
    // 600 characters plus terminator: 1202 bytes, more than a 1024-byte buffer.
    std::wstring strLong(600, L'x');
    SetText(L"Long", REG_SZ, strLong);
    EXPECT_STREQ(L"", Read(L"Long", 1024).GetString());
    EXPECT_STREQ(strLong.c_str(), Read(L"Long", 2048).GetString());

    // 512 characters stored without a terminator fill 1024 bytes exactly. Wine
    // adds the missing terminator and then finds no room for it, Windows hands
    // the 512 characters over: either way the text is complete or refused,
    // never cut or run past the buffer.
    std::wstring strExact(512, L'y');
    SetValue(L"Exact", REG_SZ, strExact.data(), strExact.size() * sizeof(wchar_t));
    CString strRead = Read(L"Exact", 1024);
    EXPECT_TRUE(strRead.IsEmpty() || strRead == strExact.c_str()) << strRead.GetLength();
    EXPECT_STREQ(strExact.c_str(), Read(L"Exact", 1026).GetString());

    // An odd buffer size: the text never runs into the half character.
    SetText(L"Short", REG_SZ, L"abc");
    EXPECT_STREQ(L"abc", Read(L"Short", 9).GetString());
    EXPECT_STREQ(L"", Read(L"Short", 7).GetString());
}

TEST_F(RegistryValueTest, ByteCountsBeyondAnyValueAreRefused)
{
    SetText(L"Short", REG_SZ, L"abc");
    const DWORD dwOneMiB = 1024 * 1024;
    EXPECT_STREQ(L"abc", Read(L"Short", dwOneMiB).GetString());
    for (DWORD cbBuffer : {DWORD(dwOneMiB + 1), DWORD(0x80000000), DWORD(0xFFFFFFFE), DWORD(0xFFFFFFFF)}) {
        SCOPED_TRACE(cbBuffer);
        EXPECT_STREQ(L"", Read(L"Short", cbBuffer).GetString());
    }
}

} // namespace
