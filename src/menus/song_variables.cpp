// "%genre", "%artist" and "%album" in a user's query stand for the song now
// playing; the root popup's caption shows the values they took.
#include "menus/query_quoting.h"
#include "menus/query_templates.h"
#include "model/text.h"
#include "plugin/host_messages.h"

#include <cstring>
#include <string>
#include <string_view>

namespace tg {

namespace {

constexpr std::string_view kUnknownCaption = "Unknown   ";

struct SongVariable {
    std::string_view name;
    char* TrackRecord::*field;
    std::string_view separator; // after the value in the caption
};

// Tested in this order.
constexpr SongVariable kVariables[] = {
    {"genre", &TrackRecord::genre, " : "},
    {"artist", &TrackRecord::artist, " - "},
    {"album", &TrackRecord::album, "   "},
};

const SongVariable* variableAt(std::string_view rest) {
    for (const SongVariable& variable : kVariables)
        if (rest.size() >= variable.name.size() &&
            equalIgnoringCase(rest.substr(0, variable.name.size()), variable.name))
            return &variable;
    return nullptr;
}

// The library's record of the current playlist entry; the caller releases it.
void lookUpCurrentSong(QueryRecord* lookup) {
    const int position = host::getListPos();
    if (position < 0) return;
    const char* file = host::getEntryFile(position);
    if (file == nullptr) return;
    std::string text = "filename == ";
    appendQuoted(text, file);
    lookup->query = text.data();
    lookup->maxResults = 1;
    host::mlRunQuery(lookup);
    lookup->query = nullptr; // the text dies here
}

} // namespace

bool substituteSongVariables(char* caption, const char* templateText, char* output) {
    if (output != nullptr) output[0] = '\0';
    if (caption != nullptr) caption[0] = '\0';

    QueryRecord lookup{};
    lookUpCurrentSong(&lookup);
    const TrackRecord* song = heldRecords(lookup) > 0 ? &lookup.items[0] : nullptr;

    const std::string_view pattern = templateText != nullptr ? templateText : "";
    std::string text;
    std::string captionText;
    bool complete = true;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] != '%') {
            text += pattern[i++];
            continue;
        }
        const SongVariable* variable = variableAt(pattern.substr(i + 1));
        if (variable == nullptr) {
            // "%%" gives one "%", "%x" gives "x", a final "%" gives nothing.
            if (i + 1 < pattern.size()) text += pattern[i + 1];
            i += 2;
            continue;
        }
        const char* value = song != nullptr ? song->*(variable->field) : nullptr;
        if (value == nullptr) {
            captionText = kUnknownCaption;
            complete = false;
            break;
        }
        // The value stands inside the user's quotes: escaped, it cannot end them.
        appendEscaped(text, value);
        captionText += value;
        captionText += variable->separator;
        i += 1 + variable->name.size();
    }

    if (lookup.allocated > 0 || lookup.items != nullptr) host::mlFreeQueryResults(&lookup);

    if (caption != nullptr) {
        // Drops the separator after the last value; "Unknown   " becomes "Unknown".
        if (captionText.size() > 2) captionText.resize(captionText.size() - 3);
        copyText(caption, kCaptionSize, captionText);
    }
    // A query cut short would be a different query: none is better.
    if (!complete || output == nullptr || text.size() > kQuerySize - 1) return false;
    std::memcpy(output, text.c_str(), text.size() + 1);
    return true;
}

} // namespace tg
