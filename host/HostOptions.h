// Command line of the host program.
#pragma once
#include <string>

struct HostOptions
{
    std::wstring moduleDir;      // folder to load Tavrin.dll from (default: the host's own)
    std::wstring screenshotPath; // when set: save the painted panel as PNG and exit
    // Live preview: copy this skin folder over the module's Config folder and
    // enter the panel again whenever a file in it changes; with a screenshot
    // path, save the panel after every load (replacing the file) and keep running.
    std::wstring watchSkinDir;
    bool valid = true;
    std::wstring error;

    static HostOptions Parse(int argc, wchar_t** argv);
};
