// Checks a skin folder ("Config" as it lies beside the module: the skin file
// "Morvel_SCfg.xml" and its image folder "Default") the way the module reads
// it. A pass of the SAX2 reader gives XML errors and the places of elements
// and attributes; the module's own skin reader then loads the sections, and
// every value is judged by the kind that the key table gives it. Errors: XML
// errors, values that are not of their kind, files that are missing or cannot
// be decoded. Warnings: everything that loads but will not look as meant,
// among them image variants (NAME@<F>x.EXT) that the panel will not use.
// The XML library and GDI+ must be running.
#pragma once
#include <string>
#include <vector>
#include "framework/CString.h"
#include "skin/CQmXMLParseBase.h"
#include "skin/SkinKeyTable.h"
#include "skincheck/CSkinReport.h"
#include "skincheck/CSkinSourceMap.h"

class CSkinChecker
{
public:
    static const wchar_t kSkinFileName[]; // "Morvel_SCfg.xml"

    // Checks the folder into report (named after the skin file); false, with
    // strWhy, when there is nothing to check (no folder or no skin file).
    bool Check(const CString& strConfigDir, CSkinReport& report, CString& strWhy);

    // The skin file's path in a Config folder (a backslash is added as needed).
    static CString SkinFile(const CString& strConfigDir);

private:
    // One skin section as the module reads it, with its element in the source.
    struct Section
    {
        const wchar_t* pszPath;
        int nElement = -1;
        CQmXMLParseBase reader;
    };

    void CheckSectionNames();
    void CheckChildNames(int nParent, const std::vector<CString>& known, const wchar_t* pszWhat);
    void CheckWindowInfo(Section& section);
    void CheckWindowInfoEntries(const Section& section, int nWindowInfo);
    void CheckKeyValue(const Section& section, const _SkinKeyInfo& info, const CString& strValue, _SkinPos pos);
    void CheckPosInfo(const Section& section);
    void CheckControls(const Section& section);
    void CheckControlEntry(const Section& section, const _SkinSourceElement& entry);
    void CheckAttributes(const _SkinSourceElement& entry, const wchar_t* pszPlace);
    void CheckDialogValues(const Section& dialog);
    void CheckListValues(const Section& list);
    void CheckScrollBarValues(const Section& bar);
    void CheckSlice(const Section& bar, const wchar_t* pszSliceKey, const wchar_t* pszImageKey);
    void CheckListArea(const Section& dialog, const Section& list);
    void CheckPattern(const CString& strPattern, _SkinPos pos);
    void CheckFontValues(const CString& strKey, const _SkinKeyInfo& info, const CString& strValue, _SkinPos pos);
    void CheckFile(const CString& strPath, SkinFileUse use, int nFrames, _SkinPos pos);
    void CheckVariants(const CString& strBasePath, SIZE sizeBase, _SkinPos pos);
    void CheckOrphanVariants(const CString& strFolder, int nDepth);

    // Where the key's value is given: the Data attribute of the key's last
    // WindowInfo entry (the one the reader keeps), or no place.
    _SkinPos KeyPos(const Section& section, const wchar_t* pszKey) const;
    bool HasKey(const Section& section, const wchar_t* pszKey) const;
    CString KeyText(const Section& section, const wchar_t* pszKey) const;
    CString ConfigFolder() const;                 // with a trailing backslash
    CString FileOf(const CString& strPath) const; // path shown relative to the Config folder
    static std::vector<CString> Names(const wchar_t* pszPlace);

    CSkinSourceMap m_source;
    CSkinReport* m_pReport = nullptr;
    CString m_strConfigDir;
};
