// Hash map with the interface of MFC's CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>.
// Iteration order is unspecified, as in MFC.
#pragma once
#include "CString.h"
#include <unordered_map>
#include <type_traits>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap
{
    using Hash = typename std::conditional<std::is_same<KEY, CString>::value, CStringHash, std::hash<KEY>>::type;
    using Table = std::unordered_map<KEY, VALUE, Hash>;

public:
    CMap() = default;
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    int GetCount() const { return static_cast<int>(m_table.size()); }
    int GetSize() const { return GetCount(); }
    bool IsEmpty() const { return m_table.empty(); }

    // Copies the value of the key into rValue; FALSE (and rValue untouched) when absent.
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        auto it = m_table.find(KEY(key));
        if (it == m_table.end())
            return FALSE;
        rValue = it->second;
        return TRUE;
    }

    // Pointer to the stored value, or null when the key is absent.
    const VALUE* PLookup(ARG_KEY key) const
    {
        auto it = m_table.find(KEY(key));
        return it == m_table.end() ? nullptr : &it->second;
    }

    VALUE& operator[](ARG_KEY key) { return m_table[KEY(key)]; }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { m_table[KEY(key)] = newValue; }
    BOOL RemoveKey(ARG_KEY key) { return m_table.erase(KEY(key)) ? TRUE : FALSE; }
    void RemoveAll() { m_table.clear(); }

    // Visits every pair: for (auto& kv : map) with kv.first the key and kv.second the value.
    typename Table::iterator begin() { return m_table.begin(); }
    typename Table::iterator end() { return m_table.end(); }
    typename Table::const_iterator begin() const { return m_table.begin(); }
    typename Table::const_iterator end() const { return m_table.end(); }

private:
    Table m_table;
};
