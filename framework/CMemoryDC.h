// Memory DC owner: a DC compatible with another one (the screen when null),
// deleted with the object.
#pragma once
#include "CDC.h"

class CMemoryDC : public CDC
{
public:
    explicit CMemoryDC(HDC hdcCompatible) { Attach(::CreateCompatibleDC(hdcCompatible)); }
};
