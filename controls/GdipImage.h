// Owner of a GDI+ image (flat API handle), released once with GdipDisposeImage.
// Images of files are decoded from a copy of the file in memory, which the
// owner keeps as long as the image: no file stays open while an image lives.
#pragma once
#include <memory>
#include "controls/GdipFileStream.h"
#include "controls/GdipLastStatus.h"

namespace Gdip {

class Image : public LastStatus
{
public:
    // Reads the file and decodes it (GdipLoadImageFromStream); a failure
    // leaves a null handle and its status in GetLastStatus: FileNotFound for
    // a missing file, Win32Error for one that cannot be read.
    explicit Image(const wchar_t* pszFile);
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    UINT Width() const;  // 0 when there is no image
    UINT Height() const; // 0 when there is no image
    Gdiplus::GpImage* Native() const { return m_pNative; }

protected:
    // For derived owners that create the handle themselves.
    Image() = default;
    void SetNative(Gdiplus::GpImage* pNative) { m_pNative = pNative; }
    // The file's bytes as a stream kept for the image's life, or null with
    // the failure recorded in the status.
    IStream* OpenSource(const wchar_t* pszFile);

private:
    Gdiplus::GpImage* m_pNative = nullptr;
    FileStream m_source; // released after the image (members go after the destructor's body)
};

// The image of the file, or null when it cannot be loaded. With logging on, a
// file that is missing or cannot be decoded writes one trace line (once per
// file and version of it, so a list that retries an icon at every paint does
// not flood the log). An empty path is no image and no failure. With
// pbMissing, a file that does not exist (an empty path, or one whose
// attributes cannot be read) sets it instead of writing the line: loading is then the existence
// check, and an existing file is opened once.
std::unique_ptr<Image> LoadImageFile(const wchar_t* pszFile, bool* pbMissing = nullptr);

// Writes that trace line for a failed load of pszFile with status.
void TraceLoadFailure(const wchar_t* pszFile, Status status);

} // namespace Gdip
