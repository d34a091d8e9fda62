// The functions of a loaded module by name, from the symbol table that the
// module's file carries (the build's unstripped binaries do): which code
// addresses belong to the function whose name contains a given text.
// Regression points of the failure sweep name their call site this way, so
// that they survive a compiler that shifts the call counts.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class CModuleSymbols
{
public:
    explicit CModuleSymbols(HMODULE hModule);

    bool IsEmpty() const { return m_functions.empty(); }
    // The code of the first function whose (decorated) name contains
    // pszPart: [pBegin, pEnd); false when there is none.
    bool Find(const char* pszPart, const void*& pBegin, const void*& pEnd) const;
    // The (decorated) name of the function whose code holds the address, or
    // null when the address lies before the first function or outside the module.
    const char* NameAt(const void* pAddress) const;

private:
    struct Function
    {
        DWORD dwRva;
        std::string strName;
    };

    HMODULE m_hModule;
    std::vector<Function> m_functions; // by address
    DWORD m_dwCodeEnd = 0;             // the end of the sections that hold them
};
