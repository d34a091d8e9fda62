// Temporary wrapper objects handed out by FromHandle for handles that have no
// permanent object (as MFC's temporary handle maps). A wrapper never owns its
// handle: it is detached before it is freed. MFC frees its temporaries at idle
// time; the module has no idle loop of its own, so wrappers of handles that
// have become invalid are freed whenever a new wrapper is made, and the rest
// when the module is unloaded.
#pragma once
#include <memory>
#include <unordered_map>
#include <vector>

template <class HANDLE_T, class OBJ>
class CTempHandleMap
{
public:
    using IsAliveFn = bool (*)(HANDLE_T);
    using SetHandleFn = void (*)(OBJ*, HANDLE_T);

    // pfnSetHandle stores a handle in a wrapper without taking ownership.
    CTempHandleMap(IsAliveFn pfnIsAlive, SetHandleFn pfnSetHandle)
        : m_pfnIsAlive(pfnIsAlive), m_pfnSetHandle(pfnSetHandle) {}
    CTempHandleMap(const CTempHandleMap&) = delete;
    CTempHandleMap& operator=(const CTempHandleMap&) = delete;
    ~CTempHandleMap()
    {
        for (auto& kv : m_map)
            m_pfnSetHandle(kv.second.get(), nullptr);
    }

    // The wrapper of h, made on first request.
    OBJ* FromHandle(HANDLE_T h)
    {
        if (!h)
            return nullptr;
        auto it = m_map.find(h);
        if (it != m_map.end())
            return it->second.get();
        FreeDeadWrappers();
        std::unique_ptr<OBJ> p(new OBJ);
        m_pfnSetHandle(p.get(), h);
        OBJ* pObj = p.get();
        m_map.emplace(h, std::move(p));
        return pObj;
    }

private:
    void FreeDeadWrappers()
    {
        std::vector<HANDLE_T> dead;
        for (auto& kv : m_map)
            if (!m_pfnIsAlive(kv.first))
                dead.push_back(kv.first);
        for (HANDLE_T h : dead) {
            m_pfnSetHandle(m_map[h].get(), nullptr);
            m_map.erase(h);
        }
    }

    IsAliveFn m_pfnIsAlive;
    SetHandleFn m_pfnSetHandle;
    std::unordered_map<HANDLE_T, std::unique_ptr<OBJ>> m_map;
};
