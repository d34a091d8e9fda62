// Decoded item icons, shared by path. Every item that names the same icon file
// gets the same slot, so 10,000 tools that use 9 icon files decode 9 images.
//
// A slot is decoded when it is first asked for (at an item's drawing). A load
// that fails leaves the slot empty and is tried again at the next request.
// With a fallback path set, a slot whose file does not exist at its first
// request shows the fallback's image from then on, as a tool without an icon
// file shows the default icon; that first load is the existence check. At most kMaxDecoded images stay decoded: the
// least recently requested goes first, so scrolling through a grid where every
// item has its own icon holds a bounded number of images.
//
// Icons are drawn at their own size in skin pixels: at another DPI a slot's
// image is its best variant resampled to the device size. Which variants lie
// beside an icon is asked once per path, at its first decoding, with one
// directory query, and kept with the slot.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include "controls/GdipImage.h"
#include "framework/CString.h"
#include "skin/CDpiScale.h"
#include "skin/CImageVariantSet.h"

class CIconCache
{
public:
    static constexpr int kNoSlot = -1;
    static constexpr int kMaxDecoded = 64;

    CIconCache() = default;
    CIconCache(const CIconCache&) = delete;
    CIconCache& operator=(const CIconCache&) = delete;

    // The slot of the path, created at its first mention.
    int AddPath(const CString& strPath);
    // The file shown for slots whose own file does not exist; empty for none.
    void SetFallbackPath(const CString& strPath);
    // The slot's decoded image, or null when it cannot be loaded now. The
    // pointer stays valid until the next GetImage or Clear.
    Gdip::Image* GetImage(int nSlot);
    // The image that GetImage would give without loading anything: null when
    // the slot has not been decoded yet (or was evicted since).
    Gdip::Image* PeekImage(int nSlot) const;
    // Decodes for the DPI from now on; the images decoded so far are dropped.
    void SetDpi(const CDpiScale& dpi);
    // Drops every slot and image (the files may have changed); the fallback
    // path stays set.
    void Clear();

    int GetDecodedCount() const { return static_cast<int>(m_decoded.size()); }

private:
    enum class FileState : unsigned char { Unchecked, Present, Missing };
    struct Slot
    {
        std::wstring strPath;
        FileState state = FileState::Unchecked;
        bool bVariantsKnown = false;
        CImageVariantSet variants;
        std::unique_ptr<Gdip::Image> pImage;
        unsigned long long nLastUse = 0;
    };

    Gdip::Image* Decode(int nSlot, bool* pbMissing);
    void DropDecoded();
    void EvictLeastRecent();

    std::vector<Slot> m_slots;
    std::unordered_map<std::wstring, int> m_slotOfPath;
    std::vector<int> m_decoded; // slots holding an image
    CDpiScale m_dpi;
    std::wstring m_strFallback;
    int m_nFallbackSlot = kNoSlot;
    unsigned long long m_nUseClock = 0;
};
