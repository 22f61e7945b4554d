// The record field each level kind shows, written out by hand so the label
// tests and the label fuzzer check the plug-in against their own reading.
#pragma once

#include "model/menu_definition.h"
#include "plugin/host_messages.h"

namespace tg::test {

// The extended field of a numeric level kind; null for other kinds or a missing field.
inline const char* extendedValue(const TrackRecord& r, LevelType kind) {
    switch (kind) {
    case LevelType::Rating: return extendedField(r, "RATING");
    case LevelType::PlayCount: return extendedField(r, "PLAYCOUNT");
    case LevelType::Bitrate: return extendedField(r, "BITRATE");
    default: return nullptr;
    }
}

// The field a level shows first, null when the level shows none.
inline const char* firstField(const TrackRecord& r, LevelType kind) {
    switch (kind) {
    case LevelType::Artist:
    case LevelType::ArtistAlbum:
    case LevelType::ArtistTitle: return r.artist;
    case LevelType::Album:
    case LevelType::AlbumTitle: return r.album;
    case LevelType::Title: return r.title;
    case LevelType::Genre: return r.genre;
    case LevelType::Filename: return r.filename;
    default: return extendedValue(r, kind);
    }
}

} // namespace tg::test
