// The tool catalog: an optional refresh source and the tools in listing order.
//
// Text format (UTF-8, an optional byte-order mark, CR LF or LF line ends):
//
//   ; comment lines start with ';' or '#'
//   [Catalog]                      header section, optional
//   Source=http://host/tools.ini   where a refresh fetches the next catalog:
//                                  an http:// or https:// URL or a file path
//                                  (a relative path starts at the catalog's folder)
//   [Tool]                         one section per tool, in listing order
//   Name=Disk Cleaner
//   Id=disk.cleaner                identifier that starts the tool
//   Version=1.2
//   Description=Removes temporary files
//   Icon=icons\cleaner.png         image path, relative to the catalog's folder
//   Listed=1                       1/yes/true shows the tool, 0/no/false hides it (default 1)
//   Command="C:\Tools\clean.exe" /quiet
//
// Section names and keys ignore case; values are the rest of the line with
// surrounding blanks removed; every key belongs to the section above it. Unknown keys are ignored so that newer catalogs
// still load; anything else that is not a comment, a section or a key=value
// line makes the whole text invalid (a fetched error page never replaces a
// catalog).
#pragma once
#include <string>
#include "framework/CArray.h"
#include "framework/CString.h"
#include "pellix/CTextSpan.h"

class CCatalog
{
public:
    struct Tool
    {
        CString strName;
        CString strId;
        CString strVersion;
        CString strDescription;
        CString strIcon;
        bool bListed = true;
        CString strCommand;
    };

    CCatalog() = default;
    CCatalog(const CCatalog&) = delete;
    CCatalog& operator=(const CCatalog&) = delete;

    // Replaces the content with the catalog in strUtf8; on failure the
    // catalog is left empty and false is returned.
    bool Parse(const std::string& strUtf8);
    // The catalog in the text format above.
    std::string Serialize() const;

    const CString& GetSource() const { return m_strSource; }
    void SetSource(const CString& strSource) { m_strSource = strSource; }
    int GetToolCount() const { return m_tools.GetSize(); }
    const Tool& GetTool(int i) const { return m_tools[i]; }

private:
    enum class Section { None, Header, Tool };

    void Clear();
    bool ParseLine(const CTextSpan& line, Section& section);
    void ParseHeaderKey(const CTextSpan& key, const CTextSpan& value);
    static bool ParseToolKey(Tool& tool, const CTextSpan& key, const CTextSpan& value);
    static bool ParseListed(const CTextSpan& value, bool& bListed);
    static bool Utf8ToWide(const std::string& strUtf8, CString& strWide);
    static void AppendUtf8(std::string& strOut, const CString& strWide);

    CString m_strSource;
    CArray<Tool> m_tools;
};
