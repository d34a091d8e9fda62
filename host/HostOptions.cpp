#include "HostOptions.h"

HostOptions HostOptions::Parse(int argc, wchar_t** argv)
{
    HostOptions o;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--module-dir" && hasValue)
            o.moduleDir = argv[++i];
        else if (arg == L"--screenshot" && hasValue)
            o.screenshotPath = argv[++i];
        else if (arg == L"--watch-skin" && hasValue)
            o.watchSkinDir = argv[++i];
        else {
            o.valid = false;
            o.error = L"usage: TavrinHost [--module-dir DIR] [--screenshot FILE.png] [--watch-skin CONFIG_DIR]\nunknown or incomplete option: " + arg;
            break;
        }
    }
    return o;
}
