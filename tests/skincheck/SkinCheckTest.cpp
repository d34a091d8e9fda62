// The checker over the default skin (clean) and over copies of it with one
// damage each: every damage gives exactly one finding, of the right
// severity, at the right place, saying the right thing.
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "DamagedSkin.h"
#include "skincheck/CSkinChecker.h"
#include "support/PngWriter.h"
#include "support/TestFiles.h"
#include "support/TestText.h"

namespace {

std::vector<_SkinFinding> CheckSkin(const DamagedSkin& skin)
{
    CSkinReport report(skin.SkinFile());
    CString strWhy;
    EXPECT_TRUE(CSkinChecker().Check(skin.ConfigDir(), report, strWhy)) << ToUtf8(strWhy);
    return report.Sorted();
}

CString Describe(const std::vector<_SkinFinding>& findings)
{
    CString str;
    for (const _SkinFinding& f : findings) {
        CString strLine;
        strLine.Format(L"%d:%d: %s: %s\n", f.pos.nLine, f.pos.nColumn, f.bError ? L"error" : L"warning",
                       f.strMessage.GetString());
        str += strLine;
    }
    return str;
}

TEST(SkinCheckTest, DefaultSkinIsClean)
{
    DamagedSkin skin;
    std::vector<_SkinFinding> findings = CheckSkin(skin);
    EXPECT_TRUE(findings.empty()) << ToUtf8(Describe(findings));
    // The scroll bar's section may be left out.
    skin.Replace(L"<ToolMgrScrollBar>", L"<!-- ToolMgrScrollBar>");
    skin.Replace(L"</ToolMgrScrollBar>", L"</ToolMgrScrollBar -->");
    findings = CheckSkin(skin);
    EXPECT_TRUE(findings.empty()) << ToUtf8(Describe(findings));
}

struct Damage
{
    const char* pszWhat;
    const wchar_t* pszFrom; // text of the default skin to replace...
    const wchar_t* pszTo;   // ...by this
    const wchar_t* pszLineOf; // the finding is on the line of this text after the change
    int nColumn;              // and in this column (0: any column)
    bool bError;
    const wchar_t* pszMessage; // a part of the message
    std::function<void(const DamagedSkin&)> writeFiles;
};

struct SolidImage
{
    const wchar_t* pszName; // in the image folder
    int cx, cy;
};

// Writes images of one colour in place of the default skin's, or beside them.
std::function<void(const DamagedSkin&)> Images(std::vector<SolidImage> images)
{
    return [images](const DamagedSkin& skin) {
        for (const SolidImage& image : images)
            WriteSolidPng(skin.ImageFile(image.pszName), image.cx, image.cy, 0xFF405060);
    };
}

TEST(SkinCheckTest, EachDamageGivesOneFinding)
{
    const Damage damages[] = {
        // XML errors, at the parser's line and column.
        {"end tag that does not match", L"    </ToolMgrUIDlg>", L"    </ToolMgrUIDialog>", L"</ToolMgrUIDialog>", 7,
         true, L"expected end of tag 'ToolMgrUIDlg'", nullptr},
        {"unescaped ampersand", L"Data=\"Tool Manager\"", L"Data=\"Tools & more\"", L"Tools & more", 43, true,
         L"expected entity name", nullptr},
        {"entry left open", L"ItemID=\"Title\" Data=\"Tool Manager\"/>", L"ItemID=\"Title\" Data=\"Tool Manager\">",
         L"      </WindowInfo>", 9, true, L"expected end of tag 'Item'", nullptr},
        // Names that the module does not know.
        {"misspelt key", L"\"SheetSize\"", L"\"SheetSzie\"", L"SheetSzie", 15, false,
         L"unknown key SheetSzie in CommonWindow\\ToolMgrUIDlg: did you mean SheetSize?", nullptr},
        {"usual spelling of a historic key", L"\"AlpahValue\"", L"\"AlphaValue\"", L"AlphaValue", 15, false,
         L"did you mean AlpahValue?", nullptr},
        {"unknown section", L"    <ToolMgrList>", L"    <ToolMgrLsit/>\n    <ToolMgrList>", L"<ToolMgrLsit/>", 5, false,
         L"unknown section ToolMgrLsit: did you mean ToolMgrList?", nullptr},
        {"unknown attribute", L"ToolTip=\"Fetch", L"Tooltip=\"Fetch", L"Tooltip=", 0, false,
         L"unknown attribute Tooltip in a DynamicInfo entry: did you mean ToolTip?", nullptr},
        // Values that are not of their kind: errors.
        {"size not a pair", L"\"360,480\"", L"\"360x480\"", L"360x480", 34, true,
         L"SheetSize \"360x480\" is not a pair", nullptr},
        {"number with a unit", L"ItemID=\"CaptionHeight\" Data=\"56\"", L"ItemID=\"CaptionHeight\" Data=\"56px\"",
         L"56px", 0, true, L"CaptionHeight \"56px\" is not a whole number", nullptr},
        // Values the module limits or cannot use: warnings.
        {"opacity out of range", L"Data=\"100\"", L"Data=\"150\"", L"\"150\"", 0, false,
         L"AlpahValue 150 lies outside 0 to 100", nullptr},
        {"list area narrower than one item", L"\"12,64,12,12\"", L"\"12,64,300,12\"", L"12,64,300,12", 0, false,
         L"narrower than one item", nullptr},
        {"tooltip pattern shown literally", L"(version %s)", L"(version %d)", L"version %d", 0, false,
         L"is shown literally", nullptr},
        {"negative control size", L"Pos=\"16,14,200,28\"", L"Pos=\"16,14,-200,28\"", L"-200", 0, false,
         L"negative size", nullptr},
        {"transparent text colour", L"FontColor=\"0XFFFFFFFF\"", L"FontColor=\"0XFFFFFF\"", L"0XFFFFFF\"", 0, false,
         L"alpha 0", nullptr},
        {"duplicate control ID", L"ID=\"LABEL3\"", L"ID=\"label2\"", L"label2", 0, false,
         L"duplicate control ID \"label2\"", nullptr},
        // The scroll bar's section.
        {"misspelt scroll bar key", L"\"ThumbMinLength\"", L"\"ThumbMinLenght\"", L"ThumbMinLenght", 0, false,
         L"unknown key ThumbMinLenght in CommonWindow\\ToolMgrScrollBar: did you mean ThumbMinLength?", nullptr},
        {"bar width with a unit", L"ItemID=\"Width\" Data=\"8\"", L"ItemID=\"Width\" Data=\"8px\"", L"8px", 0,
         true, L"Width \"8px\" is not a whole number", nullptr},
        {"bar width 0", L"ItemID=\"Width\" Data=\"8\"", L"ItemID=\"Width\" Data=\"0\"", L"ItemID=\"Width\"", 0,
         false, L"Width 0 is not positive: the panel keeps the system scroll bar", nullptr},
        {"inset not a pair", L"\"5,6\"", L"\"5;6\"", L"\"5;6\"", 0, true, L"Inset \"5;6\" is not a pair", nullptr},
        {"slice not numbers", L"\"0;4;0;4\"", L"\"0;4;x;4\"", L"0;4;x;4", 0, true,
         L"TrackSlice \"0;4;x;4\" is not four numbers", nullptr},
        {"slice larger than a thumb frame", L"ItemID=\"ThumbSlice\" Data=\"0;4;0;4\"",
         L"ItemID=\"ThumbSlice\" Data=\"0;4;0;40\"", L"0;4;0;40", 0, false,
         L"ThumbSlice \"0;4;0;40\" is larger than a frame of ThumbBmp (8 x 32 pixels)", nullptr},
        // Files.
        {"missing image", L"\"ToolMgrBack.png\"", L"\"Nope.png\"", L"Nope.png", 0, true,
         L"file Default\\Nope.png not found", nullptr},
        {"image that cannot be decoded", L"\"ToolMgrBack.png\"", L"\"Broken.png\"", L"Broken.png", 0, true,
         L"file Default\\Broken.png cannot be decoded",
         [](const DamagedSkin& skin) { WriteFileBytes(skin.ImageFile(L"Broken.png"), "not a PNG at all"); }},
        {"strip not divisible by its frames", nullptr, nullptr, L"ToolItem.png", 0, false,
         L"302 pixels wide, which does not divide into its 4 frames",
         Images({{L"ToolItem.png", 302, 92}, {L"ToolItem@1.5x.png", 453, 138}, {L"ToolItem@2x.png", 604, 184}})},
        {"missing scroll bar image", L"\"ScrollTrack.png\"", L"\"NoTrack.png\"", L"NoTrack.png", 0, true,
         L"file Default\\NoTrack.png not found", nullptr},
        {"thumb strip not divisible by three", nullptr, nullptr, L"ScrollThumb.png", 0, false,
         L"25 pixels wide, which does not divide into its 3 frames",
         Images({{L"ScrollThumb.png", 25, 32}, {L"ScrollThumb@1.5x.png", 38, 48}, {L"ScrollThumb@2x.png", 50, 64}})},
        // Variants beside an image: one pixel off is still right, two are not.
        {"variant of the wrong size", nullptr, nullptr, L"ToolItem.png", 0, false,
         L"variant Default\\ToolItem@1.5x.png is 456 x 140 pixels, not 456 x 138 (1.5 times Default\\ToolItem.png)",
         Images({{L"ToolItem@1.5x.png", 456, 140}, {L"ToolItem@2x.png", 607, 185}})},
        {"variant that cannot be decoded", nullptr, nullptr, L"RefreshButton.png", 0, false,
         L"variant Default\\RefreshButton@2x.png cannot be decoded",
         [](const DamagedSkin& skin) { WriteFileBytes(skin.ImageFile(L"RefreshButton@2x.png"), "not a PNG"); }},
        // Beside the variant without a base, names that are no variant's.
        {"variant without its base", nullptr, nullptr, L"<MorvelSkin>", 0, false,
         L"variant Default\\Gone@2x.png has no base image Default\\Gone.png",
         Images({{L"Gone@2x.png", 20, 20}, {L"Gone@2.2x.png", 20, 20}, {L"mail@home.png", 20, 20}})},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.pszWhat);
        DamagedSkin skin;
        if (damage.pszFrom)
            skin.Replace(damage.pszFrom, damage.pszTo);
        if (damage.writeFiles)
            damage.writeFiles(skin);
        std::vector<_SkinFinding> findings = CheckSkin(skin);
        ASSERT_EQ(1u, findings.size()) << ToUtf8(Describe(findings));
        const _SkinFinding& finding = findings[0];
        EXPECT_EQ(damage.bError, finding.bError);
        EXPECT_EQ(skin.LineOf(damage.pszLineOf), finding.pos.nLine);
        if (damage.nColumn) {
            EXPECT_EQ(damage.nColumn, finding.pos.nColumn);
        }
        EXPECT_GE(finding.strMessage.Find(damage.pszMessage), 0) << ToUtf8(finding.strMessage);
    }
}

} // namespace
