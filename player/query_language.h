// The media library's query language.
//
//   query      := <nothing> | or
//   or         := and { ("OR" | "||") and }
//   and        := unary { ("AND" | "&&") unary }
//   unary      := "!" unary | "(" or ")" | condition
//   condition  := field operator value
//   operator   := "==" | "=" | "!=" | "<" | "<=" | ">" | ">=" | "begins" | "ends" | "has"
//   value      := '"' any characters but '"' '"' | a bare word
//
// Inside a quoted value, as in the player's own library, "%" and two hex digits
// stand for that byte and "%%" for one percent sign; any other "%" is itself.
// So a value holding a quote is written with "%22". Bare words are taken as
// they stand.
//
// Keywords and field names ignore case. Text fields compare without regard to
// case; a missing text field compares as empty text. Numeric fields (year,
// trackno, length, rating, playcount, bitrate) compare as numbers, and their
// value must be a whole number; a missing extended field satisfies only "!=".
// begins / ends / has on a numeric field look at its decimal text. An empty
// query matches every track; a text that does not parse is rejected.
#pragma once

#include "player/track.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tg::player {

enum class QueryOperator {
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Begins,
    Ends,
    Has
};

class Query {
public:
    bool matches(const Track& track) const;
    bool matchesEverything() const { return root_ < 0; }

private:
    friend class QueryParser;
    struct Node {
        enum class Kind { Condition, Not, And, Or } kind = Kind::Condition;
        TrackField field = TrackField::Artist;
        QueryOperator op = QueryOperator::Equal;
        std::string text;        // the value as written
        std::int64_t number = 0; // the value of a numeric condition
        std::vector<int> children;
    };
    bool evaluate(int node, const Track& track) const;
    bool condition(const Node& node, const Track& track) const;

    std::vector<Node> nodes_;
    int root_ = -1;
};

struct QueryParseResult {
    std::optional<Query> query;
    std::string error; // why the text was rejected, for the player's log
};

// Deeper nesting than this is rejected rather than risking the stack.
inline constexpr int kMaxQueryNesting = 256;

QueryParseResult parseQuery(std::string_view text);

} // namespace tg::player
