// A read-only view of elements owned elsewhere: a pointer to the first one and
// their count. The pattern engine reads its pattern text through one.
#pragma once

template <class T> class CBufferRefT
{
public:
    CBufferRefT() = default;
    CBufferRefT(const T* pBuffer, int nSize) : m_pRef(pBuffer), m_nSize(pBuffer ? nSize : 0) {}
    CBufferRefT(const CBufferRefT&) = default;
    CBufferRefT& operator=(const CBufferRefT&) = default;
    virtual ~CBufferRefT() = default;

    const T* GetBuffer() const { return m_pRef; }
    int GetSize() const { return m_nSize; }
    const T& operator[](int nIndex) const { return m_pRef[nIndex]; }

protected:
    const T* m_pRef = nullptr;
    int m_nSize = 0;
};
