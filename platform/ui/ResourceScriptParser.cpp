#include "platform/ui/ResourceScriptParser.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/UiConstants.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <set>

namespace {

struct Token
{
    enum Type
    {
        Ident,
        Number,
        String,
        Punct,
        End
    };
    Type type = End;
    std::string text; // identifier, punctuation or the string's decoded bytes
    std::int64_t value = 0;
    std::string file;
    int line = 0;
};

std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// "a/b/../c.h" relative to the resources folder; empty when it leaves the folder.
std::string NormalizePath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() -> bool {
        if (part == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
        return true;
    };
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!flush())
                return {};
        } else {
            part += c;
        }
    }
    if (!flush())
        return {};
    std::string out;
    for (const auto& p : parts)
        out += (out.empty() ? "" : "/") + p;
    return out;
}

std::string DirOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The names a script may use without defining them.
#define SYMBOL(name)                                                                                                   \
    {                                                                                                                  \
#name, static_cast < std::int64_t>(name)                                                                       \
    }
const std::map<std::string, std::int64_t>& BuiltinSymbols()
{
    static const std::map<std::string, std::int64_t> symbols = {
        SYMBOL(IDOK),
        SYMBOL(IDCANCEL),
        SYMBOL(IDABORT),
        SYMBOL(IDRETRY),
        SYMBOL(IDIGNORE),
        SYMBOL(IDYES),
        SYMBOL(IDNO),
        SYMBOL(IDCLOSE),
        SYMBOL(IDHELP),
        SYMBOL(IDC_STATIC),
        SYMBOL(WS_OVERLAPPED),
        SYMBOL(WS_POPUP),
        SYMBOL(WS_CHILD),
        SYMBOL(WS_MINIMIZE),
        SYMBOL(WS_VISIBLE),
        SYMBOL(WS_DISABLED),
        SYMBOL(WS_CLIPSIBLINGS),
        SYMBOL(WS_CLIPCHILDREN),
        SYMBOL(WS_MAXIMIZE),
        SYMBOL(WS_CAPTION),
        SYMBOL(WS_BORDER),
        SYMBOL(WS_DLGFRAME),
        SYMBOL(WS_VSCROLL),
        SYMBOL(WS_HSCROLL),
        SYMBOL(WS_SYSMENU),
        SYMBOL(WS_THICKFRAME),
        SYMBOL(WS_SIZEBOX),
        SYMBOL(WS_GROUP),
        SYMBOL(WS_TABSTOP),
        SYMBOL(WS_MINIMIZEBOX),
        SYMBOL(WS_MAXIMIZEBOX),
        SYMBOL(WS_OVERLAPPEDWINDOW),
        SYMBOL(WS_POPUPWINDOW),
        SYMBOL(WS_EX_DLGMODALFRAME),
        SYMBOL(WS_EX_NOPARENTNOTIFY),
        SYMBOL(WS_EX_TOPMOST),
        SYMBOL(WS_EX_TRANSPARENT),
        SYMBOL(WS_EX_TOOLWINDOW),
        SYMBOL(WS_EX_WINDOWEDGE),
        SYMBOL(WS_EX_CLIENTEDGE),
        SYMBOL(WS_EX_CONTEXTHELP),
        SYMBOL(WS_EX_STATICEDGE),
        SYMBOL(WS_EX_APPWINDOW),
        SYMBOL(DS_ABSALIGN),
        SYMBOL(DS_SYSMODAL),
        SYMBOL(DS_3DLOOK),
        SYMBOL(DS_FIXEDSYS),
        SYMBOL(DS_NOFAILCREATE),
        SYMBOL(DS_SETFONT),
        SYMBOL(DS_MODALFRAME),
        SYMBOL(DS_SETFOREGROUND),
        SYMBOL(DS_CONTROL),
        SYMBOL(DS_CENTER),
        SYMBOL(DS_CENTERMOUSE),
        SYMBOL(DS_CONTEXTHELP),
        SYMBOL(DS_SHELLFONT),
        SYMBOL(ES_LEFT),
        SYMBOL(ES_CENTER),
        SYMBOL(ES_RIGHT),
        SYMBOL(ES_MULTILINE),
        SYMBOL(ES_UPPERCASE),
        SYMBOL(ES_LOWERCASE),
        SYMBOL(ES_PASSWORD),
        SYMBOL(ES_AUTOVSCROLL),
        SYMBOL(ES_AUTOHSCROLL),
        SYMBOL(ES_NOHIDESEL),
        SYMBOL(ES_READONLY),
        SYMBOL(ES_WANTRETURN),
        SYMBOL(ES_NUMBER),
        SYMBOL(BS_PUSHBUTTON),
        SYMBOL(BS_DEFPUSHBUTTON),
        SYMBOL(BS_CHECKBOX),
        SYMBOL(BS_AUTOCHECKBOX),
        SYMBOL(BS_RADIOBUTTON),
        SYMBOL(BS_3STATE),
        SYMBOL(BS_AUTO3STATE),
        SYMBOL(BS_GROUPBOX),
        SYMBOL(BS_AUTORADIOBUTTON),
        SYMBOL(BS_OWNERDRAW),
        SYMBOL(BS_LEFTTEXT),
        SYMBOL(BS_RIGHTBUTTON),
        SYMBOL(BS_ICON),
        SYMBOL(BS_BITMAP),
        SYMBOL(BS_LEFT),
        SYMBOL(BS_RIGHT),
        SYMBOL(BS_CENTER),
        SYMBOL(BS_TOP),
        SYMBOL(BS_BOTTOM),
        SYMBOL(BS_VCENTER),
        SYMBOL(BS_PUSHLIKE),
        SYMBOL(BS_MULTILINE),
        SYMBOL(BS_NOTIFY),
        SYMBOL(BS_FLAT),
        SYMBOL(SS_LEFT),
        SYMBOL(SS_CENTER),
        SYMBOL(SS_RIGHT),
        SYMBOL(SS_ICON),
        SYMBOL(SS_BLACKRECT),
        SYMBOL(SS_GRAYRECT),
        SYMBOL(SS_WHITERECT),
        SYMBOL(SS_BLACKFRAME),
        SYMBOL(SS_GRAYFRAME),
        SYMBOL(SS_WHITEFRAME),
        SYMBOL(SS_SIMPLE),
        SYMBOL(SS_LEFTNOWORDWRAP),
        SYMBOL(SS_OWNERDRAW),
        SYMBOL(SS_BITMAP),
        SYMBOL(SS_ETCHEDHORZ),
        SYMBOL(SS_ETCHEDVERT),
        SYMBOL(SS_ETCHEDFRAME),
        SYMBOL(SS_NOPREFIX),
        SYMBOL(SS_NOTIFY),
        SYMBOL(SS_CENTERIMAGE),
        SYMBOL(SS_REALSIZEIMAGE),
        SYMBOL(SS_SUNKEN),
        SYMBOL(SS_ENDELLIPSIS),
        SYMBOL(CBS_SIMPLE),
        SYMBOL(CBS_DROPDOWN),
        SYMBOL(CBS_DROPDOWNLIST),
        SYMBOL(CBS_AUTOHSCROLL),
        SYMBOL(CBS_OEMCONVERT),
        SYMBOL(CBS_SORT),
        SYMBOL(CBS_HASSTRINGS),
        SYMBOL(CBS_NOINTEGRALHEIGHT),
        SYMBOL(CBS_DISABLENOSCROLL),
        SYMBOL(CBS_UPPERCASE),
        SYMBOL(CBS_LOWERCASE),
        SYMBOL(LBS_NOTIFY),
        SYMBOL(LBS_SORT),
        SYMBOL(LBS_NOREDRAW),
        SYMBOL(LBS_MULTIPLESEL),
        SYMBOL(LBS_HASSTRINGS),
        SYMBOL(LBS_USETABSTOPS),
        SYMBOL(LBS_NOINTEGRALHEIGHT),
        SYMBOL(LBS_WANTKEYBOARDINPUT),
        SYMBOL(LBS_EXTENDEDSEL),
        SYMBOL(LBS_DISABLENOSCROLL),
        SYMBOL(LBS_NOSEL),
        SYMBOL(LBS_STANDARD),
        SYMBOL(LVS_ICON),
        SYMBOL(LVS_REPORT),
        SYMBOL(LVS_SMALLICON),
        SYMBOL(LVS_LIST),
        SYMBOL(LVS_SINGLESEL),
        SYMBOL(LVS_SHOWSELALWAYS),
        SYMBOL(LVS_SORTASCENDING),
        SYMBOL(LVS_SORTDESCENDING),
        SYMBOL(LVS_SHAREIMAGELISTS),
        SYMBOL(LVS_NOLABELWRAP),
        SYMBOL(LVS_AUTOARRANGE),
        SYMBOL(LVS_EDITLABELS),
        SYMBOL(LVS_NOSCROLL),
        SYMBOL(LVS_NOCOLUMNHEADER),
        SYMBOL(LVS_NOSORTHEADER),
        SYMBOL(PBS_SMOOTH),
        SYMBOL(PBS_VERTICAL),
    };
    return symbols;
}
#undef SYMBOL

// Headers of the platform the scripts were first written for; nothing in them is needed.
bool IsPlatformHeader(const std::string& name)
{
    static const std::set<std::string> names = {"AFXRES.H", "WINRES.H", "WINDOWS.H", "WINRESRC.H", "COMMCTRL.H"};
    return names.count(Upper(name)) != 0;
}

class Preprocessor
{
public:
    Preprocessor(const ResourceScriptParser::FileReader& reader, std::vector<std::string>& errors)
        : m_reader(reader), m_errors(errors)
    {
    }

    bool Run(const std::string& path, const std::string& text)
    {
        if (++m_depth > 16)
            return Fail(path, 0, "includes nested too deeply");
        const bool ok = RunText(path, text);
        --m_depth;
        return ok;
    }

    std::vector<Token>& Tokens() { return m_tokens; }

private:
    struct Cond
    {
        bool parentActive;
        bool active;
        bool taken;
        int line;
    };

    bool Fail(const std::string& file, int line, const std::string& msg)
    {
        m_errors.push_back(file + ":" + std::to_string(line) + ": " + msg);
        return false;
    }

    // Blanks out comments, keeping line breaks and strings.
    static std::string StripComments(const std::string& text)
    {
        std::string out;
        out.reserve(text.size());
        bool inString = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (inString) {
                out += c;
                if (c == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                    out += text[++i];
                } else if (c == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"')
                        out += text[++i];
                    else
                        inString = false;
                } else if (c == '\n') {
                    inString = false;
                }
            } else if (c == '"') {
                inString = true;
                out += c;
            } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
                while (i < text.size() && text[i] != '\n')
                    ++i;
                if (i < text.size())
                    out += '\n';
            } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
                i += 2;
                while (i + 1 < text.size() && !(text[i] == '*' && text[i + 1] == '/')) {
                    if (text[i] == '\n')
                        out += '\n';
                    ++i;
                }
                ++i;
                out += ' ';
            } else {
                out += c;
            }
        }
        return out;
    }

    bool Active() const { return m_conds.empty() || m_conds.back().active; }

    bool RunText(const std::string& path, const std::string& text)
    {
        const std::string clean = StripComments(text);
        const std::size_t condDepth = m_conds.size();
        std::size_t pos = 0;
        int lineNo = 0;
        while (pos <= clean.size()) {
            auto nl = clean.find('\n', pos);
            if (nl == std::string::npos)
                nl = clean.size();
            std::string line = clean.substr(pos, nl - pos);
            ++lineNo;
            const int firstLine = lineNo;
            pos = nl + 1;
            // Joined continuation lines.
            while (!line.empty() && line.back() == '\\' && pos <= clean.size()) {
                line.pop_back();
                auto next = clean.find('\n', pos);
                if (next == std::string::npos)
                    next = clean.size();
                line += clean.substr(pos, next - pos);
                pos = next + 1;
                ++lineNo;
            }
            const std::string trimmed = Trim(line);
            if (!trimmed.empty() && trimmed[0] == '#') {
                if (!Directive(path, firstLine, trimmed.substr(1)))
                    return false;
            } else if (Active() && !trimmed.empty()) {
                if (!Tokenize(path, firstLine, line, m_tokens, true))
                    return false;
            }
            if (nl == clean.size())
                break;
        }
        if (m_conds.size() != condDepth)
            return Fail(path, m_conds.back().line, "#if without #endif");
        return true;
    }

    bool Directive(const std::string& path, int line, const std::string& rest)
    {
        std::string body = Trim(rest);
        std::size_t n = 0;
        while (n < body.size() && (std::isalpha(static_cast<unsigned char>(body[n]))))
            ++n;
        const std::string name = body.substr(0, n);
        const std::string arg = Trim(body.substr(n));

        if (name == "ifdef" || name == "ifndef") {
            const bool defined = m_macros.count(arg) != 0;
            const bool cond = name == "ifdef" ? defined : !defined;
            m_conds.push_back({Active(), Active() && cond, cond, line});
            return true;
        }
        if (name == "if") {
            std::int64_t v = 0;
            if (Active() && !EvalCondition(path, line, arg, v))
                return false;
            m_conds.push_back({Active(), Active() && v != 0, v != 0, line});
            return true;
        }
        if (name == "elif") {
            if (m_conds.empty())
                return Fail(path, line, "#elif without #if");
            Cond& c = m_conds.back();
            std::int64_t v = 0;
            if (c.parentActive && !c.taken && !EvalCondition(path, line, arg, v))
                return false;
            c.active = c.parentActive && !c.taken && v != 0;
            c.taken = c.taken || v != 0;
            return true;
        }
        if (name == "else") {
            if (m_conds.empty())
                return Fail(path, line, "#else without #if");
            Cond& c = m_conds.back();
            c.active = c.parentActive && !c.taken;
            c.taken = true;
            return true;
        }
        if (name == "endif") {
            if (m_conds.empty())
                return Fail(path, line, "#endif without #if");
            m_conds.pop_back();
            return true;
        }
        if (!Active())
            return true;
        if (name == "include") {
            if (arg.size() < 2 ||
                !((arg.front() == '"' && arg.back() == '"') || (arg.front() == '<' && arg.back() == '>')))
                return Fail(path, line, "#include needs a \"file\"");
            const std::string file = arg.substr(1, arg.size() - 2);
            if (IsPlatformHeader(file))
                return true;
            std::string text;
            for (const std::string& candidate : {NormalizePath(DirOf(path) + file), NormalizePath(file)}) {
                if (!candidate.empty() && m_reader(candidate, text))
                    return Run(candidate, text);
            }
            return Fail(path, line, "cannot find include file " + file);
        }
        if (name == "define") {
            std::size_t k = 0;
            while (k < arg.size() && (std::isalnum(static_cast<unsigned char>(arg[k])) || arg[k] == '_'))
                ++k;
            const std::string macro = arg.substr(0, k);
            if (macro.empty())
                return Fail(path, line, "#define needs a name");
            if (k < arg.size() && arg[k] == '(')
                return Fail(path, line, "macros with arguments are not supported: " + macro);
            std::vector<Token> value;
            if (!Tokenize(path, line, arg.substr(k), value, false))
                return false;
            m_macros[macro] = value;
            return true;
        }
        if (name == "undef") {
            m_macros.erase(arg);
            return true;
        }
        if (name == "pragma")
            return true;
        if (name == "error")
            return Fail(path, line, "#error " + arg);
        return Fail(path, line, "unknown directive #" + name);
    }

    bool EvalCondition(const std::string& path, int line, const std::string& expr, std::int64_t& value)
    {
        // defined(NAME) and defined NAME become 1 or 0; the rest is a number expression.
        std::string text;
        for (std::size_t i = 0; i < expr.size();) {
            if (expr.compare(i, 7, "defined") == 0) {
                i += 7;
                while (i < expr.size() && (expr[i] == ' ' || expr[i] == '('))
                    ++i;
                std::size_t b = i;
                while (i < expr.size() && (std::isalnum(static_cast<unsigned char>(expr[i])) || expr[i] == '_'))
                    ++i;
                text += m_macros.count(expr.substr(b, i - b)) ? " 1 " : " 0 ";
                while (i < expr.size() && expr[i] == ')')
                    ++i;
            } else {
                text += expr[i++];
            }
        }
        std::vector<Token> tokens;
        if (!Tokenize(path, line, text, tokens, true))
            return false;
        // !x and x only: enough for #if 0, #if 1 and #if !defined(X).
        bool negate = false;
        std::size_t i = 0;
        while (i < tokens.size() && tokens[i].type == Token::Punct && tokens[i].text == "!") {
            negate = !negate;
            ++i;
        }
        if (i + 1 != tokens.size() || tokens[i].type != Token::Number)
            return Fail(path, line, "#if supports a number, defined(NAME) and !");
        value = (tokens[i].value != 0) != negate;
        return true;
    }

    bool Tokenize(const std::string& path, int line, const std::string& text, std::vector<Token>& out, bool expand)
    {
        std::size_t i = 0;
        while (i < text.size()) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (std::isspace(c)) {
                ++i;
                continue;
            }
            Token t;
            t.file = path;
            t.line = line;
            if (std::isalpha(c) || c == '_') {
                std::size_t b = i;
                while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                    ++i;
                t.type = Token::Ident;
                t.text = text.substr(b, i - b);
                auto macro = m_macros.find(t.text);
                if (expand && macro != m_macros.end()) {
                    if (++m_expansion > 32)
                        return Fail(path, line, "macro " + t.text + " expands into itself");
                    for (Token m : macro->second) {
                        if (m.type == Token::Ident && m_macros.count(m.text)) {
                            std::vector<Token> sub;
                            if (!Tokenize(path, line, m.text, sub, true))
                                return false;
                            out.insert(out.end(), sub.begin(), sub.end());
                        } else {
                            m.file = path;
                            m.line = line;
                            out.push_back(m);
                        }
                    }
                    --m_expansion;
                    continue;
                }
            } else if (std::isdigit(c)) {
                std::size_t b = i;
                int base = 10;
                if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
                    base = 16;
                    i += 2;
                    b = i;
                }
                std::int64_t v = 0;
                while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]))) {
                    const int d = std::isdigit(static_cast<unsigned char>(text[i]))
                                      ? text[i] - '0'
                                      : std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 10;
                    if (d >= base)
                        return Fail(path, line, "bad number " + text.substr(b, i - b + 1));
                    v = v * base + d;
                    if (v > 0xFFFFFFFFLL)
                        return Fail(path, line, "number too large");
                    ++i;
                }
                if (i == b)
                    return Fail(path, line, "bad number");
                while (i < text.size() && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u'))
                    ++i;
                if (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                    return Fail(path, line, "bad number");
                t.type = Token::Number;
                t.value = v;
            } else if (c == '"') {
                ++i;
                t.type = Token::String;
                bool closed = false;
                while (i < text.size()) {
                    char ch = text[i++];
                    if (ch == '"') {
                        if (i < text.size() && text[i] == '"') {
                            t.text += '"';
                            ++i;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (ch == '\\' && i < text.size()) {
                        const char e = text[i++];
                        switch (e) {
                        case 'n':
                            t.text += '\n';
                            break;
                        case 't':
                            t.text += '\t';
                            break;
                        case 'r':
                            t.text += '\r';
                            break;
                        case 'a':
                            t.text += '\a';
                            break;
                        case '\\':
                            t.text += '\\';
                            break;
                        case '"':
                            t.text += '"';
                            break;
                        case 'x': {
                            int v = 0;
                            int digits = 0;
                            while (i < text.size() && digits < 2 &&
                                   std::isxdigit(static_cast<unsigned char>(text[i]))) {
                                v = v * 16 + (std::isdigit(static_cast<unsigned char>(text[i]))
                                                  ? text[i] - '0'
                                                  : std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 10);
                                ++i;
                                ++digits;
                            }
                            t.text += static_cast<char>(v);
                            break;
                        }
                        default:
                            if (e >= '0' && e <= '7') {
                                int v = e - '0';
                                int digits = 1;
                                while (i < text.size() && digits < 3 && text[i] >= '0' && text[i] <= '7') {
                                    v = v * 8 + (text[i++] - '0');
                                    ++digits;
                                }
                                t.text += static_cast<char>(v);
                            } else {
                                t.text += e;
                            }
                        }
                        continue;
                    }
                    t.text += ch;
                }
                if (!closed)
                    return Fail(path, line, "string not closed");
            } else if (std::string(",|&()-+~{}*/!").find(static_cast<char>(c)) != std::string::npos) {
                t.type = Token::Punct;
                t.text = std::string(1, static_cast<char>(c));
                ++i;
            } else {
                return Fail(path, line, std::string("unexpected character '") + static_cast<char>(c) + "'");
            }
            out.push_back(t);
        }
        return true;
    }

    const ResourceScriptParser::FileReader& m_reader;
    std::vector<std::string>& m_errors;
    std::map<std::string, std::vector<Token>> m_macros;
    std::vector<Cond> m_conds;
    std::vector<Token> m_tokens;
    int m_depth = 0;
    int m_expansion = 0;
};

class ScriptParser
{
public:
    ScriptParser(std::vector<Token>& tokens, ResourceScript& out, const std::string& path)
        : m_tokens(tokens), m_out(out), m_path(path)
    {
        Token end;
        end.type = Token::End;
        end.file = path;
        end.line = tokens.empty() ? 0 : tokens.back().line;
        m_tokens.push_back(end);
    }

    void Run()
    {
        while (Peek().type != Token::End) {
            if (!Resource())
                return;
        }
        AttachInitialItems();
    }

private:
    struct InitialItem
    {
        UINT dialog;
        int control;
        std::string text;
        std::string file;
        int line;
    };

    const Token& Peek(std::size_t ahead = 0) const { return m_tokens[std::min(m_pos + ahead, m_tokens.size() - 1)]; }
    const Token& Next()
    {
        const Token& t = Peek();
        if (m_pos < m_tokens.size() - 1)
            ++m_pos;
        return t;
    }
    bool IsWord(const Token& t, const char* word) const { return t.type == Token::Ident && Upper(t.text) == word; }
    bool IsPunct(const Token& t, const char* p) const { return t.type == Token::Punct && t.text == p; }

    bool Fail(const Token& at, const std::string& msg)
    {
        m_out.errors.push_back(at.file + ":" + std::to_string(at.line) + ": " + msg);
        return false;
    }
    bool Fail(const std::string& msg) { return Fail(Peek(), msg); }

    bool Comma()
    {
        if (!IsPunct(Peek(), ","))
            return Fail("expected ','");
        Next();
        return true;
    }
    bool Begin()
    {
        if (IsWord(Peek(), "BEGIN") || IsPunct(Peek(), "{")) {
            Next();
            return true;
        }
        return Fail("expected BEGIN");
    }
    bool AtEnd() const { return IsWord(Peek(), "END") || IsPunct(Peek(), "}"); }

    // Expressions.
    std::optional<std::int64_t> Primary()
    {
        const Token t = Next();
        if (t.type == Token::Number)
            return t.value;
        if (IsPunct(t, "-")) {
            auto v = Primary();
            return v ? std::optional<std::int64_t>(-*v) : std::nullopt;
        }
        if (IsPunct(t, "~")) {
            auto v = Primary();
            return v ? std::optional<std::int64_t>(~*v & 0xFFFFFFFFLL) : std::nullopt;
        }
        if (IsPunct(t, "(")) {
            auto v = Expr();
            if (!v)
                return std::nullopt;
            if (!IsPunct(Peek(), ")")) {
                Fail("expected ')'");
                return std::nullopt;
            }
            Next();
            return v;
        }
        if (t.type == Token::Ident) {
            auto s = BuiltinSymbols().find(t.text);
            if (s != BuiltinSymbols().end())
                return s->second;
            Fail(t, "unknown name " + t.text);
            return std::nullopt;
        }
        Fail(t, "expected a number");
        return std::nullopt;
    }
    // Binary operators by precedence, loosest first.
    std::optional<std::int64_t> Binary(std::size_t level)
    {
        static const std::vector<std::vector<std::string>> levels = {{"|"}, {"&"}, {"+", "-"}, {"*", "/"}};
        if (level == levels.size())
            return Primary();
        auto v = Binary(level + 1);
        while (v) {
            const auto& ops = levels[level];
            const auto op =
                std::find_if(ops.begin(), ops.end(), [&](const std::string& o) { return IsPunct(Peek(), o.c_str()); });
            if (op == ops.end())
                break;
            Next();
            const auto r = Binary(level + 1);
            if (!r)
                return std::nullopt;
            if (*op == "/" && *r == 0) {
                Fail("division by zero");
                return std::nullopt;
            }
            switch ((*op)[0]) {
            case '|':
                v = *v | *r;
                break;
            case '&':
                v = *v & *r;
                break;
            case '+':
                v = *v + *r;
                break;
            case '-':
                v = *v - *r;
                break;
            case '*':
                v = *v * *r;
                break;
            default:
                v = *v / *r;
                break;
            }
        }
        return v;
    }
    std::optional<std::int64_t> AndExpr() { return Binary(1); }
    std::optional<std::int64_t> Expr() { return Binary(0); }
    bool Int(int& out)
    {
        auto v = Expr();
        if (!v)
            return false;
        out = static_cast<int>(*v);
        return true;
    }
    bool Id(UINT& out)
    {
        const Token at = Peek();
        auto v = Expr();
        if (!v)
            return false;
        if (*v < 1 || *v > 0xFFFF)
            return Fail(at, "resource id out of range: " + std::to_string(*v));
        out = static_cast<UINT>(*v);
        return true;
    }
    // A style: terms joined by |, a term after NOT clears its bits. A kind
    // given in the bits of typeMask replaces the statement's default kind.
    bool Style(DWORD& style, DWORD typeMask = 0)
    {
        bool typeGiven = false;
        for (;;) {
            bool clear = false;
            if (IsWord(Peek(), "NOT")) {
                Next();
                clear = true;
            }
            auto v = AndExpr();
            if (!v)
                return false;
            const DWORD bits = static_cast<DWORD>(*v);
            if (!clear && (bits & typeMask) && !typeGiven) {
                style &= ~typeMask;
                typeGiven = true;
            }
            style = clear ? (style & ~bits) : (style | bits);
            if (!IsPunct(Peek(), "|"))
                return true;
            Next();
        }
    }

    static DWORD TypeMaskOf(const std::string& className)
    {
        if (className == WC_BUTTON)
            return BS_TYPEMASK;
        if (className == WC_STATIC)
            return SS_TYPEMASK;
        if (className == WC_COMBOBOX)
            return 0x3;
        return 0;
    }
    bool String(std::string& out)
    {
        if (Peek().type != Token::String)
            return Fail("expected a \"text\"");
        out = Next().text;
        return true;
    }

    bool Resource()
    {
        const Token start = Peek();
        if (IsWord(start, "STRINGTABLE"))
            return StringTable();
        if (IsWord(start, "LANGUAGE")) {
            Next();
            int a = 0;
            int b = 0;
            return Int(a) && Comma() && Int(b);
        }
        UINT id = 0;
        if (!Id(id))
            return false;
        const Token type = Next();
        const std::string kind = type.type == Token::Ident ? Upper(type.text) : std::string();
        if (kind == "DIALOG" || kind == "DIALOGEX")
            return Dialog(id, kind == "DIALOGEX", start);
        if (kind == "MENU")
            return Menu(id, start);
        if (kind == "DLGINIT")
            return DlgInit(id);
        if (kind == "ICON" || kind == "BITMAP" || kind == "CURSOR") {
            SkipMemoryOptions();
            ResourceFileRef ref;
            ref.type = kind == "ICON" ? ResourceFileType::Icon
                                      : (kind == "BITMAP" ? ResourceFileType::Bitmap : ResourceFileType::Cursor);
            ref.id = id;
            ref.file = start.file;
            ref.line = start.line;
            std::string name;
            if (!String(name))
                return false;
            ref.path = NormalizePath(DirOf(start.file) + name);
            if (ref.path.empty())
                return Fail(start, "file outside the resources folder: " + name);
            m_out.files.push_back(ref);
            return true;
        }
        return Fail(type, "unsupported resource type " + type.text);
    }

    void SkipMemoryOptions()
    {
        static const std::set<std::string> options = {"DISCARDABLE", "PRELOAD", "LOADONCALL", "MOVEABLE", "FIXED",
                                                      "PURE",        "IMPURE",  "SHARED",     "NONSHARED"};
        while (Peek().type == Token::Ident && options.count(Upper(Peek().text)))
            Next();
    }

    bool StringTable()
    {
        Next();
        SkipMemoryOptions();
        if (!Begin())
            return false;
        while (!AtEnd()) {
            if (Peek().type == Token::End)
                return Fail("STRINGTABLE without END");
            UINT id = 0;
            if (!Id(id))
                return false;
            if (IsPunct(Peek(), ","))
                Next();
            std::string text;
            if (!String(text))
                return false;
            if (!m_out.strings.emplace(id, text).second)
                return Fail("string " + std::to_string(id) + " defined twice");
        }
        Next();
        return true;
    }

    bool Dialog(UINT id, bool extended, const Token& start)
    {
        DialogTemplate d;
        d.id = id;
        d.extended = extended;
        d.file = start.file;
        d.line = start.line;
        SkipMemoryOptions();
        if (!Int(d.x) || !Comma() || !Int(d.y) || !Comma() || !Int(d.cx) || !Comma() || !Int(d.cy))
            return false;
        if (extended && IsPunct(Peek(), ",")) {
            Next();
            int help = 0;
            if (!Int(help))
                return false;
        }
        d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        bool styleGiven = false;
        while (!IsWord(Peek(), "BEGIN") && !IsPunct(Peek(), "{")) {
            const Token opt = Next();
            const std::string name = opt.type == Token::Ident ? Upper(opt.text) : std::string();
            if (name == "STYLE") {
                DWORD style = 0;
                if (!Style(style))
                    return false;
                d.style = style;
                styleGiven = true;
            } else if (name == "EXSTYLE") {
                if (!Style(d.exStyle))
                    return false;
            } else if (name == "CAPTION") {
                if (!String(d.caption))
                    return false;
                if (!styleGiven)
                    d.style |= WS_CAPTION;
            } else if (name == "FONT") {
                if (!Int(d.fontPointSize) || !Comma() || !String(d.fontFace))
                    return false;
                if (extended && IsPunct(Peek(), ",")) {
                    Next();
                    int italic = 0;
                    if (!Int(d.fontWeight) || !Comma() || !Int(italic))
                        return false;
                    d.fontItalic = italic != 0;
                    if (IsPunct(Peek(), ",")) {
                        Next();
                        int charset = 0;
                        if (!Int(charset))
                            return false;
                    }
                }
            } else if (name == "MENU") {
                if (!Id(d.menuId))
                    return false;
            } else if (name == "CLASS") {
                std::string ignored;
                if (!String(ignored))
                    return false;
            } else if (name == "LANGUAGE") {
                int a = 0;
                int b = 0;
                if (!Int(a) || !Comma() || !Int(b))
                    return false;
            } else if (name == "CHARACTERISTICS" || name == "VERSION") {
                int ignored = 0;
                if (!Int(ignored))
                    return false;
            } else {
                return Fail(opt, "unexpected " + (opt.text.empty() ? std::string("end of file") : opt.text) +
                                     " in the dialog header");
            }
        }
        Next();
        while (!AtEnd()) {
            if (Peek().type == Token::End)
                return Fail("dialog without END");
            DialogItemTemplate item;
            if (!Control(item))
                return false;
            d.controls.push_back(std::move(item));
        }
        Next();
        m_out.dialogs.push_back(std::move(d));
        return true;
    }

    struct Statement
    {
        const char* name;
        const char* className;
        DWORD style;
        bool hasText;
    };

    static const Statement* FindStatement(const std::string& name)
    {
        static const Statement statements[] = {
            {"LTEXT", WC_STATIC, SS_LEFT | WS_GROUP, true},
            {"RTEXT", WC_STATIC, SS_RIGHT | WS_GROUP, true},
            {"CTEXT", WC_STATIC, SS_CENTER | WS_GROUP, true},
            {"PUSHBUTTON", WC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, true},
            {"DEFPUSHBUTTON", WC_BUTTON, BS_DEFPUSHBUTTON | WS_TABSTOP, true},
            {"GROUPBOX", WC_BUTTON, BS_GROUPBOX, true},
            {"CHECKBOX", WC_BUTTON, BS_CHECKBOX | WS_TABSTOP, true},
            {"AUTOCHECKBOX", WC_BUTTON, BS_AUTOCHECKBOX | WS_TABSTOP, true},
            {"STATE3", WC_BUTTON, BS_3STATE | WS_TABSTOP, true},
            {"AUTO3STATE", WC_BUTTON, BS_AUTO3STATE | WS_TABSTOP, true},
            {"RADIOBUTTON", WC_BUTTON, BS_RADIOBUTTON, true},
            {"AUTORADIOBUTTON", WC_BUTTON, BS_AUTORADIOBUTTON, true},
            {"EDITTEXT", WC_EDIT, ES_LEFT | WS_BORDER | WS_TABSTOP, false},
            {"COMBOBOX", WC_COMBOBOX, CBS_SIMPLE | WS_TABSTOP, false},
            {"LISTBOX", WC_LISTBOX, LBS_NOTIFY | WS_BORDER, false},
        };
        for (const auto& s : statements) {
            if (name == s.name)
                return &s;
        }
        return nullptr;
    }

    // The class names a CONTROL statement may give, spelled as scripts spell them.
    static std::string CanonicalClass(const std::string& name)
    {
        static const char* const classes[] = {WC_BUTTON,  WC_EDIT,     WC_STATIC,    WC_COMBOBOX,
                                              WC_LISTBOX, WC_LISTVIEW, WC_IPADDRESS, PROGRESS_CLASS};
        for (const char* c : classes) {
            if (Upper(name) == Upper(c))
                return c;
        }
        return {};
    }

    // The text of a control: a string, or a resource number (icons, bitmaps).
    bool ControlText(std::string& text)
    {
        if (Peek().type == Token::String)
            return String(text);
        int v = 0;
        if (!Int(v))
            return false;
        text = std::to_string(v);
        return true;
    }

    bool Rect(DialogItemTemplate& item)
    {
        return Int(item.x) && Comma() && Int(item.y) && Comma() && Int(item.cx) && Comma() && Int(item.cy);
    }

    bool OptionalStyles(DialogItemTemplate& item)
    {
        if (IsPunct(Peek(), ",")) {
            Next();
            if (!Style(item.style, TypeMaskOf(item.className)))
                return false;
            if (IsPunct(Peek(), ",")) {
                Next();
                if (!Style(item.exStyle))
                    return false;
            }
        }
        return true;
    }

    bool Control(DialogItemTemplate& item)
    {
        const Token start = Next();
        item.line = start.line;
        if (start.type != Token::Ident)
            return Fail(start, "expected a control statement");
        item.statement = Upper(start.text);
        if (item.statement == "CONTROL") {
            std::string cls;
            if (!ControlText(item.text) || !Comma() || !Int(item.id) || !Comma())
                return false;
            const Token clsAt = Peek();
            if (Peek().type == Token::String)
                cls = Next().text;
            else if (Peek().type == Token::Ident)
                cls = Next().text;
            item.className = CanonicalClass(cls);
            if (item.className.empty())
                return Fail(clsAt, "unsupported control class \"" + cls + "\"");
            item.style = WS_CHILD | WS_VISIBLE;
            if (!Comma() || !Style(item.style) || !Comma() || !Rect(item))
                return false;
            if (IsPunct(Peek(), ",")) {
                Next();
                if (!Style(item.exStyle))
                    return false;
            }
            return true;
        }
        if (item.statement == "ICON") {
            item.className = WC_STATIC;
            item.style = WS_CHILD | WS_VISIBLE | SS_ICON;
            if (!ControlText(item.text) || !Comma() || !Int(item.id) || !Comma() || !Int(item.x) || !Comma() ||
                !Int(item.y))
                return false;
            if (IsPunct(Peek(), ",")) {
                Next();
                if (!Int(item.cx) || !Comma() || !Int(item.cy))
                    return false;
                return OptionalStyles(item);
            }
            return true;
        }
        const Statement* s = FindStatement(item.statement);
        if (!s)
            return Fail(start, "unsupported control statement " + start.text);
        item.className = s->className;
        item.style = WS_CHILD | WS_VISIBLE | s->style;
        if (s->hasText && (!ControlText(item.text) || !Comma()))
            return false;
        return Int(item.id) && Comma() && Rect(item) && OptionalStyles(item);
    }

    bool MenuItems(std::vector<MenuItemTemplate>& items)
    {
        if (!Begin())
            return false;
        while (!AtEnd()) {
            const Token t = Next();
            MenuItemTemplate item;
            if (IsWord(t, "MENUITEM")) {
                if (IsWord(Peek(), "SEPARATOR")) {
                    Next();
                    item.separator = true;
                    items.push_back(item);
                    continue;
                }
                int id = 0;
                if (!String(item.text) || !Comma() || !Int(id))
                    return false;
                item.id = static_cast<UINT>(id);
                if (!MenuOptions(item))
                    return false;
            } else if (IsWord(t, "POPUP")) {
                item.popup = true;
                if (!String(item.text) || !MenuOptions(item) || !MenuItems(item.items))
                    return false;
            } else {
                return Fail(t, t.type == Token::End ? "menu without END" : "expected MENUITEM or POPUP");
            }
            items.push_back(std::move(item));
        }
        Next();
        return true;
    }

    bool MenuOptions(MenuItemTemplate& item)
    {
        for (;;) {
            if (IsPunct(Peek(), ","))
                Next();
            const std::string w = Peek().type == Token::Ident ? Upper(Peek().text) : std::string();
            if (w == "CHECKED")
                item.checked = true;
            else if (w == "GRAYED")
                item.grayed = true;
            else if (w == "INACTIVE")
                item.inactive = true;
            else if (w == "HELP")
                item.help = true;
            else if (w == "MENUBREAK")
                item.menuBreak = true;
            else if (w == "MENUBARBREAK")
                item.menuBarBreak = true;
            else
                return true;
            Next();
        }
    }

    bool Menu(UINT id, const Token& start)
    {
        MenuTemplate menu;
        menu.id = id;
        menu.file = start.file;
        menu.line = start.line;
        SkipMemoryOptions();
        if (!MenuItems(menu.items))
            return false;
        m_out.menus.push_back(std::move(menu));
        return true;
    }

    // Data words and strings make up the bytes of each entry.
    bool DlgInit(UINT dialog)
    {
        SkipMemoryOptions();
        if (!Begin())
            return false;
        while (!AtEnd()) {
            const Token at = Peek();
            int control = 0;
            if (!Int(control))
                return false;
            if (control == 0) {
                if (IsPunct(Peek(), ","))
                    Next();
                continue;
            }
            int message = 0;
            int length = 0;
            int zero = 0;
            if (!Comma() || !Int(message) || !Comma() || !Int(length) || !Comma() || !Int(zero))
                return false;
            // The initial items' messages in their old numbering (0x403, 0x401) or the current one.
            if (message != 0x403 && message != 0x401 && message != static_cast<int>(CB_ADDSTRING) &&
                message != static_cast<int>(LB_ADDSTRING))
                return Fail(at, "DLGINIT supports only combo box (0x403) and list box (0x401) items");
            std::string bytes;
            while (static_cast<int>(bytes.size()) < length) {
                if (!Comma())
                    return false;
                if (Peek().type == Token::String) {
                    bytes += Next().text;
                } else {
                    int word = 0;
                    if (!Int(word))
                        return false;
                    bytes += static_cast<char>(word & 0xFF);
                    bytes += static_cast<char>((word >> 8) & 0xFF);
                }
            }
            if (IsPunct(Peek(), ","))
                Next();
            const auto nul = bytes.find('\0');
            m_items.push_back(
                {dialog, control, nul == std::string::npos ? bytes : bytes.substr(0, nul), at.file, at.line});
        }
        Next();
        return true;
    }

    void AttachInitialItems()
    {
        for (const auto& item : m_items) {
            DialogItemTemplate* target = nullptr;
            for (auto& d : m_out.dialogs) {
                if (d.id != item.dialog)
                    continue;
                for (auto& c : d.controls) {
                    if (c.id == item.control)
                        target = &c;
                }
            }
            if (!target || (target->className != WC_COMBOBOX && target->className != WC_LISTBOX)) {
                m_out.errors.push_back(item.file + ":" + std::to_string(item.line) +
                                       ": DLGINIT names no combo or list box " + std::to_string(item.control) +
                                       " of dialog " + std::to_string(item.dialog));
                return;
            }
            target->initialItems.push_back(item.text);
        }
    }

    std::vector<Token>& m_tokens;
    ResourceScript& m_out;
    std::string m_path;
    std::size_t m_pos = 0;
    std::vector<InitialItem> m_items;
};

} // namespace

ResourceScriptParser::ResourceScriptParser(FileReader reader) : m_reader(std::move(reader)) {}

ResourceScript ResourceScriptParser::Parse(const std::string& path) const
{
    std::string text;
    if (!m_reader(path, text)) {
        ResourceScript script;
        script.errors.push_back(path + ":0: cannot read the script");
        return script;
    }
    return ParseText(path, text);
}

ResourceScript ResourceScriptParser::ParseText(const std::string& path, const std::string& text) const
{
    ResourceScript script;
    Preprocessor pre(m_reader, script.errors);
    if (!pre.Run(path, text))
        return script;
    ScriptParser parser(pre.Tokens(), script, path);
    parser.Run();
    return script;
}
