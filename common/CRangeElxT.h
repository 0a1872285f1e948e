// A class of single characters: ranges, single characters and nested classes
// (a bracket expression, `.` and the class escapes). Characters compare as
// signed 8-bit values, so the bytes 0x80 to 0xFF order below 0x00 to 0x7F.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CRangeElxT : public ElxInterface
{
public:
    CRangeElxT(int bBackward, int bInclude) : m_bBackward(bBackward), m_bInclude(bInclude) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    void AddRange(char chLow, char chHigh);
    void AddChar(char ch);
    // Whether the class holds ch through a range or a single character.
    bool HoldsChar(char ch) const;

    CBufferT<char> m_cRanges;           // pairs low, high
    CBufferT<char> m_cChars;            // single characters
    CBufferT<ElxInterface*> m_cClasses; // nested class elements
    int m_bBackward;
    int m_bInclude; // 1 positive, 0 negated

private:
    bool IsMember(CMatchContext* pContext, char ch) const;
};
