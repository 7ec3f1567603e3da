// The framework's array of strings: only what the code uses.
#pragma once

#include <vector>

#include "CString.h"

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    const CString& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    const CString& operator[](int index) const { return GetAt(index); }
    int Add(const CString& item) { m_items.push_back(item); return GetSize() - 1; }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
};
