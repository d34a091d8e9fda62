// Every shipped binary carries the project's one version number, read back
// through the version API as Explorer and installers read it.
#include <windows.h>
#include <vector>
#include <gtest/gtest.h>
#include "framework/CString.h"

namespace {

struct VersionInfo
{
    std::vector<BYTE> data;

    explicit VersionInfo(const CString& strFile)
    {
        DWORD dwHandle = 0;
        DWORD cb = GetFileVersionInfoSizeW(strFile, &dwHandle);
        if (cb == 0)
            return;
        data.resize(cb);
        if (!GetFileVersionInfoW(strFile, 0, cb, data.data()))
            data.clear();
    }

    const VS_FIXEDFILEINFO* Fixed() const
    {
        void* p = nullptr;
        UINT cb = 0;
        if (data.empty() || !VerQueryValueW(data.data(), L"\\", &p, &cb) || cb < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(p);
    }

    CString Text(const wchar_t* pszName) const
    {
        void* p = nullptr;
        UINT cch = 0;
        CString strPath = CString(L"\\StringFileInfo\\040904B0\\") + pszName;
        if (data.empty() || !VerQueryValueW(data.data(), strPath, &p, &cch))
            return CString();
        return CString(static_cast<const wchar_t*>(p));
    }
};

TEST(VersionResource, EachBinaryCarriesTheProjectVersion)
{
    const DWORD dwMs = MAKELONG(TAVRIN_VERSION_MINOR, TAVRIN_VERSION_MAJOR);
    const DWORD dwLs = MAKELONG(0, TAVRIN_VERSION_PATCH);
    for (const wchar_t* pszFile : {L"Tavrin.dll", L"Pellix.dll", L"TavrinHost.exe"}) {
        SCOPED_TRACE(CString(pszFile).ToAnsi());
        VersionInfo info(pszFile);
        const VS_FIXEDFILEINFO* pFixed = info.Fixed();
        ASSERT_NE(nullptr, pFixed);
        EXPECT_EQ(dwMs, pFixed->dwFileVersionMS);
        EXPECT_EQ(dwLs, pFixed->dwFileVersionLS);
        EXPECT_EQ(dwMs, pFixed->dwProductVersionMS);
        EXPECT_EQ(dwLs, pFixed->dwProductVersionLS);
        EXPECT_STREQ(TAVRIN_VERSION_TEXT, info.Text(L"FileVersion").GetString());
        EXPECT_STREQ(TAVRIN_VERSION_TEXT, info.Text(L"ProductVersion").GetString());
        EXPECT_STREQ(pszFile, info.Text(L"OriginalFilename").GetString());
        EXPECT_FALSE(info.Text(L"FileDescription").IsEmpty());
        EXPECT_FALSE(info.Text(L"LegalCopyright").IsEmpty());
    }
}

} // namespace
