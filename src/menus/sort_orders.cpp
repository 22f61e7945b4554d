#include "menus/sort_orders.h"

#include "menus/label_options.h"
#include "menus/sort_engine.h"
#include "menus/text_order.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tg {

namespace {

template <typename T> inline int sign(T x, T y) {
    return (x > y) - (x < y);
}

// A field whose label would be empty sorts like a missing one: an empty label
// amid the numbers would end a range walk's run of groups early.
inline const char* shownField(const TrackRecord& r, const char* name) {
    const char* value = extendedField(r, name);
    return value != nullptr && *stripLeadingThe(value) != '\0' ? value : nullptr;
}

// The extended-field rule: no list last, then no field last, then the leading
// integers; equal numbers by their stripped text, as their labels are grouped.
inline int compareExtended(const TrackRecord& a, const TrackRecord& b, const char* name) {
    if (a.extendedFields == nullptr) return b.extendedFields == nullptr ? 0 : 1;
    if (b.extendedFields == nullptr) return -1;
    const char* x = shownField(a, name);
    const char* y = shownField(b, name);
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    const int r = sign(leadingInteger(x), leadingInteger(y));
    return r != 0 ? r : compareFolded(stripLeadingThe(x), stripLeadingThe(y));
}

inline const char* skipSpaces(const char* text) {
    while (*text == ' ') ++text;
    return text;
}

inline int compareFileNameBytes(const char* x, const char* y) {
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    return std::strcmp(x, y); // unsigned bytes, as the C library defines it
}

} // namespace

int compareArtist(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.artist, b.artist);
}
int compareAlbum(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.album, b.album);
}
int compareTitle(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.title, b.title);
}
int compareGenre(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.genre, b.genre);
}
int compareYear(const TrackRecord& a, const TrackRecord& b) {
    return sign(knownOrZero(a.year), knownOrZero(b.year));
}
int compareTrack(const TrackRecord& a, const TrackRecord& b) {
    return sign(knownOrZero(a.trackNumber), knownOrZero(b.trackNumber));
}

int compareYearAlbum(const TrackRecord& a, const TrackRecord& b) {
    const int r = sign(shownYear(a.year), shownYear(b.year));
    // The album follows "(year) " in the label, so a leading "The " is part of
    // what the label shows and must not merge two albums.
    return r != 0 ? r : compareTextThenWhole(a.album, b.album);
}
int compareAlbumYear(const TrackRecord& a, const TrackRecord& b) {
    // The album as its label strips it: "The (1999)" is the label of an empty
    // album of 1999, and must sort with it.
    int r = 0;
    if (a.album == nullptr || b.album == nullptr)
        r = compareTextIgnoringThe(a.album, b.album);
    else
        r = compareFolded(strippedBeforeSuffix(a.album), strippedBeforeSuffix(b.album));
    return r != 0 ? r : sign(shownYear(a.year), shownYear(b.year));
}
int compareTrackTitle(const TrackRecord& a, const TrackRecord& b) {
    const std::int32_t track = shownTrackNumber(a.trackNumber);
    const int r = sign(track, shownTrackNumber(b.trackNumber));
    if (r != 0) return r;
    if (track > 0) return compareTextThenWhole(a.title, b.title);
    // Behind five blanks the title's own leading spaces merge with them when
    // the label is stripped, so they must not tell titles apart.
    if (a.title == nullptr || b.title == nullptr) return compareTextThenWhole(a.title, b.title);
    return compareTextThenWhole(skipSpaces(a.title), skipSpaces(b.title));
}
int compareArtistAlbum(const TrackRecord& a, const TrackRecord& b) {
    const int r = compareTextIgnoringThe(a.artist, b.artist);
    return r != 0 ? r : compareTextThenWhole(a.album, b.album);
}
int compareArtistTitle(const TrackRecord& a, const TrackRecord& b) {
    const int r = compareTextIgnoringThe(a.artist, b.artist);
    return r != 0 ? r : compareTextThenWhole(a.title, b.title);
}
int compareAlbumTitle(const TrackRecord& a, const TrackRecord& b) {
    const int r = compareTextIgnoringThe(a.album, b.album);
    return r != 0 ? r : compareTextThenWhole(a.title, b.title);
}
int compareAlbumInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareFirstLetter(a.album, b.album);
}
int compareTitleInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareFirstLetter(a.title, b.title);
}
int compareGenreInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareInitialAsIs(a.genre, b.genre);
}
int compareFileNameInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareInitialAsIs(a.filename, b.filename);
}
int compareRating(const TrackRecord& a, const TrackRecord& b) {
    return compareExtended(a, b, "RATING");
}
int comparePlayCount(const TrackRecord& a, const TrackRecord& b) {
    return compareExtended(a, b, "PLAYCOUNT");
}
int compareBitrate(const TrackRecord& a, const TrackRecord& b) {
    return compareExtended(a, b, "BITRATE");
}
int compareFileName(const TrackRecord& a, const TrackRecord& b) {
    return compareFileNameBytes(a.filename, b.filename);
}
int compareFileNameAsText(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.filename, b.filename);
}

Comparator comparatorForLevel(const MenuDefinition& definition, int level) {
    if (level < 0) level = 0;
    // Under a Range the following level is seen through its plain label (no
    // year, no track number), so it must be ordered by that label alone, or the
    // range bounds would not enclose their values.
    bool plain = false;
    // A loop rather than recursion: a stored definition may chain any number
    // of First Letter and Range levels.
    for (;; ++level) {
        switch (definition.levelKind(level)) {
        case LevelType::Artist: return compareArtist;
        case LevelType::Album:
            if (plain) return compareAlbum;
            if (showsYearBeforeAlbum(definition)) return compareYearAlbum;
            if (showsYearAfterAlbum(definition)) return compareAlbumYear;
            return compareAlbum;
        case LevelType::Title:
            return !plain && definition.showTrackNumbers ? compareTrackTitle : compareTitle;
        case LevelType::Genre: return compareGenre;
        case LevelType::Year: return compareYear;
        case LevelType::TrackNumber: return compareTrack;
        case LevelType::ArtistAlbum: return compareArtistAlbum;
        case LevelType::ArtistTitle: return compareArtistTitle;
        case LevelType::AlbumTitle: return compareAlbumTitle;
        case LevelType::Rating: return compareRating;
        case LevelType::PlayCount: return comparePlayCount;
        case LevelType::Bitrate: return compareBitrate;
        case LevelType::Filename: return plain ? compareFileNameAsText : compareFileName;
        case LevelType::Range: plain = true; continue;
        case LevelType::FirstLetter:
            switch (definition.levelKind(level + 1)) {
            case LevelType::Artist:
            case LevelType::ArtistAlbum:
            case LevelType::ArtistTitle: return compareArtist;
            case LevelType::Album:
            case LevelType::AlbumTitle: return compareAlbumInitial;
            case LevelType::Title: return compareTitleInitial;
            // Their initials are shown unstripped; ordering them by the
            // stripped value would split a letter's item in two.
            case LevelType::Genre: return compareGenreInitial;
            case LevelType::Filename: return compareFileNameInitial;
            default: continue; // the following level's comparator (none past the end)
            }
        default: return nullptr;
        }
    }
}

namespace {

// compareTextIgnoringThe: the stripped text decides alone.
template <char* TrackRecord::*Field> void strippedKey(const TrackRecord& r, SortKey& key) {
    const char* text = r.*Field;
    key.complete = putText(key, 0, text != nullptr ? stripLeadingThe(text) : nullptr);
}
// A text first, then a second key the prefix does not hold.
template <char* TrackRecord::*Field> void firstOfTwoKey(const TrackRecord& r, SortKey& key) {
    strippedKey<Field>(r, key);
    key.complete = false;
}
void albumYearKey(const TrackRecord& r, SortKey& key) {
    putText(key, 0, r.album != nullptr ? strippedBeforeSuffix(r.album) : nullptr);
    key.complete = false;
}
// compareTextThenWhole after a number: texts that lost a "The " or spaces to
// stripping are told apart by their whole text, which the key does not hold.
void numberThenTextKey(SortKey& key, std::int32_t number, const char* text) {
    if (!putNumber(key, number)) return;
    const char* stripped = text != nullptr ? stripLeadingThe(text) : nullptr;
    key.complete = putText(key, 2, stripped) && stripped == text;
}
void yearAlbumKey(const TrackRecord& r, SortKey& key) {
    numberThenTextKey(key, shownYear(r.year), r.album);
}
void trackTitleKey(const TrackRecord& r, SortKey& key) {
    const std::int32_t track = shownTrackNumber(r.trackNumber);
    const char* title = r.title;
    // Untracked titles are compared without their leading spaces.
    if (track <= 0 && title != nullptr) title = skipSpaces(title);
    numberThenTextKey(key, track, title);
}

using SortFunction = void (*)(TrackRecord*, TrackRecord*);

struct KnownSort {
    Comparator comparator;
    SortFunction sort;
};

constexpr KnownSort kKnownSorts[] = {
    {compareArtist, sortKeyed<compareArtist, strippedKey<&TrackRecord::artist>>},
    {compareAlbum, sortKeyed<compareAlbum, strippedKey<&TrackRecord::album>>},
    {compareTitle, sortKeyed<compareTitle, strippedKey<&TrackRecord::title>>},
    {compareGenre, sortKeyed<compareGenre, strippedKey<&TrackRecord::genre>>},
    {compareYear, sortWith<compareYear>},
    {compareTrack, sortWith<compareTrack>},
    {compareYearAlbum, sortKeyed<compareYearAlbum, yearAlbumKey>},
    {compareAlbumYear, sortKeyed<compareAlbumYear, albumYearKey>},
    {compareTrackTitle, sortKeyed<compareTrackTitle, trackTitleKey>},
    {compareArtistAlbum, sortKeyed<compareArtistAlbum, firstOfTwoKey<&TrackRecord::artist>>},
    {compareArtistTitle, sortKeyed<compareArtistTitle, firstOfTwoKey<&TrackRecord::artist>>},
    {compareAlbumTitle, sortKeyed<compareAlbumTitle, firstOfTwoKey<&TrackRecord::album>>},
    {compareAlbumInitial, sortWith<compareAlbumInitial>},
    {compareTitleInitial, sortWith<compareTitleInitial>},
    {compareGenreInitial, sortWith<compareGenreInitial>},
    {compareFileNameInitial, sortWith<compareFileNameInitial>},
    {compareRating, sortWith<compareRating>},
    {comparePlayCount, sortWith<comparePlayCount>},
    {compareBitrate, sortWith<compareBitrate>},
    {compareFileName, sortWith<compareFileName>},
    {compareFileNameAsText, sortWith<compareFileNameAsText>},
};

} // namespace

void sortRecords(TrackRecord* begin, TrackRecord* end, Comparator comparator) {
    if (comparator == nullptr || begin == nullptr || end - begin < 2) return;
    for (const KnownSort& known : kKnownSorts) {
        if (known.comparator == comparator) {
            known.sort(begin, end);
            return;
        }
    }
    if (sortOrderedRange(begin, end, comparator)) return;
    std::sort(begin, end, [comparator](const TrackRecord& x, const TrackRecord& y) {
        return comparator(x, y) < 0;
    });
}

} // namespace tg
