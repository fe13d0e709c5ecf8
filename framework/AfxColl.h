// Arrays in the MFC manner: indexed by INT_PTR, growing on Add.
#pragma once

#include "framework/AfxString.h"
#include "platform/wintypes.h"

#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }

    INT_PTR Add(ARG_TYPE newElement)
    {
        m_items.push_back(TYPE(newElement));
        return GetUpperBound();
    }
    const TYPE& GetAt(INT_PTR nIndex) const { return m_items.at(static_cast<size_t>(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return m_items.at(static_cast<size_t>(nIndex)); }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { ElementAt(nIndex) = TYPE(newElement); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            return;
        auto first = m_items.begin() + nIndex;
        m_items.erase(first, first + nCount);
    }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<TYPE> m_items;
};

class CPtrArray : public CArray<void*, void*> {};
class CStringArray : public CArray<CString, const char*> {};
class CUIntArray : public CArray<UINT, UINT> {};
