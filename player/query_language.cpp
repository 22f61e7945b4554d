#include "player/query_language.h"

#include "player/text_fold.h"

namespace tg::player {

namespace {

enum class TokenKind { End, Open, Close, Not, And, Or, Operator, Quoted, Word };

struct Token {
    TokenKind kind = TokenKind::End;
    QueryOperator op = QueryOperator::Equal;
    std::string_view text;
    std::size_t offset = 0;
    bool bareWord = false; // a run of word characters, keyword or not
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The percent escapes of a quoted value decoded.
std::string unescapeQuoted(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                   hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool endsWord(char c) {
    return isSpace(c) || c == '(' || c == ')' || c == '"' || c == '!' || c == '<' || c == '>' ||
           c == '=' || c == '&' || c == '|';
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    // False with an error for a text that no token starts.
    bool next(Token& token, std::string& error) {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
        token = Token{};
        token.offset = pos_;
        if (pos_ >= text_.size()) return true;
        const char c = text_[pos_];
        const char d = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        auto take = [&](TokenKind kind, std::size_t length) {
            token.kind = kind;
            token.text = text_.substr(pos_, length);
            pos_ += length;
            return true;
        };
        auto takeOperator = [&](QueryOperator op, std::size_t length) {
            token.op = op;
            return take(TokenKind::Operator, length);
        };
        switch (c) {
        case '(': return take(TokenKind::Open, 1);
        case ')': return take(TokenKind::Close, 1);
        case '!':
            return d == '=' ? takeOperator(QueryOperator::NotEqual, 2) : take(TokenKind::Not, 1);
        case '=': return takeOperator(QueryOperator::Equal, d == '=' ? 2 : 1);
        case '<':
            return d == '=' ? takeOperator(QueryOperator::LessEqual, 2)
                            : takeOperator(QueryOperator::Less, 1);
        case '>':
            return d == '=' ? takeOperator(QueryOperator::GreaterEqual, 2)
                            : takeOperator(QueryOperator::Greater, 1);
        case '&':
            if (d == '&') return take(TokenKind::And, 2);
            break;
        case '|':
            if (d == '|') return take(TokenKind::Or, 2);
            break;
        case '"': {
            const std::size_t close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos) {
                error = "unterminated quoted value at " + std::to_string(pos_);
                return false;
            }
            token.kind = TokenKind::Quoted;
            token.text = text_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            return true;
        }
        default: {
            std::size_t end = pos_;
            while (end < text_.size() && !endsWord(text_[end])) ++end;
            token.kind = TokenKind::Word;
            token.bareWord = true;
            token.text = text_.substr(pos_, end - pos_);
            pos_ = end;
            classifyWord(token);
            return true;
        }
        }
        error = std::string("unexpected '") + c + "' at " + std::to_string(pos_);
        return false;
    }

private:
    static void classifyWord(Token& token) {
        static constexpr struct {
            std::string_view word;
            TokenKind kind;
            QueryOperator op;
        } kKeywords[] = {
            {"and", TokenKind::And, QueryOperator::Equal},
            {"or", TokenKind::Or, QueryOperator::Equal},
            {"begins", TokenKind::Operator, QueryOperator::Begins},
            {"ends", TokenKind::Operator, QueryOperator::Ends},
            {"has", TokenKind::Operator, QueryOperator::Has},
        };
        for (const auto& keyword : kKeywords)
            if (foldedEqual(token.text, keyword.word)) {
                token.kind = keyword.kind;
                token.op = keyword.op;
            }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

class QueryParser {
public:
    explicit QueryParser(std::string_view text) : lexer_(text) {}

    QueryParseResult run() {
        QueryParseResult result;
        if (!advance()) {
            result.error = error_;
            return result;
        }
        Query query;
        query_ = &query;
        if (current_.kind != TokenKind::End) {
            const int root = parseOr(0);
            if (root < 0) {
                result.error = error_;
                return result;
            }
            if (current_.kind != TokenKind::End) {
                result.error = "unexpected text at " + std::to_string(current_.offset);
                return result;
            }
            query.root_ = root;
        }
        result.query = std::move(query);
        return result;
    }

private:
    bool advance() { return lexer_.next(current_, error_); }

    int fail(const std::string& message) {
        if (error_.empty()) error_ = message + " at " + std::to_string(current_.offset);
        return -1;
    }

    int add(Query::Node node) {
        query_->nodes_.push_back(std::move(node));
        return static_cast<int>(query_->nodes_.size()) - 1;
    }

    // One level of "OR" or "AND": a flat list, so long chains never nest.
    int parseList(int depth, TokenKind joiner, Query::Node::Kind kind) {
        const int first = joiner == TokenKind::Or
                              ? parseList(depth, TokenKind::And, Query::Node::Kind::And)
                              : parseUnary(depth);
        if (first < 0 || current_.kind != joiner) return first;
        Query::Node list;
        list.kind = kind;
        list.children.push_back(first);
        while (current_.kind == joiner) {
            if (!advance()) return -1;
            const int next = joiner == TokenKind::Or
                                 ? parseList(depth, TokenKind::And, Query::Node::Kind::And)
                                 : parseUnary(depth);
            if (next < 0) return -1;
            list.children.push_back(next);
        }
        return add(std::move(list));
    }

    int parseOr(int depth) { return parseList(depth, TokenKind::Or, Query::Node::Kind::Or); }

    int parseUnary(int depth) {
        if (depth >= kMaxQueryNesting) return fail("nested too deeply");
        if (current_.kind == TokenKind::Not) {
            if (!advance()) return -1;
            const int operand = parseUnary(depth + 1);
            if (operand < 0) return -1;
            Query::Node node;
            node.kind = Query::Node::Kind::Not;
            node.children.push_back(operand);
            return add(std::move(node));
        }
        if (current_.kind == TokenKind::Open) {
            if (!advance()) return -1;
            const int inner = parseOr(depth + 1);
            if (inner < 0) return -1;
            if (current_.kind != TokenKind::Close) return fail("missing ')'");
            if (!advance()) return -1;
            return inner;
        }
        return parseCondition();
    }

    int parseCondition() {
        if (current_.kind != TokenKind::Word) return fail("expected a field name");
        const std::optional<TrackField> field = parseFieldName(current_.text);
        if (!field) return fail("unknown field '" + std::string(current_.text) + "'");
        if (!advance()) return -1;
        if (current_.kind != TokenKind::Operator) return fail("expected an operator");
        Query::Node node;
        node.field = *field;
        node.op = current_.op;
        if (!advance()) return -1;
        // A keyword in value position is a bare value ("title == and").
        if (current_.kind != TokenKind::Quoted && !current_.bareWord)
            return fail("expected a value");
        node.text = current_.kind == TokenKind::Quoted ? unescapeQuoted(current_.text)
                                                       : std::string(current_.text);
        if (isNumericField(*field)) {
            const bool textual = node.op == QueryOperator::Begins ||
                                 node.op == QueryOperator::Ends || node.op == QueryOperator::Has;
            if (!textual) {
                const std::optional<std::int32_t> number = parseWholeInt32(node.text);
                if (!number) return fail("'" + node.text + "' is not a number");
                node.number = *number;
            }
        }
        if (!advance()) return -1;
        return add(std::move(node));
    }

    Lexer lexer_;
    Token current_;
    std::string error_;
    Query* query_ = nullptr;
};

QueryParseResult parseQuery(std::string_view text) {
    return QueryParser(text).run();
}

bool Query::matches(const Track& track) const {
    return root_ < 0 || evaluate(root_, track);
}

bool Query::evaluate(int index, const Track& track) const {
    const Node& node = nodes_[static_cast<std::size_t>(index)];
    switch (node.kind) {
    case Node::Kind::Condition: return condition(node, track);
    case Node::Kind::Not: return !evaluate(node.children.front(), track);
    case Node::Kind::And:
        for (int child : node.children)
            if (!evaluate(child, track)) return false;
        return true;
    case Node::Kind::Or:
        for (int child : node.children)
            if (evaluate(child, track)) return true;
        return false;
    }
    return false;
}

namespace {

template <typename T> bool compareBy(QueryOperator op, T order) {
    switch (op) {
    case QueryOperator::Equal: return order == 0;
    case QueryOperator::NotEqual: return order != 0;
    case QueryOperator::Less: return order < 0;
    case QueryOperator::LessEqual: return order <= 0;
    case QueryOperator::Greater: return order > 0;
    case QueryOperator::GreaterEqual: return order >= 0;
    default: return false;
    }
}

bool textCondition(QueryOperator op, std::string_view field, std::string_view value) {
    switch (op) {
    case QueryOperator::Begins: return foldedBeginsWith(field, value);
    case QueryOperator::Ends: return foldedEndsWith(field, value);
    case QueryOperator::Has: return foldedContains(field, value);
    default: return compareBy(op, foldedCompare(field, value));
    }
}

} // namespace

bool Query::condition(const Node& node, const Track& track) const {
    if (!isNumericField(node.field)) {
        const std::string* text = textField(track, node.field);
        return textCondition(node.op, text ? std::string_view(*text) : std::string_view(),
                             node.text);
    }
    const std::optional<std::int64_t> number = numberField(track, node.field);
    if (!number) return node.op == QueryOperator::NotEqual;
    if (node.op == QueryOperator::Begins || node.op == QueryOperator::Ends ||
        node.op == QueryOperator::Has)
        return textCondition(node.op, std::to_string(*number), node.text);
    const std::int64_t difference = *number - node.number;
    return compareBy(node.op, difference);
}

} // namespace tg::player
