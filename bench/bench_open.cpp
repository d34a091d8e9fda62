// Where opening the panel and scrolling through tools with their own icons
// spend their time, from a sampling profiler (CStackSampler) on the host's
// thread while Tavrin.dll, loaded as a host loads it, works. Each sample is
// given to the phase of the innermost function of the module on its stack
// that a phase names; the module's functions are named by the symbol table
// of the build's unstripped binary.
//
// Opening is profiled four ways: the first QmUIFunEnter after the module is
// loaded (cold); later ones, each after the previous panel's window was
// destroyed (the libraries stay started); ones after QmUIFunUnInitialize
// (which stops the module's libraries, so each starts them again); and ones
// that replace a shown panel.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "BenchFiles.h"
#include "CBenchModule.h"
#include "CStackSampler.h"
#include "support/CModuleSymbols.h"

namespace {

const int kOpenRepeats = 20;
const int kWheelSteps = 60;

struct Phase
{
    const char* pszName;
    std::vector<const char*> functions; // parts of decorated names
};

// The library start claims every sample under it; the other phases claim a
// sample by its innermost frame that one of them names, so that a decode
// inside a control's creation counts as a decode.
const Phase kPhases[] = {
    {"library start", {"CModuleRuntime5Start"}},
    {"image decodes", {"LoadSkinImage", "LoadSkinBitmap", "Gdip13LoadImageFile", "LoadBitmapFile", "LoadIconFrame",
                       "ResampleImage", "ResampleNative", "FileStream4Open"}},
    {"fonts", {"Gdip4Font", "GdipFontFamily", "TextFontFamily", "CFont"}},
    {"skin parse", {"xercesc", "ParseSkinFile", "CXmlSkinDocument"}},
    {"tooltips", {"CToolTipCtrl", "CreateToolTip", "RegisterToolTip"}},
    {"skin controls", {"CreateSkinControls", "CreateButtonControl", "CreateLabelControl", "PlaceSkinControls"}},
    {"first layout", {"UpdateListLayout", "UpdateScrollRange", "ShowPlaceholders", "OnGridRefilled"}},
    {"tool list fill", {"GetPlugin", "AddToolItems"}},
    {"destroying the previous panel", {"DestroyPanel"}},
    {"window creation, the rest", {"QmUIFunEnter"}},
};
const int kPhaseCount = static_cast<int>(sizeof(kPhases) / sizeof(kPhases[0]));

enum Tag { kNone, kCold, kOpening, kAfterStop, kReplacing, kWheel };

// The frames of a sample in the module, innermost first (the instruction
// pointer when it is in the module, then the return addresses).
std::vector<const char*> FrameNames(const CStackSampler::Sample& sample, const CModuleSymbols& symbols)
{
    std::vector<const char*> names;
    if (const char* pszName = symbols.NameAt(sample.pIp))
        names.push_back(pszName);
    for (const void* p : sample.returns)
        if (const char* pszName = symbols.NameAt(p))
            names.push_back(pszName);
    return names;
}

bool Names(const Phase& phase, const char* pszFrame)
{
    for (const char* pszPart : phase.functions)
        if (std::strstr(pszFrame, pszPart))
            return true;
    return false;
}

int PhaseOf(const std::vector<const char*>& frames)
{
    for (const char* pszFrame : frames)
        if (Names(kPhases[0], pszFrame))
            return 0;
    for (const char* pszFrame : frames)
        for (int i = 1; i < kPhaseCount; ++i)
            if (Names(kPhases[i], pszFrame))
                return i;
    return -1;
}

void PrintPhases(const char* pszTitle, const std::vector<CStackSampler::Sample>& samples, int nTag, double msMean,
                 const CModuleSymbols& symbols)
{
    std::vector<int> counts(kPhaseCount + 1, 0);
    int nTotal = 0;
    for (const CStackSampler::Sample& sample : samples) {
        if (sample.nTag != nTag)
            continue;
        int nPhase = PhaseOf(FrameNames(sample, symbols));
        ++counts[nPhase < 0 ? kPhaseCount : nPhase];
        ++nTotal;
    }
    std::printf("%s: %.2f ms per call, %d samples\n", pszTitle, msMean, nTotal);
    for (int i = 0; i <= kPhaseCount; ++i) {
        if (!counts[i])
            continue;
        double share = static_cast<double>(counts[i]) / nTotal;
        std::printf("  %-32s %5.1f %%  %8.2f ms\n", i < kPhaseCount ? kPhases[i].pszName : "outside the module",
                    100 * share, share * msMean);
    }
}

std::string ModuleNameAt(const void* pAddress)
{
    HMODULE hModule = nullptr;
    wchar_t szPath[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(pAddress), &hModule))
        GetModuleFileNameW(hModule, szPath, MAX_PATH);
    std::wstring strPath(szPath);
    std::wstring strName = strPath.substr(strPath.rfind(L'\\') + 1);
    return std::string(strName.begin(), strName.end());
}

// The largest shares of the samples: the module (library) the thread was
// in, and the innermost function of Tavrin.dll on the stack.
void PrintHotSpots(const std::vector<CStackSampler::Sample>& samples, int nTag, const CModuleSymbols& symbols,
                   size_t nStackRows = 0)
{
    std::map<std::string, int> inLibrary, inFunction, onStack;
    int nTotal = 0;
    for (const CStackSampler::Sample& sample : samples) {
        if (sample.nTag != nTag)
            continue;
        ++nTotal;
        ++inLibrary[ModuleNameAt(sample.pIp)];
        std::vector<const char*> frames = FrameNames(sample, symbols);
        ++inFunction[frames.empty() ? std::string("(no frame in the module)") : std::string(frames.front())];
        std::vector<std::string> seen;
        for (const char* pszFrame : frames)
            if (std::find(seen.begin(), seen.end(), pszFrame) == seen.end())
                seen.emplace_back(pszFrame);
        for (const std::string& strFrame : seen)
            ++onStack[strFrame];
    }
    auto print = [nTotal](const char* pszTitle, const std::map<std::string, int>& counts, size_t nRows) {
        std::vector<std::pair<int, std::string>> sorted;
        for (const auto& entry : counts)
            sorted.emplace_back(entry.second, entry.first);
        std::sort(sorted.rbegin(), sorted.rend());
        std::printf("  %s:\n", pszTitle);
        for (size_t i = 0; i < sorted.size() && i < nRows; ++i)
            std::printf("    %5.1f %%  %s\n", 100.0 * sorted[i].first / nTotal, sorted[i].second.c_str());
    };
    print("where the thread was", inLibrary, 6);
    print("innermost function of the module", inFunction, 8);
    print("functions of the module on the stack", onStack, nStackRows);
}

} // namespace

int main()
{
    CBenchModule module;
    if (!module.Load()) {
        std::printf("cannot load Tavrin.dll\n");
        return 1;
    }
    CModuleSymbols symbols(module.hModule);
    if (symbols.IsEmpty()) {
        std::printf("Tavrin.dll carries no symbol table: nothing to profile\n");
        return 1;
    }
    CStackSampler sampler(module.hModule);
    int nTag = kCold;
    module.aroundEnter = [&](bool bEntering) { sampler.SetTag(bEntering ? nTag : kNone); };
    std::wstring strCatalog = WriteCatalog(10, false);

    double msCold = 0, msOpening = 0, msAfterStop = 0, msReplacing = 0, ms = 0;
    module.Open(strCatalog, &msCold);
    nTag = kOpening;
    for (int i = 0; i < kOpenRepeats; ++i) {
        module.Open(strCatalog, &ms);
        msOpening += ms / kOpenRepeats;
    }
    nTag = kAfterStop;
    for (int i = 0; i < kOpenRepeats; ++i) {
        module.Stop();
        module.Open(strCatalog, &ms);
        msAfterStop += ms / kOpenRepeats;
    }
    module.aroundEnter = nullptr;
    for (int i = 0; i < kOpenRepeats; ++i) {
        sampler.SetTag(kReplacing);
        double t0 = Now();
        module.enter(module.hHost, &module.hPanel, 0);
        msReplacing += (Now() - t0) / kOpenRepeats;
        sampler.SetTag(kNone);
        module.Pump();
    }

    HWND hPanel = module.Open(WriteCatalog(10000, true));
    double msWheel = 0;
    for (int i = 0; i < kWheelSteps; ++i) {
        sampler.SetTag(kWheel);
        double t0 = Now();
        Wheel(hPanel, true);
        msWheel += (Now() - t0) / kWheelSteps;
        sampler.SetTag(kNone);
        module.Pump();
    }
    module.Unload();

    std::vector<CStackSampler::Sample> samples = sampler.TakeSamples();
    PrintPhases("QmUIFunEnter, 10 tools, first call after loading", samples, kCold, msCold, symbols);
    PrintPhases("QmUIFunEnter, 10 tools, the previous panel's window destroyed before", samples, kOpening, msOpening,
                symbols);
    PrintHotSpots(samples, kOpening, symbols, 30);
    PrintPhases("QmUIFunEnter, 10 tools, after QmUIFunUnInitialize", samples, kAfterStop, msAfterStop, symbols);
    PrintPhases("QmUIFunEnter, 10 tools, replacing a panel", samples, kReplacing, msReplacing, symbols);
    PrintHotSpots(samples, kReplacing, symbols);
    std::printf("wheel step, 10000 tools with their own icons: %.2f ms per step\n", msWheel);
    PrintHotSpots(samples, kWheel, symbols);
    return 0;
}
