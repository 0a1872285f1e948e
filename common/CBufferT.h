// An owning, growable array with the view of CBufferRefT over its elements.
// One default element is always kept after the content (not counted), so a
// character array is NUL-terminated. Used for every list of the pattern
// engine: element lists, character runs, and the match context's stacks.
#pragma once

#include "common/CBufferRefT.h"

#include <cstddef>
#include <utility>
#include <vector>

template <class T> class CBufferT : public CBufferRefT<T>
{
public:
    CBufferT() { Sync(); }
    CBufferT(const T* pBuffer, int nSize) { Append(pBuffer, nSize); }
    CBufferT(const CBufferT& other) : CBufferRefT<T>(), m_cItems(other.m_cItems) { Sync(); }
    CBufferT(CBufferT&& other) noexcept : CBufferRefT<T>(), m_cItems(std::move(other.m_cItems))
    {
        other.m_cItems.assign(1, T());
        other.Sync();
        Sync();
    }
    CBufferT& operator=(const CBufferT& other)
    {
        if (this != &other) {
            m_cItems = other.m_cItems;
            Sync();
        }
        return *this;
    }
    CBufferT& operator=(CBufferT&& other) noexcept
    {
        if (this != &other) {
            m_cItems = std::move(other.m_cItems);
            other.m_cItems.assign(1, T());
            other.Sync();
            Sync();
        }
        return *this;
    }
    ~CBufferT() override = default;

    T* GetData() { return m_cItems.data(); }
    T& operator[](int nIndex) { return m_cItems[static_cast<std::size_t>(nIndex)]; }
    const T& operator[](int nIndex) const { return m_cItems[static_cast<std::size_t>(nIndex)]; }

    // Appends one element.
    void Push(const T& value)
    {
        m_cItems.back() = value;
        m_cItems.push_back(T());
        Sync();
    }
    // Removes and returns the last element; a default element when empty.
    T Pop()
    {
        if (this->m_nSize == 0) {
            return T();
        }
        T value = m_cItems[m_cItems.size() - 2];
        m_cItems.pop_back();
        m_cItems.back() = T();
        Sync();
        return value;
    }
    // Appends a run of elements.
    void Append(const T* pBuffer, int nSize)
    {
        if (pBuffer && nSize > 0) {
            m_cItems.insert(m_cItems.end() - 1, pBuffer, pBuffer + nSize);
        }
        Sync();
    }
    // Makes the count at least nIndex + 1, filling new slots with fill.
    void Prepare(int nIndex, const T& fill)
    {
        if (nIndex >= this->m_nSize) {
            m_cItems.back() = fill;
            m_cItems.resize(static_cast<std::size_t>(nIndex) + 1, fill);
            m_cItems.push_back(T());
            Sync();
        }
    }
    // Cuts the array back to nSize elements; a larger size changes nothing.
    void Restore(int nSize)
    {
        if (nSize >= 0 && nSize < this->m_nSize) {
            m_cItems.resize(static_cast<std::size_t>(nSize));
            m_cItems.push_back(T());
            Sync();
        }
    }
    void Clear() { Restore(0); }

private:
    void Sync()
    {
        this->m_pRef = m_cItems.data();
        this->m_nSize = static_cast<int>(m_cItems.size()) - 1;
    }

    std::vector<T> m_cItems{T()};
};
