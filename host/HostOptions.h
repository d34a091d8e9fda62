// Command line of the host program.
#pragma once
#include <string>

struct HostOptions
{
    std::wstring moduleDir;      // folder to load Tavrin.dll from (default: the host's own)
    std::wstring screenshotPath; // when set: save the painted panel as PNG and exit
    bool valid = true;
    std::wstring error;

    static HostOptions Parse(int argc, wchar_t** argv);
};
