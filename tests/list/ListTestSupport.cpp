#include "ListTestSupport.h"
#include <string>
#include <gtest/gtest.h>
#include "support/ChannelsNear.h"
#include "support/HostLikeEnvironment.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostLikeEnvironment);

std::string XmlAttr(const CString& str)
{
    return ToUtf8(XmlAttribute(str));
}

} // namespace

const wchar_t kListSection[] = L"CommonWindow\\TestList";

CString WriteListSkin(const CTempFolder& folder, const SkinEntries& entries)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Skin>\n <CommonWindow>\n  <TestList>\n"
                      "   <WindowInfo>\n";
    for (const auto& entry : entries)
        xml += "    <Item ItemID=\"" + XmlAttr(entry.first) + "\" Data=\"" + XmlAttr(entry.second) + "\"/>\n";
    xml += "   </WindowInfo>\n  </TestList>\n </CommonWindow>\n</Skin>\n";

    CString strFile = folder.File(L"Skin.xml");
    WriteFileBytes(strFile, xml);
    return strFile;
}

Gdiplus::ARGB PixelAt(const Gdip::Bitmap& bitmap, int x, int y)
{
    Gdiplus::ARGB argb = 0;
    EXPECT_EQ(Gdiplus::Ok, bitmap.GetPixel(x, y, argb)) << "pixel " << x << "," << y;
    return argb;
}

bool ColorNear(Gdiplus::ARGB a, Gdiplus::ARGB b)
{
    return ChannelsNear(a, b, 8, 4);
}
