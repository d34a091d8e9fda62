// The frame of an .ico file for a device size. An icon file holds one image
// per size; drawn at another DPI, the panel takes the smallest frame that is
// at least as large as the size it draws at (else the largest there is),
// decodes that frame alone and resamples it to the size.
#pragma once
#include <windows.h>
#include <memory>
#include "controls/GdipBitmap.h"

// True for a path that ends in ".ico" (without regard to case).
bool IsIconFilePath(const wchar_t* pszPath);
// The chosen frame at sizeTarget, or null when the file is no readable icon file.
std::unique_ptr<Gdip::Bitmap> LoadIconFrame(const wchar_t* pszPath, SIZE sizeTarget);
