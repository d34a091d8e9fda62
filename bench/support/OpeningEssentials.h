// The work that opening a panel cannot do without, done plainly: an empty
// popup dialog of the panel's size, one parse of the skin file with the XML
// library, one decode of each image the skin names, and the skin's fonts.
// The XML library and GDI+ must be started.
#pragma once
#include <windows.h>
#include <string>

struct EssentialTimes
{
    double dialog = 0, parse = 0, decodes = 0, fonts = 0;
    double Total() const { return dialog + parse + decodes + fonts; }
};

// One pass over the skin file strSkinFile, whose images lie in strImageFolder.
EssentialTimes MeasureEssentials(const std::wstring& strSkinFile, const std::wstring& strImageFolder, SIZE sizePanel);
