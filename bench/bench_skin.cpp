// Cost of reading a skin section as the input grows tenfold: a DynamicInfo table
// of 1,000 and of 10,000 controls with distinct IDs, and an entry with 10,000 and
// with 100,000 nested elements. Reading is linear when each ratio is near 10.
#include <windows.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>
#include "skin/CQmXMLParseBase.h"

namespace {

const wchar_t kSection[] = L"CommonWindow\\BenchDlg";

std::string Wrap(const std::string& strWindowInfo, const std::string& strDynamicInfo)
{
    return "<Skin><CommonWindow><BenchDlg><WindowInfo>" + strWindowInfo + "</WindowInfo><DynamicInfo>" +
           strDynamicInfo + "</DynamicInfo></BenchDlg></CommonWindow></Skin>";
}

std::string Controls(int nCount)
{
    std::string strEntries;
    for (int i = 0; i < nCount; ++i)
        strEntries += "<Button ID=\"Control" + std::to_string(i) + "\" Name=\"Tool\" ControlType=\"2\" Pos=\"0,0,16,16\"/>";
    return Wrap("", strEntries);
}

std::string Nested(int nDepth)
{
    std::string strOpen, strClose;
    for (int i = 0; i < nDepth; ++i) {
        strOpen += "<n>";
        strClose += "</n>";
    }
    return Wrap("<Item ItemID=\"Title\" Data=\"deep\">" + strOpen + strClose + "</Item>", "");
}

// Milliseconds for one load of the text as a skin file.
double LoadMilliseconds(const std::filesystem::path& file, const std::string& strXml)
{
    std::ofstream(file, std::ios::binary) << strXml;
    LARGE_INTEGER freq, start, stop;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    CQmXMLParseBase reader;
    CQmXMLParseBase::ParseSkinFile(file.wstring().c_str(), &reader, kSection, L"", L"Default");
    QueryPerformanceCounter(&stop);
    return 1000.0 * static_cast<double>(stop.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Compare(const char* pszWhat, const std::filesystem::path& file, const std::string& strSmall,
             const std::string& strLarge)
{
    double msSmall = LoadMilliseconds(file, strSmall);
    double msLarge = LoadMilliseconds(file, strLarge);
    printf("%-34s %9.1f ms %9.1f ms   ratio %5.1f\n", pszWhat, msSmall, msLarge, msLarge / msSmall);
}

} // namespace

int main()
{
    xercesc::XMLPlatformUtils::Initialize();
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrin_bench_skin_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    std::filesystem::path file = folder / "Morvel_SCfg.xml";

    printf("%-34s %12s %12s\n", "skin reading", "small", "10x larger");
    Compare("controls 1,000 / 10,000", file, Controls(1000), Controls(10000));
    Compare("nesting 10,000 / 100,000", file, Nested(10000), Nested(100000));

    std::error_code error;
    std::filesystem::remove_all(folder, error);
    xercesc::XMLPlatformUtils::Terminate();
    return 0;
}
