#include "platform/system/CodePage.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iconv.h>

namespace {

const char* Utf16Name()
{
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

bool IsUtf8(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_UTF8;
}

std::string IconvName(UINT codePage)
{
    return IsUtf8(codePage) ? std::string("UTF-8") : "CP" + std::to_string(codePage);
}

class IconvHandle
{
public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (valid())
            iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Runs the whole input through iconv. Where iconv stops at input it cannot
// convert (a bad or cut sequence, a character the target lacks), the
// replacement goes out and skip(position) input bytes are passed over.
bool Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
             const std::function<std::size_t(std::size_t)>& skip, std::string& out)
{
    out.clear();
    IconvHandle cd(to, from);
    if (!cd.valid())
        return false;
    char buffer[4096];
    std::size_t pos = 0;
    while (pos < in.size()) {
        char* inPtr = const_cast<char*>(in.data() + pos);
        std::size_t inLeft = in.size() - pos;
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        pos = static_cast<std::size_t>(inPtr - in.data());
        if (result != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        if (error != EILSEQ && error != EINVAL)
            return false;
        out.append(replacement);
        pos += std::min(skip(pos), in.size() - pos);
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return true;
}

bool IsHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

bool MultiByteToWideChar(UINT codePage, std::string_view in, std::u16string& out)
{
    out.clear();
    const char16_t replacementChar = 0xFFFD;
    const std::string_view replacement(reinterpret_cast<const char*>(&replacementChar), sizeof replacementChar);
    std::string bytes;
    if (!Convert(
            Utf16Name(), IconvName(codePage).c_str(), in, replacement, [](std::size_t) { return 1; }, bytes))
        return false;
    out.resize(bytes.size() / sizeof(char16_t));
    std::memcpy(out.data(), bytes.data(), out.size() * sizeof(char16_t));
    return true;
}

bool WideCharToMultiByte(UINT codePage, std::u16string_view in, std::string& out)
{
    const std::string_view bytes(reinterpret_cast<const char*>(in.data()), in.size() * sizeof(char16_t));
    // A pair the target lacks is passed over whole; a lone surrogate alone.
    const auto skip = [in](std::size_t bytePos) -> std::size_t {
        const std::size_t unit = bytePos / sizeof(char16_t);
        const bool pair = unit + 1 < in.size() && IsHighSurrogate(in[unit]) && IsLowSurrogate(in[unit + 1]);
        return (pair ? 2 : 1) * sizeof(char16_t);
    };
    const std::string_view replacement = IsUtf8(codePage) ? "\xEF\xBF\xBD" : "?";
    return Convert(IconvName(codePage).c_str(), Utf16Name(), bytes, replacement, skip, out);
}
