#include "CModuleSymbols.h"
#include <algorithm>
#include <cstring>
#include <iterator>
#include "TestFiles.h"

namespace {

const BYTE kFunctionType = 0x20; // IMAGE_SYM_DTYPE_FUNCTION in the derived-type nibble

template <class T>
const T* At(const std::string& strFile, size_t nOffset)
{
    return nOffset + sizeof(T) <= strFile.size() ? reinterpret_cast<const T*>(strFile.data() + nOffset) : nullptr;
}

std::string SymbolName(const IMAGE_SYMBOL& symbol, const std::string& strFile, size_t nStrings)
{
    if (symbol.N.Name.Short)
        return std::string(reinterpret_cast<const char*>(symbol.N.ShortName),
                           strnlen(reinterpret_cast<const char*>(symbol.N.ShortName), 8));
    size_t nAt = nStrings + symbol.N.Name.Long;
    return nAt < strFile.size() ? std::string(strFile.c_str() + nAt) : std::string();
}

} // namespace

CModuleSymbols::CModuleSymbols(HMODULE hModule) : m_hModule(hModule)
{
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(hModule, szPath, MAX_PATH);
    std::string strFile = ReadFileBytes(szPath);
    const auto* pDos = At<IMAGE_DOS_HEADER>(strFile, 0);
    const auto* pNt = pDos ? At<IMAGE_NT_HEADERS>(strFile, static_cast<size_t>(pDos->e_lfanew)) : nullptr;
    if (!pNt || !pNt->FileHeader.PointerToSymbolTable)
        return;
    const IMAGE_FILE_HEADER& header = pNt->FileHeader;
    size_t nSections = static_cast<size_t>(pDos->e_lfanew) + offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                       header.SizeOfOptionalHeader;
    size_t nSymbols = header.PointerToSymbolTable;
    size_t nStrings = nSymbols + static_cast<size_t>(header.NumberOfSymbols) * IMAGE_SIZEOF_SYMBOL;
    for (DWORD i = 0; i < header.NumberOfSymbols; ++i) {
        const auto* pSymbol = At<IMAGE_SYMBOL>(strFile, nSymbols + i * IMAGE_SIZEOF_SYMBOL);
        if (!pSymbol)
            break;
        if (pSymbol->SectionNumber > 0 && pSymbol->SectionNumber <= header.NumberOfSections &&
            (pSymbol->Type & 0xF0) == kFunctionType) {
            const auto* pSection =
                At<IMAGE_SECTION_HEADER>(strFile, nSections + (pSymbol->SectionNumber - 1) * sizeof(IMAGE_SECTION_HEADER));
            if (pSection) {
                m_functions.push_back({pSection->VirtualAddress + pSymbol->Value, SymbolName(*pSymbol, strFile, nStrings)});
                m_dwCodeEnd = std::max<DWORD>(m_dwCodeEnd, pSection->VirtualAddress + pSection->Misc.VirtualSize);
            }
        }
        i += pSymbol->NumberOfAuxSymbols;
    }
    std::sort(m_functions.begin(), m_functions.end(),
              [](const Function& a, const Function& b) { return a.dwRva < b.dwRva; });
}

bool CModuleSymbols::Find(const char* pszPart, const void*& pBegin, const void*& pEnd) const
{
    for (size_t i = 0; i + 1 < m_functions.size(); ++i) {
        if (m_functions[i].strName.find(pszPart) == std::string::npos)
            continue;
        const BYTE* pBase = reinterpret_cast<const BYTE*>(m_hModule);
        size_t nNext = i + 1;
        while (nNext < m_functions.size() && m_functions[nNext].dwRva == m_functions[i].dwRva)
            ++nNext;
        pBegin = pBase + m_functions[i].dwRva;
        pEnd = nNext < m_functions.size() ? pBase + m_functions[nNext].dwRva : pBegin;
        return pEnd > pBegin;
    }
    return false;
}

const char* CModuleSymbols::NameAt(const void* pAddress) const
{
    const BYTE* pBase = reinterpret_cast<const BYTE*>(m_hModule);
    const BYTE* pAt = static_cast<const BYTE*>(pAddress);
    if (m_functions.empty() || pAt < pBase || static_cast<size_t>(pAt - pBase) > 0xFFFFFFFFu)
        return nullptr;
    DWORD dwRva = static_cast<DWORD>(pAt - pBase);
    if (dwRva >= m_dwCodeEnd)
        return nullptr;
    auto after = std::upper_bound(m_functions.begin(), m_functions.end(), dwRva,
                                  [](DWORD rva, const Function& f) { return rva < f.dwRva; });
    return after == m_functions.begin() ? nullptr : std::prev(after)->strName.c_str();
}
