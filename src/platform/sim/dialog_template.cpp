// A small reader for the DIALOGEX templates of a resource script: the subset
// the DLL's script uses (CONTROL statements, style expressions with "|" and
// NOT, #define'd ids), so the simulated dialogs are built from the very
// templates that ship.
#include "platform/sim/inspect.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#ifndef TG_RESOURCE_SCRIPT
#error "TG_RESOURCE_SCRIPT must name the shipped resource script"
#endif

namespace tg::platform::sim {
namespace {

// The names of <windows.h> and <commctrl.h> that the templates may use.
const std::map<std::string, long>& knownNames() {
    static const std::map<std::string, long> names = {
        {"WS_OVERLAPPED", 0x00000000L},
        {"WS_POPUP", static_cast<long>(0x80000000UL)},
        {"WS_CHILD", 0x40000000L},
        {"WS_MINIMIZE", 0x20000000L},
        {"WS_VISIBLE", 0x10000000L},
        {"WS_DISABLED", 0x08000000L},
        {"WS_CLIPSIBLINGS", 0x04000000L},
        {"WS_CLIPCHILDREN", 0x02000000L},
        {"WS_CAPTION", 0x00C00000L},
        {"WS_BORDER", 0x00800000L},
        {"WS_DLGFRAME", 0x00400000L},
        {"WS_VSCROLL", 0x00200000L},
        {"WS_HSCROLL", 0x00100000L},
        {"WS_SYSMENU", 0x00080000L},
        {"WS_THICKFRAME", 0x00040000L},
        {"WS_GROUP", 0x00020000L},
        {"WS_TABSTOP", 0x00010000L},
        {"WS_EX_NOPARENTNOTIFY", 0x00000004L},
        {"WS_EX_CLIENTEDGE", 0x00000200L},
        {"DS_SETFONT", 0x40L},
        {"DS_MODALFRAME", 0x80L},
        {"DS_FIXEDSYS", 0x0008L},
        {"DS_CENTER", 0x0800L},
        {"DS_SHELLFONT", 0x48L},
        {"ES_LEFT", 0x0000L},
        {"ES_CENTER", 0x0001L},
        {"ES_RIGHT", 0x0002L},
        {"ES_MULTILINE", 0x0004L},
        {"ES_AUTOVSCROLL", 0x0040L},
        {"ES_AUTOHSCROLL", 0x0080L},
        {"ES_READONLY", 0x0800L},
        {"ES_NUMBER", 0x2000L},
        {"SS_LEFT", 0x0000L},
        {"SS_CENTER", 0x0001L},
        {"SS_RIGHT", 0x0002L},
        {"SS_LEFTNOWORDWRAP", 0x000CL},
        {"SS_NOPREFIX", 0x0080L},
        {"BS_PUSHBUTTON", 0x0000L},
        {"BS_DEFPUSHBUTTON", 0x0001L},
        {"BS_CHECKBOX", 0x0002L},
        {"BS_AUTOCHECKBOX", 0x0003L},
        {"BS_GROUPBOX", 0x0007L},
        {"BS_NOTIFY", 0x4000L},
        {"LBS_NOTIFY", 0x0001L},
        {"LBS_SORT", 0x0002L},
        {"LBS_NOINTEGRALHEIGHT", 0x0100L},
        {"LBS_HASSTRINGS", 0x0040L},
        {"CBS_SIMPLE", 0x0001L},
        {"CBS_DROPDOWN", 0x0002L},
        {"CBS_DROPDOWNLIST", 0x0003L},
        {"CBS_AUTOHSCROLL", 0x0040L},
        {"CBS_SORT", 0x0100L},
        {"CBS_HASSTRINGS", 0x0200L},
        {"UDS_WRAP", 0x0001L},
        {"UDS_SETBUDDYINT", 0x0002L},
        {"UDS_ALIGNRIGHT", 0x0004L},
        {"UDS_ALIGNLEFT", 0x0008L},
        {"UDS_AUTOBUDDY", 0x0010L},
        {"UDS_ARROWKEYS", 0x0020L},
        {"UDS_HORZ", 0x0040L},
        {"UDS_NOTHOUSANDS", 0x0080L},
        {"IDOK", 1L},
        {"IDCANCEL", 2L},
    };
    return names;
}

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class TokenKind { Name, Number, Text, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    long number = 0;
    int line = 0;
};

class Lexer {
public:
    Lexer(const std::string& text, std::map<std::string, std::string>& defines,
          std::string directory)
        : text_(text), defines_(defines), directory_(std::move(directory)) {}

    std::vector<Token> tokens() {
        std::vector<Token> out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
                atLineStart_ = true;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '/' && next() == '/') {
                skipLine();
            } else if (c == '/' && next() == '*') {
                skipComment();
            } else if (c == '#' && atLineStart_) {
                directive();
            } else {
                atLineStart_ = false;
                out.push_back(token());
            }
        }
        out.push_back({TokenKind::End, "", 0, line_});
        return out;
    }

private:
    char next() const { return pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0'; }

    void skipLine() {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    }

    void skipComment() {
        pos_ += 2;
        while (pos_ + 1 < text_.size() && !(text_[pos_] == '*' && text_[pos_ + 1] == '/')) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
        if (pos_ + 1 >= text_.size()) fail("comment never ends");
        pos_ += 2;
    }

    std::string restOfLine() {
        const std::size_t start = pos_;
        skipLine();
        std::string rest = text_.substr(start, pos_ - start);
        if (const auto comment = rest.find("//"); comment != std::string::npos) rest.erase(comment);
        while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back())))
            rest.pop_back();
        return rest;
    }

    void directive() {
        ++pos_;
        std::istringstream words(restOfLine());
        std::string keyword;
        words >> keyword;
        if (keyword == "define") {
            std::string name, value;
            words >> name;
            std::getline(words, value);
            const auto first = value.find_first_not_of(" \t");
            defines_[name] = first == std::string::npos ? "" : value.substr(first);
        } else if (keyword == "include") {
            std::string target;
            words >> target;
            if (target.size() > 2 && target.front() == '"' && target.back() == '"')
                include(target.substr(1, target.size() - 2));
            else if (target.empty() || target.front() != '<')
                fail("unreadable #include");
        } else if (keyword != "pragma" && keyword != "ifndef" && keyword != "endif" &&
                   keyword != "ifdef") {
            fail("unsupported directive #" + keyword);
        }
    }

    // Only the #defines of an included header count; its tokens do not.
    void include(const std::string& name) {
        std::ifstream in(directory_ + "/" + name);
        if (!in) fail("cannot open included file \"" + name + "\"");
        std::stringstream content;
        content << in.rdbuf();
        const std::string text = content.str();
        Lexer header(text, defines_, directory_);
        header.tokens();
    }

    Token token() {
        Token t;
        t.line = line_;
        const char c = text_[pos_];
        if (c == '"') {
            t.kind = TokenKind::Text;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == '\n') fail("text never ends");
                const char d = text_[pos_++];
                if (d == '"') {
                    if (pos_ < text_.size() && text_[pos_] == '"') {
                        t.text.push_back('"');
                        ++pos_;
                        continue;
                    }
                    break;
                }
                if (d == '\\' && pos_ < text_.size()) {
                    const char e = text_[pos_++];
                    t.text.push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e);
                    continue;
                }
                t.text.push_back(d);
            }
            return t;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            t.kind = TokenKind::Number;
            std::size_t used = 0;
            const unsigned long value = std::stoul(text_.substr(pos_, 24), &used, 0);
            t.number = static_cast<long>(value);
            pos_ += used;
            while (pos_ < text_.size() && (text_[pos_] == 'L' || text_[pos_] == 'l' ||
                                           text_[pos_] == 'U' || text_[pos_] == 'u'))
                ++pos_;
            return t;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            t.kind = TokenKind::Name;
            while (pos_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
                t.text.push_back(text_[pos_++]);
            return t;
        }
        if (std::string(",|()-{}").find(c) != std::string::npos) {
            t.kind = TokenKind::Symbol;
            t.text = std::string(1, c);
            ++pos_;
            return t;
        }
        fail(std::string("unexpected character '") + c + "'");
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw ParseError("line " + std::to_string(line_) + ": " + what);
    }

    const std::string& text_;
    std::map<std::string, std::string>& defines_;
    std::string directory_;
    std::size_t pos_ = 0;
    int line_ = 1;
    bool atLineStart_ = true;
};

class Parser {
public:
    Parser(std::vector<Token> tokens, const std::map<std::string, std::string>& defines)
        : tokens_(std::move(tokens)), defines_(defines) {}

    std::vector<DialogTemplate> dialogs() {
        std::vector<DialogTemplate> out;
        while (peek().kind != TokenKind::End) {
            if (isName("LANGUAGE")) {
                take();
                expression();
                expect(",");
                expression();
                continue;
            }
            out.push_back(dialog());
        }
        return out;
    }

private:
    const Token& peek() const { return tokens_[index_]; }
    Token take() {
        Token t = tokens_[index_];
        if (t.kind != TokenKind::End) ++index_;
        return t;
    }
    bool isName(const char* name) const {
        return peek().kind == TokenKind::Name && peek().text == name;
    }
    bool isSymbol(const char* symbol) const {
        return peek().kind == TokenKind::Symbol && peek().text == symbol;
    }
    void expect(const char* symbol) {
        if (!isSymbol(symbol)) fail(std::string("'") + symbol + "' expected");
        take();
    }
    std::string text() {
        if (peek().kind != TokenKind::Text) fail("quoted text expected");
        return take().text;
    }

    // term ('|' term)*, where a term is a number, a known or #defined name, a
    // parenthesised expression, -term, or NOT term (which clears its bits).
    long expression(int depth = 0) {
        if (depth > 16) fail("names defined in terms of themselves");
        long value = 0;
        long cleared = 0;
        for (;;) {
            bool negate = false;
            if (isName("NOT")) {
                take();
                negate = true;
            }
            const long term = this->term(depth);
            if (negate)
                cleared |= term;
            else
                value |= term;
            if (!isSymbol("|")) break;
            take();
        }
        return value & ~cleared;
    }

    long term(int depth) {
        if (isSymbol("-")) {
            take();
            return -term(depth);
        }
        if (isSymbol("(")) {
            take();
            const long value = expression(depth);
            expect(")");
            return value;
        }
        if (peek().kind == TokenKind::Number) return take().number;
        if (peek().kind == TokenKind::Name) {
            const Token name = take();
            if (auto known = knownNames().find(name.text); known != knownNames().end())
                return known->second;
            if (auto defined = defines_.find(name.text); defined != defines_.end()) {
                Lexer lexer(defined->second, scratch_, ".");
                Parser inner(lexer.tokens(), defines_);
                const long value = inner.expression(depth + 1);
                if (inner.peek().kind != TokenKind::End)
                    fail("#define " + name.text + " is not a number");
                return value;
            }
            fail("unknown name " + name.text);
        }
        fail("number or name expected");
    }

    int number() { return static_cast<int>(expression()); }

    DialogTemplate dialog() {
        DialogTemplate d;
        d.id = number();
        if (!isName("DIALOGEX")) fail("DIALOGEX expected");
        take();
        d.x = number();
        expect(",");
        d.y = number();
        expect(",");
        d.cx = number();
        expect(",");
        d.cy = number();
        for (;;) {
            if (isName("STYLE")) {
                take();
                d.style = static_cast<DWORD>(expression());
            } else if (isName("EXSTYLE")) {
                take();
                d.exStyle = static_cast<DWORD>(expression());
            } else if (isName("CAPTION")) {
                take();
                d.caption = text();
            } else if (isName("FONT")) {
                take();
                d.fontSize = number();
                expect(",");
                d.fontName = text();
                while (isSymbol(",")) {
                    take();
                    expression(); // weight, italic, character set
                }
            } else {
                break;
            }
        }
        if (isName("BEGIN") || isSymbol("{"))
            take();
        else
            fail("BEGIN expected");
        while (!isName("END") && !isSymbol("}")) {
            if (peek().kind == TokenKind::End) fail("END expected");
            d.controls.push_back(control());
        }
        take();
        return d;
    }

    ControlTemplate control() {
        if (!isName("CONTROL")) fail("only CONTROL statements are supported, not " + peek().text);
        take();
        ControlTemplate c;
        c.text = text();
        expect(",");
        c.id = static_cast<int>(static_cast<short>(number()));
        expect(",");
        if (peek().kind == TokenKind::Text)
            c.className = take().text;
        else if (peek().kind == TokenKind::Name)
            c.className = take().text;
        else
            fail("class name expected");
        expect(",");
        // CONTROL statements are child windows, shown unless NOT says otherwise.
        c.style = static_cast<DWORD>(expression());
        expect(",");
        c.x = number();
        expect(",");
        c.y = number();
        expect(",");
        c.cx = number();
        expect(",");
        c.cy = number();
        if (isSymbol(",")) {
            take();
            c.exStyle = static_cast<DWORD>(expression());
        }
        return c;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw ParseError("line " + std::to_string(peek().line) + ": " + what);
    }

    std::vector<Token> tokens_;
    const std::map<std::string, std::string>& defines_;
    std::map<std::string, std::string> scratch_;
    std::size_t index_ = 0;
};

} // namespace

ResourceScript parseResourceScript(const std::string& text, const std::string& directory) {
    ResourceScript script;
    try {
        std::map<std::string, std::string> defines;
        Lexer lexer(text, defines, directory);
        std::vector<Token> tokens = lexer.tokens();
        Parser parser(std::move(tokens), defines);
        script.dialogs = parser.dialogs();
    } catch (const std::exception& error) {
        script.dialogs.clear();
        script.error = error.what();
    }
    return script;
}

const ResourceScript& shippedResources() {
    static const ResourceScript script = [] {
        const std::string path = TG_RESOURCE_SCRIPT;
        std::ifstream in(path);
        if (!in) {
            ResourceScript missing;
            missing.error = "cannot open " + path;
            return missing;
        }
        std::stringstream content;
        content << in.rdbuf();
        const auto slash = path.find_last_of('/');
        return parseResourceScript(content.str(),
                                   slash == std::string::npos ? "." : path.substr(0, slash));
    }();
    return script;
}

const DialogTemplate* findDialogTemplate(int templateId) {
    for (const DialogTemplate& d : shippedResources().dialogs)
        if (d.id == templateId) return &d;
    return nullptr;
}

} // namespace tg::platform::sim
