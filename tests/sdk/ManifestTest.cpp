// The manifests of our host programs, read back from the built files as
// Windows reads them (the RT_MANIFEST resource with ID 1). Wine heeds DPI
// settings in manifests only when DpiScalingVer is set and knows no
// per-monitor v2, so their content is checked: a well-formed manifest whose
// settings are in the namespaces Windows looks them up in.
#include <windows.h>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include "framework/CHandleOwner.h"
#include "framework/CString.h"
#include "support/TestText.h"

namespace {

// DOMDocument alone would also name the one of the Windows headers.
using namespace xercesc;

struct ModuleTraits
{
    using Handle = HMODULE;
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};

// The bytes of the program's manifest, empty when it has none.
std::string ManifestOf(const CString& strProgram)
{
    CHandleOwner<ModuleTraits> module(
        LoadLibraryExW(strProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module.IsValid())
        return std::string();
    HRSRC hInfo = FindResourceW(module.Get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    HGLOBAL hData = hInfo ? LoadResource(module.Get(), hInfo) : nullptr;
    const char* pData = hData ? static_cast<const char*>(LockResource(hData)) : nullptr;
    return pData ? std::string(pData, SizeofResource(module.Get(), hInfo)) : std::string();
}

const XMLCh* Xml(const wchar_t* psz)
{
    return reinterpret_cast<const XMLCh*>(psz);
}

struct XercesScope
{
    XercesScope() { XMLPlatformUtils::Initialize(); }
    ~XercesScope() { XMLPlatformUtils::Terminate(); }
};

// The text of the one element named pszName in namespace pszNamespace
// below <application><windowsSettings>, or "(missing)" / "(given N times)".
CString SettingText(xercesc::DOMDocument& document, const wchar_t* pszNamespace, const wchar_t* pszName)
{
    DOMNodeList* pFound = document.getElementsByTagNameNS(Xml(pszNamespace), Xml(pszName));
    if (pFound->getLength() != 1) {
        CString str;
        str.Format(L"(given %u times)", static_cast<unsigned>(pFound->getLength()));
        return str;
    }
    DOMNode* pElement = pFound->item(0);
    DOMNode* pSettings = pElement->getParentNode();
    DOMNode* pApplication = pSettings ? pSettings->getParentNode() : nullptr;
    bool bPlaced = pApplication && XMLString::equals(pSettings->getLocalName(), Xml(L"windowsSettings")) &&
                   XMLString::equals(pApplication->getLocalName(), Xml(L"application")) &&
                   XMLString::equals(pApplication->getNamespaceURI(), Xml(L"urn:schemas-microsoft-com:asm.v3"));
    if (!bPlaced)
        return L"(outside application/windowsSettings)";
    return CString(reinterpret_cast<const wchar_t*>(pElement->getTextContent()));
}

TEST(ManifestTest, HostsDeclarePerMonitorDpiAwareness)
{
    XercesScope xerces;
    for (const wchar_t* pszProgram : {L"TavrinHost.exe", L"MinimalHost.exe"}) {
        SCOPED_TRACE(ToUtf8(pszProgram));
        std::string strManifest = ManifestOf(pszProgram);
        ASSERT_FALSE(strManifest.empty()) << "no manifest resource";
        XercesDOMParser parser;
        parser.setDoNamespaces(true);
        MemBufInputSource source(reinterpret_cast<const XMLByte*>(strManifest.data()), strManifest.size(), "manifest");
        parser.parse(source);
        ASSERT_EQ(0u, parser.getErrorCount()) << strManifest;
        xercesc::DOMDocument* pDocument = parser.getDocument();
        ASSERT_NE(nullptr, pDocument);
        // Windows 10 1703 and later read dpiAwareness (its first value that
        // they know); older versions read dpiAware.
        EXPECT_STREQ(L"PerMonitorV2, PerMonitor",
                     SettingText(*pDocument, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                 L"dpiAwareness").GetString());
        EXPECT_STREQ(L"true/pm", SettingText(*pDocument, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                             L"dpiAware").GetString());
    }
}

} // namespace
