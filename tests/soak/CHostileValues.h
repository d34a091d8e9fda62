// Hostile value texts for a skin, by the kind of value a key holds: huge,
// negative, zero, overflowing, empty, garbage, format strings, long texts,
// reserved device names and ".." in paths. Texts are UTF-8 and not yet
// escaped for XML.
#pragma once
#include <string>
#include "CSoakRandom.h"

enum class SkinValueKind {
    Number,   // a plain number: flags, opacity, weights, widths
    FontSize, // a font size in pixels
    Size,     // "cx,cy": sizes a drawing surface
    Point,    // "x,y"
    Rect,     // "x,y,width,height": margins, positions, text areas
    ItemSpec, // "width;height;spaceX;spaceY" of the list's items
    Colour,   // "colour;colour"
    Style,    // "style;alignment;line alignment;trimming"
    Text,     // titles, names, tooltips, font families, control IDs
    Path,     // an image, icon or cursor file below Config\Default
    Pattern,  // the tooltip pattern, a printf-style format
};

class CHostileValues
{
public:
    explicit CHostileValues(CSoakRandom& random) : m_random(random) {}

    std::string For(SkinValueKind kind);

    // One number text of any sort; bGeometry keeps it within the sizes that
    // the soak generates for surfaces (see SoakExclusions.h).
    std::string Number(bool bGeometry);
    // A long or strange text: format characters, controls, far scripts.
    std::string Text();
    // A file name relative to Config\Default that is not a plain image.
    std::string Path();
    std::string Pattern();

    // The text cut to at most nMaxBytes, never inside a UTF-8 sequence.
    static std::string Clip(std::string strText, uint64_t nMaxBytes);
    // What is left of a byte budget after nSpent bytes, never below zero.
    // Budgets are 64-bit, so that "no cap" is no cap in a 32-bit process too.
    static uint64_t Left(uint64_t nBudget, uint64_t nSpent) { return nBudget > nSpent ? nBudget - nSpent : 0; }

private:
    std::string Numbers(int nCount, const char* pszSeparator, bool bGeometry);
    std::string LongText();

    CSoakRandom& m_random;
};
