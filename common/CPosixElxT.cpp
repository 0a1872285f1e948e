#include "common/CPosixElxT.h"

#include "common/CMatchContext.h"

#include <cctype>
#include <cstring>

namespace {

int PosixAlnum(int c)
{
    return std::isalnum(c);
}
int PosixAlpha(int c)
{
    return std::isalpha(c);
}
int PosixAscii(int c)
{
    return c >= 0 && c < 0x80;
}
int PosixCntrl(int c)
{
    return std::iscntrl(c);
}
int PosixDigit(int c)
{
    return std::isdigit(c);
}
int PosixGraph(int c)
{
    return std::isgraph(c);
}
int PosixLower(int c)
{
    return std::islower(c);
}
int PosixPrint(int c)
{
    return std::isprint(c);
}
int PosixPunct(int c)
{
    return std::ispunct(c);
}
int PosixSpace(int c)
{
    return std::isspace(c);
}
int PosixUpper(int c)
{
    return std::isupper(c);
}
int PosixXdigit(int c)
{
    return std::isxdigit(c);
}
int PosixBlank(int c)
{
    return c == ' ' || c == '\t';
}

struct PosixClassName
{
    const char* m_pszName; // with its closing colon
    int (*m_pfnClass)(int);
};

const PosixClassName g_posixClasses[] = {
    {"alnum:", PosixAlnum}, {"alpha:", PosixAlpha}, {"ascii:", PosixAscii}, {"cntrl:", PosixCntrl},
    {"digit:", PosixDigit}, {"graph:", PosixGraph}, {"lower:", PosixLower}, {"print:", PosixPrint},
    {"punct:", PosixPunct}, {"space:", PosixSpace}, {"upper:", PosixUpper}, {"xdigit:", PosixXdigit},
    {"blank:", PosixBlank},
};

} // namespace

CPosixElxT::CPosixElxT(const char* pName, int nLength, int bBackward) : m_bBackward(bBackward)
{
    int i = (nLength > 0 && pName[0] == ':') ? 1 : 0;
    if (i < nLength && pName[i] == '^') {
        m_bInclude = 0;
        ++i;
    }
    for (const PosixClassName& entry : g_posixClasses) {
        const int n = static_cast<int>(std::strlen(entry.m_pszName));
        if (nLength - i >= n && std::memcmp(pName + i, entry.m_pszName, static_cast<size_t>(n)) == 0) {
            m_pfnClass = entry.m_pfnClass;
            break;
        }
    }
}

int CPosixElxT::TryFirst(CMatchContext* pContext) const
{
    char ch = 0;
    if (!m_pfnClass || !pContext->PeekChar(m_bBackward, ch)) {
        return 0;
    }
    const bool bInClass = m_pfnClass(static_cast<unsigned char>(ch)) != 0;
    if (bInClass != (m_bInclude != 0)) {
        return 0;
    }
    pContext->Step(m_bBackward, 1);
    return 1;
}

int CPosixElxT::TryNext(CMatchContext* pContext) const
{
    pContext->Step(m_bBackward, -1);
    return 0;
}
