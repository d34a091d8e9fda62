// Where filling the panel's grid spends its time, step by step, for 10 and
// 10,000 tools: the tool-service library listing and releasing the records,
// copying the texts out of the records, formatting the tooltips, checking
// that each icon file exists (the panel no longer does this per tool: the
// list checks each distinct path at its first drawing) and adding the items
// to the list. What panel creation costs beyond these steps is the skin and
// the windows, which do not grow with the number of tools.
#include <windows.h>
#include <shlwapi.h>
#include <cstdio>
#include <fstream>
#include <string>
#include "controls/CKdWindowLessList.h"
#include "panel/CToolTipPattern.h"
#include "panel/PluginRecord.h"

namespace {

const int kRepeats = 3;
const wchar_t kPattern[] = L"%s (version %s)\r\n%s";

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring WriteCatalog(int nTools)
{
    wchar_t szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    std::wstring strPath = std::wstring(szDir) + L"tavrin_bench_create_" + std::to_wstring(nTools) + L".ini";
    std::ofstream out(strPath.c_str(), std::ios::binary);
    for (int i = 0; i < nTools; ++i)
        out << "[Tool]\r\nName=Tool " << i << "\r\nId=bench." << i << "\r\nVersion=1.0\r\nDescription=Benchmark tool "
            << i << "\r\nIcon=ToolIcons\\tool0" << (i % 9 + 1) << ".png\r\nListed=1\r\nCommand=cmd.exe\r\n";
    return strPath;
}

struct Steps
{
    double list = 0, copy = 0, tooltip = 0, exists = 0, add = 0, release = 0;
};

void MeasureOnce(Steps& steps)
{
    double t0 = Now();
    _PLUGIN_INFO* pHead = nullptr;
    PxGetAllPluginList(&pHead);
    double t1 = Now();
    struct Texts
    {
        CString strId, strName, strVersion, strDesc, strIcon;
    };
    std::vector<Texts> texts;
    for (const _PLUGIN_INFO* p = pHead; p; p = p->pNext) {
        CPluginRecord record(*p);
        texts.push_back({record.GetId(), record.GetName(), record.GetVersion(), record.GetDescription(),
                         record.GetIconPath()});
    }
    double t2 = Now();
    std::vector<CString> tips;
    for (const Texts& t : texts)
        tips.push_back(CToolTipPattern::Format(kPattern, t.strName, t.strVersion, t.strDesc));
    double t3 = Now();
    for (const Texts& t : texts)
        PathFileExistsW(t.strIcon);
    double t4 = Now();
    CKdWindowLessList list;
    for (size_t i = 0; i < texts.size(); ++i)
        list.AddItem(texts[i].strId, texts[i].strName, tips[i], texts[i].strIcon);
    double t5 = Now();
    PxFreePluginListBuffer(pHead);
    double t6 = Now();
    steps.list += t1 - t0;
    steps.copy += t2 - t1;
    steps.tooltip += t3 - t2;
    steps.exists += t4 - t3;
    steps.add += t5 - t4;
    steps.release += t6 - t5;
}

} // namespace

int main()
{
    std::printf("%-8s %10s %10s %10s %10s %10s %10s  (ms)\n", "tools", "list", "copy", "tooltip", "exists",
                "add items", "release");
    for (int nTools : {10, 10000}) {
        SetEnvironmentVariableW(L"PELLIX_CATALOG", WriteCatalog(nTools).c_str());
        Steps warmUp, steps;
        MeasureOnce(warmUp);
        for (int r = 0; r < kRepeats; ++r)
            MeasureOnce(steps);
        std::printf("%-8d %10.2f %10.2f %10.2f %10.2f %10.2f %10.2f\n", nTools, steps.list / kRepeats,
                    steps.copy / kRepeats, steps.tooltip / kRepeats, steps.exists / kRepeats, steps.add / kRepeats,
                    steps.release / kRepeats);
    }
    return 0;
}
