// Owner of a memory stream holding a whole image file, for GDI+ to decode
// from. GDI+ keeps a file it decodes from open (and locked against writing)
// while the image lives; decoding from a copy in memory closes the file at
// once, so a skin author can save an image while a panel shows it. GDI+ may
// read the stream again whenever it draws, so the owner of the image keeps
// this stream until the image is gone.
#pragma once
#include <windows.h>
#include <objidl.h>

namespace Gdip {

class FileStream
{
public:
    enum class Result { Ok, Missing, Unreadable };

    FileStream() = default;
    ~FileStream();
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // Reads the whole file into a new stream positioned at its start.
    Result Open(const wchar_t* pszFile);
    IStream* Get() const { return m_pStream; }

private:
    IStream* m_pStream = nullptr;
};

} // namespace Gdip
