// A place in the skin file: line and column, both counted from 1 the way the
// XML parser counts them (a character is one column, a line break ends a
// line). 0, 0 means no particular place.
#pragma once

struct _SkinPos
{
    int nLine = 0;
    int nColumn = 0;
};
