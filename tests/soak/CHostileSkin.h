// A hostile skin made from the default one: values swapped for hostile ones
// by the kind of value each key holds, controls added, elements duplicated,
// removed and nested deeply, a DTD with entities, and then damaged bytes,
// truncation or odd encodings. Image files that paths of the skin may name
// ("Hostile.png", "Empty.png"...) are made beside it. Within a size cap,
// duplicated lines get fewer copies and the text ends at the cap.
#pragma once
#include <string>
#include <utility>
#include <vector>
#include "CHostileValues.h"
#include "CSoakRandom.h"

struct SoakFile
{
    std::string strName; // relative to its folder
    std::string strBytes;
};

struct HostileSkinFiles
{
    enum class Form { File, Missing, Folder };
    Form form = Form::File;
    std::string strXml;            // Config\Morvel_SCfg.xml
    std::vector<SoakFile> images;  // Config\Default, replacing or beside the default images
    std::vector<std::string> notes; // what was done, for the saved case
};

class CHostileSkin
{
public:
    // strDefaultXml: the default skin's text; strSampleImage: a valid PNG to
    // damage into hostile images; files: where the skin is made.
    CHostileSkin(const std::string& strDefaultXml, const std::string& strSampleImage, CSoakRandom& random,
                 HostileSkinFiles& files);

    // Makes the skin and its images, within nMaxBytes in all.
    void Make(uint64_t nMaxBytes);

private:
    void SwapItemValues(int nCount);
    void SwapControlAttributes(int nCount);
    void AddControls(int nCount);
    void DuplicateLines(int nCount, uint64_t nMaxBytes);
    void RemoveLines(int nCount);
    void NestDeeply();
    void AddDtd();
    std::string Damage(std::string strXml);
    void MakeImages();
    std::string ControlAttribute(const std::string& strName);
    int PickLine(const char* pszMarker);
    size_t LineBytes() const;
    std::string Text(uint64_t nMaxBytes);
    static std::string XmlEscape(const std::string& strText);
    static void SetAttribute(std::string& strLine, const std::string& strName, const std::string& strValue);

    std::vector<std::string> m_lines;
    std::string m_strSampleImage;
    CSoakRandom& m_random;
    CHostileValues m_values;
    HostileSkinFiles& m_files;
};
