// Values inside the library's query texts. The library reads a quoted value up
// to the next double quote and decodes percent escapes inside it ("%22" is a
// quote, "%25" a percent sign), so no tag text can end a value early or change
// the structure of a query.
#pragma once

#include <string>
#include <string_view>

namespace tg {

// Appends value between double quotes, its '"' and '%' written as escapes.
void appendQuoted(std::string& out, std::string_view value);
// The same for a value that stands inside quotes the query already has (a
// song variable inside the user's own query).
void appendEscaped(std::string& out, std::string_view value);

} // namespace tg
