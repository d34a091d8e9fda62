// Growable array held by value, with the interface of MFC's CArray<TYPE, ARG_TYPE>.
// Elements are relocated by move-construction when the storage grows, so an
// element type that owns resources must transfer them in its move constructor.
#pragma once
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() { RemoveAll(); }

    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    int GetUpperBound() const { return m_nSize - 1; }

    TYPE& ElementAt(int i) { return m_pData[i]; }
    const TYPE& GetAt(int i) const { return m_pData[i]; }
    TYPE& operator[](int i) { return m_pData[i]; }
    const TYPE& operator[](int i) const { return m_pData[i]; }
    TYPE* GetData() { return m_pData; }
    const TYPE* GetData() const { return m_pData; }

    // Appends a copy of the element and returns its index.
    int Add(ARG_TYPE newElement) { return Append(newElement); }

    // Appends the element by moving it in (for element types that own a
    // resource and cannot be copied) and returns its index.
    template <class U = TYPE,
              class = std::enable_if_t<std::is_same<U, TYPE>::value && std::is_reference<ARG_TYPE>::value>>
    int Add(TYPE&& newElement) { return Append(std::move(newElement)); }

    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0 || nIndex + nCount > m_nSize)
            return;
        for (int i = nIndex; i + nCount < m_nSize; ++i)
            m_pData[i] = std::move(m_pData[i + nCount]);
        for (int i = m_nSize - nCount; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize -= nCount;
    }

    // Destroys every element and frees the storage: size and capacity become 0.
    void RemoveAll()
    {
        for (int i = 0; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    }

    // Grows with default-constructed elements or shrinks by destroying the tail.
    void SetSize(int nNewSize)
    {
        if (nNewSize <= 0) {
            RemoveAll();
            return;
        }
        Reserve(nNewSize);
        for (int i = m_nSize; i < nNewSize; ++i)
            new (&m_pData[i]) TYPE();
        for (int i = nNewSize; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize = nNewSize;
    }

    int GetCapacity() const { return m_nMaxSize; }

private:
    template <class V>
    int Append(V&& newElement)
    {
        if (m_nSize == m_nMaxSize) {
            // The element may live in the storage that growing releases.
            TYPE temp(std::forward<V>(newElement));
            Reserve(m_nSize + 1);
            new (&m_pData[m_nSize]) TYPE(std::move(temp));
        } else {
            new (&m_pData[m_nSize]) TYPE(std::forward<V>(newElement));
        }
        return m_nSize++;
    }

    void Reserve(int nNeeded)
    {
        if (nNeeded <= m_nMaxSize)
            return;
        int grow = m_nMaxSize / 2 < 4 ? 4 : m_nMaxSize / 2;
        int nNewMax = m_nMaxSize + grow < nNeeded ? nNeeded : m_nMaxSize + grow;
        TYPE* pNew = static_cast<TYPE*>(::operator new(sizeof(TYPE) * static_cast<size_t>(nNewMax)));
        for (int i = 0; i < m_nSize; ++i) {
            new (&pNew[i]) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        ::operator delete(m_pData);
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }

    TYPE* m_pData = nullptr;
    int m_nSize = 0;
    int m_nMaxSize = 0;
};
