// Any text as a query for the simulated player: parsing either gives a query
// or says why not, never crashes or recurses without bound, and an accepted
// query means the same in parentheses and the opposite after "!".
#include "player/query_language.h"
#include "player/track.h"
#include "support/fuzz_host.h"

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace tg;
using player::Track;

std::vector<Track> sampleTracks() {
    std::vector<Track> tracks(4);
    Track& full = tracks[0];
    full.filename = "C:\\Music\\The Who\\01 - Baba O'Riley.mp3";
    full.title = "Baba O'Riley";
    full.album = "Who's Next";
    full.artist = "The Who";
    full.comment = "and OR begins \"quoted\" (x)";
    full.genre = "Rock & Roll";
    full.year = 1971;
    full.trackNumber = 1;
    full.length = 300;
    full.rating = 5;
    full.playCount = 12;
    full.bitrate = 320;
    // tracks[1]: every field missing, every number 0.
    Track& extreme = tracks[2];
    extreme.title = "";
    extreme.artist = "\xC4\xD6\xDC \x01\x7F";
    extreme.year = INT_MAX;
    extreme.trackNumber = INT_MIN;
    extreme.length = -1;
    extreme.rating = INT_MIN;
    extreme.playCount = INT_MAX;
    extreme.bitrate = 0;
    Track& numbers = tracks[3];
    numbers.title = "1971";
    numbers.album = "12";
    numbers.artist = "-5";
    numbers.year = -5;
    numbers.trackNumber = 12;
    numbers.rating = 1;
    return tracks;
}

std::vector<bool> results(const player::Query& query, const std::vector<Track>& tracks) {
    std::vector<bool> matched;
    for (const Track& track : tracks) matched.push_back(query.matches(track));
    return matched;
}

// A rewritten text that must parse unless it crosses the nesting limit.
std::optional<player::Query> reparse(const std::string& text) {
    player::QueryParseResult result = player::parseQuery(text);
    if (!result.query && result.error.find("nested too deeply") == std::string::npos)
        fuzz::fail("\"" + fuzz::printable(text) + "\" is rejected: " + result.error);
    return std::move(result.query);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<Track> tracks = sampleTracks();
    const std::string text(fuzz::bytes(data, size));
    const player::QueryParseResult parsed = player::parseQuery(text);
    if (!parsed.query) {
        fuzz::check(!parsed.error.empty(), "a query rejected without a reason");
        return 0;
    }
    const std::vector<bool> matched = results(*parsed.query, tracks);
    if (parsed.query->matchesEverything()) {
        for (const bool m : matched) fuzz::check(m, "an empty query that leaves a track out");
        return 0;
    }
    if (const auto wrapped = reparse("(" + text + ")"))
        fuzz::check(results(*wrapped, tracks) == matched, "parentheses change the meaning");
    if (const auto negated = reparse("!(" + text + ")")) {
        std::vector<bool> opposite = results(*negated, tracks);
        opposite.flip();
        fuzz::check(opposite == matched, "\"!\" does not give the opposite");
    }
    return 0;
}
