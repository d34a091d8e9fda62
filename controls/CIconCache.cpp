#include "controls/CIconCache.h"
#include <algorithm>
#include "controls/SkinImageFile.h"

int CIconCache::AddPath(const CString& strPath)
{
    auto found = m_slotOfPath.find(strPath.Std());
    if (found != m_slotOfPath.end())
        return found->second;
    int nSlot = static_cast<int>(m_slots.size());
    m_slots.emplace_back();
    m_slots.back().strPath = strPath.Std();
    m_slotOfPath.emplace(strPath.Std(), nSlot);
    return nSlot;
}

void CIconCache::SetFallbackPath(const CString& strPath)
{
    m_strFallback = strPath.Std();
    m_nFallbackSlot = strPath.IsEmpty() ? kNoSlot : AddPath(strPath);
}

Gdip::Image* CIconCache::GetImage(int nSlot)
{
    if (nSlot < 0 || nSlot >= static_cast<int>(m_slots.size()))
        return nullptr;
    Slot& slot = m_slots[static_cast<size_t>(nSlot)]; // Decode adds no slot
    // Without a fallback a missing file is just a load that fails, tried again
    // later; with one the existence decides once which file the slot shows.
    // The first load is that check: a file that exists is opened only once.
    bool bDecide = slot.state == FileState::Unchecked && m_nFallbackSlot != kNoSlot && nSlot != m_nFallbackSlot;
    Gdip::Image* pImage = nullptr;
    if (slot.state != FileState::Missing) {
        bool bMissing = false;
        pImage = Decode(nSlot, bDecide ? &bMissing : nullptr);
        if (bDecide)
            slot.state = bMissing ? FileState::Missing : FileState::Present;
    }
    if (slot.state == FileState::Missing)
        return m_nFallbackSlot != kNoSlot ? Decode(m_nFallbackSlot, nullptr) : nullptr;
    return pImage;
}

Gdip::Image* CIconCache::Decode(int nSlot, bool* pbMissing)
{
    Slot& slot = m_slots[static_cast<size_t>(nSlot)];
    slot.nLastUse = ++m_nUseClock;
    if (slot.pImage)
        return slot.pImage.get();
    if (!m_dpi.IsBase() && !slot.bVariantsKnown) {
        slot.variants = CImageVariantSet::Query(slot.strPath);
        slot.bVariantsKnown = true;
    }
    std::unique_ptr<Gdip::Image> pImage =
        LoadSkinImage(slot.strPath.c_str(), m_dpi, SkinImageFit::OwnSize(), &slot.variants, pbMissing);
    if (!pImage)
        return nullptr;
    if (static_cast<int>(m_decoded.size()) >= kMaxDecoded)
        EvictLeastRecent();
    slot.pImage = std::move(pImage);
    m_decoded.push_back(nSlot);
    return slot.pImage.get();
}

void CIconCache::EvictLeastRecent()
{
    auto oldest = std::min_element(m_decoded.begin(), m_decoded.end(), [this](int a, int b) {
        return m_slots[static_cast<size_t>(a)].nLastUse < m_slots[static_cast<size_t>(b)].nLastUse;
    });
    m_slots[static_cast<size_t>(*oldest)].pImage.reset();
    *oldest = m_decoded.back();
    m_decoded.pop_back();
}

void CIconCache::SetDpi(const CDpiScale& dpi)
{
    if (dpi == m_dpi)
        return;
    m_dpi = dpi;
    DropDecoded();
}

void CIconCache::DropDecoded()
{
    for (int nSlot : m_decoded)
        m_slots[static_cast<size_t>(nSlot)].pImage.reset();
    m_decoded.clear();
}

void CIconCache::Clear()
{
    m_decoded.clear();
    m_slotOfPath.clear();
    m_slots.clear();
    m_slots.shrink_to_fit();
    SetFallbackPath(m_strFallback.c_str());
}

Gdip::Image* CIconCache::PeekImage(int nSlot) const
{
    if (nSlot < 0 || nSlot >= static_cast<int>(m_slots.size()))
        return nullptr;
    const Slot& slot = m_slots[static_cast<size_t>(nSlot)];
    if (slot.state == FileState::Missing)
        return m_nFallbackSlot != kNoSlot ? m_slots[static_cast<size_t>(m_nFallbackSlot)].pImage.get() : nullptr;
    return slot.pImage.get();
}
