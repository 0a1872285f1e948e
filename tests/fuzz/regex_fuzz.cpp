// Fuzz target for the pattern engine: compiles a pattern and matches a text,
// both taken from the input, and checks the result's shape.
//
// Input: one byte of compile flags, then the pattern, a NUL byte, and the
// text (which may hold further NUL bytes). Without a NUL the text is empty.
#include "common/CMatchContext.h"
#include "common/CPatternCompiler.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Backtracking may take exponential time on some patterns, so the inputs
// are kept short enough to let the fuzzer move on.
constexpr size_t kMaxPattern = 2048;
constexpr size_t kMaxText = 128;

void Require(bool bCondition)
{
    if (!bCondition) {
        std::abort();
    }
}

void CheckResult(const CPatternMatchResult& cResult, int nTextLength)
{
    if (!cResult.Succeeded()) {
        Require(cResult.GetSize() == 0);
        return;
    }
    const int nGroups = cResult.GetValue(1, -1);
    Require(nGroups >= 0 && cResult.GetSize() == 2 + 2 * (nGroups + 1));
    Require(cResult.GetValue(2, -1) == 0 && cResult.GetValue(3, -1) == nTextLength);
    for (int g = 1; g <= nGroups; ++g) {
        const int nStart = cResult.GetValue(2 + 2 * g, -2);
        const int nEnd = cResult.GetValue(3 + 2 * g, -2);
        Require((nStart == -1 && nEnd == -1) || (-1 <= nStart && nStart <= nEnd && nEnd <= nTextLength));
    }
}

void CheckContext(const CMatchContext& cContext)
{
    for (int g = 0; g < cContext.m_cCaptureIndex.GetSize(); ++g) {
        const int nEntry = cContext.m_cCaptureIndex[g];
        Require(nEntry < 0 || (nEntry + CAPTURE_ENTRY_SIZE <= cContext.m_cCaptures.GetSize() &&
                               cContext.m_cCaptures[nEntry + CAPTURE_GROUP] == g));
    }
    Require(cContext.m_nDepth == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1) {
        return 0;
    }
    const int nFlags = pData[0] & 0x3F;
    const char* pRest = reinterpret_cast<const char*>(pData + 1);
    const size_t nRest = nSize - 1;
    const char* pNul = static_cast<const char*>(std::memchr(pRest, 0, nRest));
    const size_t nPattern = pNul ? static_cast<size_t>(pNul - pRest) : nRest;
    const char* pText = pNul ? pNul + 1 : pRest + nRest;
    const size_t nText = nRest - nPattern - (pNul ? 1 : 0);
    if (nPattern > kMaxPattern || nText > kMaxText) {
        return 0;
    }

    CPatternCompiler cPattern;
    cPattern.CompilePattern(pRest, static_cast<int>(nPattern), nFlags);
    CMatchContext cContext;
    const CPatternMatchResult cResult = cPattern.MatchWholeText(pText, static_cast<int>(nText), &cContext);
    CheckResult(cResult, static_cast<int>(nText));
    if (cResult.Succeeded()) {
        CheckContext(cContext);
    }

    // The NUL-terminated forms, and a second match on the same context.
    const std::string strPattern(pRest, nPattern);
    const std::string strText(pText, nText);
    const CPatternCompiler cAgain(strPattern.c_str(), nFlags);
    const CPatternMatchResult cSecond = cAgain.MatchWholeText(strText.c_str());
    CheckResult(cSecond, static_cast<int>(std::strlen(strText.c_str())));
    const CPatternMatchResult cThird = cPattern.MatchWholeText(pText, static_cast<int>(nText), &cContext);
    Require(cThird.Succeeded() == cResult.Succeeded());
    return 0;
}
