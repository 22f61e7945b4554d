// Level queries: the user's query with the current song's values, the
// conditions of the values chosen above, and, for Playlist Tags menus, the
// narrowing of the library's answer to the files of the player's playlist.
#include "menus/query_templates.h"
#include "menus/sort_orders.h"
#include "model/text.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace tg {

namespace {

bool holdsNonSpace(const char* text) {
    for (; *text != '\0'; ++text)
        if (*text != ' ') return true;
    return false;
}

// The menus built from this query are current as of its start: a change the
// player reports while it runs (the playlist read entry by entry) clears a
// flag again and must not be overwritten once the query is done. A query that
// is never sent keeps the earlier values, except those cleared meanwhile.
class FreshnessMark {
public:
    FreshnessMark() {
        ModelState& m = model();
        m.playlistMenusValid = m.libraryMenusValid = m.songMenusValid = true;
    }
    void abandon() const {
        ModelState& m = model();
        m.playlistMenusValid = m.playlistMenusValid && playlist_;
        m.libraryMenusValid = m.libraryMenusValid && library_;
        m.songMenusValid = m.songMenusValid && song_;
    }

private:
    const bool playlist_ = model().playlistMenusValid;
    const bool library_ = model().libraryMenusValid;
    const bool song_ = model().songMenusValid;
};

} // namespace

void runLevelQuery(char* caption, MenuDefinition& definition,
                   const std::vector<LevelSelection>& path, int coveredCount, QueryRecord* result) {
    if (result == nullptr) return;
    *result = QueryRecord{};

    // The definition's text may fill its whole field without a terminator.
    const std::string userQuery(definition.query,
                                strnlen(definition.query, sizeof definition.query));
    char text[kQuerySize];
    const FreshnessMark fresh;
    const bool substituted = substituteSongVariables(caption, userQuery.c_str(), text);
    // The caption names what the menu shows of the current song, "Unknown"
    // included: such a menu is built again when another song starts.
    if (caption != nullptr) definition.usesSongVariables = caption[0] != '\0' ? 1 : 0;
    if (!substituted) {
        fresh.abandon();
        return;
    }

    if (coveredCount > 0) {
        const std::size_t used = std::strlen(text);
        const bool joined = holdsNonSpace(text);
        // In parentheses: where AND binds tighter than OR (as in the test
        // player's language), a query of alternatives would otherwise keep
        // only its last one under the chosen values. Right either way.
        constexpr std::string_view kJoiner = ") && ";
        const std::size_t overhead = used + (joined ? 1 + kJoiner.size() : 0);
        const std::size_t room = overhead < kQuerySize - 1 ? kQuerySize - 1 - overhead : 0;
        // Every condition only widens what the items' tracks are kept from, so
        // one that does not fit is left out rather than the query cut.
        std::string conditions;
        for (const std::string& condition : pathConditionList(definition, path, coveredCount)) {
            const std::size_t more = condition.size() + (conditions.empty() ? 0 : 5);
            if (conditions.size() + more > room) continue;
            if (!conditions.empty()) conditions += " AND ";
            conditions += condition;
        }
        if (joined && !conditions.empty()) {
            std::memmove(text + 1, text, used);
            text[0] = '(';
            std::memcpy(text + 1 + used, kJoiner.data(), kJoiner.size());
            std::memcpy(text + 1 + used + kJoiner.size(), conditions.c_str(),
                        conditions.size() + 1);
        } else {
            std::memcpy(text + used, conditions.c_str(), conditions.size() + 1);
        }
    }

    result->query = text;
    host::mlRunQuery(result);
    result->query = nullptr; // the text dies with this call

    if (definition.sourceType == SourceType::PlaylistTags) {
        QueryRecord own{};
        keepPlaylistTracks(*result, &own);
        host::mlFreeQueryResults(result);
        *result = own;
    }
}

int releaseQueryResult(QueryRecord* result, SourceType mode) {
    switch (mode) {
    case SourceType::MediaLibrary: return result != nullptr ? host::mlFreeQueryResults(result) : 0;
    case SourceType::PlaylistTags:
        if (result == nullptr) return 0;
        if (result->items != nullptr) {
            for (int i = 0; i < result->count; ++i) freeTrackRecord(&result->items[i]);
            std::free(result->items);
        }
        *result = QueryRecord{};
        return 0;
    default: return static_cast<int>(mode);
    }
}

} // namespace tg
