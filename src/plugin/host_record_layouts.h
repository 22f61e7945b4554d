// The exchanged records' sizes and field offsets, checked at compile time: with
// 4-byte pointers the layouts the player's x86 builds read, with 8-byte ones
// those its SDK's field types give on x64 (which the native build shares).
#pragma once

#include "plugin/descriptor.h"
#include "plugin/host_contract.h"

#include <cstddef>

namespace tg::layout {

#define TG_LAYOUT(type, size32, size64)                                                            \
    static_assert(sizeof(type) == (sizeof(void*) == 4 ? (size32) : (size64)), #type " size")
#define TG_OFFSET(type, field, at32, at64)                                                         \
    static_assert(offsetof(type, field) == (sizeof(void*) == 4 ? (at32) : (at64)),                 \
                  #type "::" #field " offset")

TG_LAYOUT(TrackRecord, 40, 72);
TG_OFFSET(TrackRecord, filename, 0, 0);
TG_OFFSET(TrackRecord, title, 4, 8);
TG_OFFSET(TrackRecord, album, 8, 16);
TG_OFFSET(TrackRecord, artist, 12, 24);
TG_OFFSET(TrackRecord, comment, 16, 32);
TG_OFFSET(TrackRecord, genre, 20, 40);
TG_OFFSET(TrackRecord, year, 24, 48);
TG_OFFSET(TrackRecord, trackNumber, 28, 52);
TG_OFFSET(TrackRecord, length, 32, 56);
TG_OFFSET(TrackRecord, extendedFields, 36, 64);

TG_LAYOUT(TrackRecordWithExtension, 44, 80);
TG_OFFSET(TrackRecordWithExtension, filename, 0, 0);
TG_OFFSET(TrackRecordWithExtension, title, 4, 8);
TG_OFFSET(TrackRecordWithExtension, extension, 8, 16);
TG_OFFSET(TrackRecordWithExtension, album, 12, 24);
TG_OFFSET(TrackRecordWithExtension, artist, 16, 32);
TG_OFFSET(TrackRecordWithExtension, comment, 20, 40);
TG_OFFSET(TrackRecordWithExtension, genre, 24, 48);
TG_OFFSET(TrackRecordWithExtension, year, 28, 56);
TG_OFFSET(TrackRecordWithExtension, trackNumber, 32, 60);
TG_OFFSET(TrackRecordWithExtension, length, 36, 64);
TG_OFFSET(TrackRecordWithExtension, extendedFields, 40, 72);

TG_LAYOUT(TrackList, 12, 16);
TG_OFFSET(TrackList, items, 0, 0);
TG_OFFSET(TrackList, count, 4, 8);
TG_OFFSET(TrackList, allocated, 8, 12);

TG_LAYOUT(QueryRecord, 20, 32);
TG_OFFSET(QueryRecord, query, 0, 0);
TG_OFFSET(QueryRecord, maxResults, 4, 8);
TG_OFFSET(QueryRecord, items, 8, 16);
TG_OFFSET(QueryRecord, count, 12, 24);
TG_OFFSET(QueryRecord, allocated, 16, 28);

TG_LAYOUT(EntryInfoRecord, 276, 276);
TG_OFFSET(EntryInfoRecord, index, 0, 0);
TG_OFFSET(EntryInfoRecord, title, 4, 4);
TG_OFFSET(EntryInfoRecord, length, 260, 260);

TG_LAYOUT(InsertFileRecord, 264, 264);
TG_OFFSET(InsertFileRecord, file, 0, 0);
TG_OFFSET(InsertFileRecord, index, 260, 260);

TG_LAYOUT(SendToHostRecord, 12, 24);
TG_OFFSET(SendToHostRecord, kind, 0, 0);
TG_OFFSET(SendToHostRecord, list, 4, 8);
TG_OFFSET(SendToHostRecord, mode, 8, 16);

TG_LAYOUT(SendToItemRecord, 12, 24);
TG_OFFSET(SendToItemRecord, label, 0, 0);
TG_OFFSET(SendToItemRecord, context, 4, 8);
TG_OFFSET(SendToItemRecord, id, 8, 16);

TG_LAYOUT(WideTrackRecord, 128, 176);
TG_OFFSET(WideTrackRecord, filename, 0, 0);
TG_OFFSET(WideTrackRecord, title, 4, 8);
TG_OFFSET(WideTrackRecord, album, 8, 16);
TG_OFFSET(WideTrackRecord, artist, 12, 24);
TG_OFFSET(WideTrackRecord, comment, 16, 32);
TG_OFFSET(WideTrackRecord, genre, 20, 40);
TG_OFFSET(WideTrackRecord, albumArtist, 24, 48);
TG_OFFSET(WideTrackRecord, replayGainAlbum, 28, 56);
TG_OFFSET(WideTrackRecord, replayGainTrack, 32, 64);
TG_OFFSET(WideTrackRecord, publisher, 36, 72);
TG_OFFSET(WideTrackRecord, composer, 40, 80);
TG_OFFSET(WideTrackRecord, year, 44, 88);
TG_OFFSET(WideTrackRecord, trackNumber, 48, 92);
TG_OFFSET(WideTrackRecord, tracks, 52, 96);
TG_OFFSET(WideTrackRecord, length, 56, 100);
TG_OFFSET(WideTrackRecord, rating, 60, 104);
TG_OFFSET(WideTrackRecord, playCount, 64, 108);
TG_OFFSET(WideTrackRecord, lastPlayed, 72, 112);
TG_OFFSET(WideTrackRecord, lastUpdated, 80, 120);
TG_OFFSET(WideTrackRecord, fileTime, 88, 128);
TG_OFFSET(WideTrackRecord, fileSize, 96, 136);
TG_OFFSET(WideTrackRecord, bitrate, 100, 140);
TG_OFFSET(WideTrackRecord, type, 104, 144);
TG_OFFSET(WideTrackRecord, disc, 108, 148);
TG_OFFSET(WideTrackRecord, discs, 112, 152);
TG_OFFSET(WideTrackRecord, bpm, 116, 156);
TG_OFFSET(WideTrackRecord, extendedFields, 120, 160);
TG_OFFSET(WideTrackRecord, category, 124, 168);

TG_LAYOUT(WideTrackRecordWithExtension, 128, 184);
TG_OFFSET(WideTrackRecordWithExtension, filename, 0, 0);
TG_OFFSET(WideTrackRecordWithExtension, title, 4, 8);
TG_OFFSET(WideTrackRecordWithExtension, extension, 8, 16);
TG_OFFSET(WideTrackRecordWithExtension, album, 12, 24);
TG_OFFSET(WideTrackRecordWithExtension, artist, 16, 32);
TG_OFFSET(WideTrackRecordWithExtension, comment, 20, 40);
TG_OFFSET(WideTrackRecordWithExtension, genre, 24, 48);
TG_OFFSET(WideTrackRecordWithExtension, albumArtist, 28, 56);
TG_OFFSET(WideTrackRecordWithExtension, replayGainAlbum, 32, 64);
TG_OFFSET(WideTrackRecordWithExtension, replayGainTrack, 36, 72);
TG_OFFSET(WideTrackRecordWithExtension, publisher, 40, 80);
TG_OFFSET(WideTrackRecordWithExtension, composer, 44, 88);
TG_OFFSET(WideTrackRecordWithExtension, year, 48, 96);
TG_OFFSET(WideTrackRecordWithExtension, trackNumber, 52, 100);
TG_OFFSET(WideTrackRecordWithExtension, tracks, 56, 104);
TG_OFFSET(WideTrackRecordWithExtension, length, 60, 108);
TG_OFFSET(WideTrackRecordWithExtension, rating, 64, 112);
TG_OFFSET(WideTrackRecordWithExtension, playCount, 68, 116);
TG_OFFSET(WideTrackRecordWithExtension, lastPlayed, 72, 120);
TG_OFFSET(WideTrackRecordWithExtension, lastUpdated, 80, 128);
TG_OFFSET(WideTrackRecordWithExtension, fileTime, 88, 136);
TG_OFFSET(WideTrackRecordWithExtension, fileSize, 96, 144);
TG_OFFSET(WideTrackRecordWithExtension, bitrate, 100, 148);
TG_OFFSET(WideTrackRecordWithExtension, type, 104, 152);
TG_OFFSET(WideTrackRecordWithExtension, disc, 108, 156);
TG_OFFSET(WideTrackRecordWithExtension, discs, 112, 160);
TG_OFFSET(WideTrackRecordWithExtension, bpm, 116, 164);
TG_OFFSET(WideTrackRecordWithExtension, extendedFields, 120, 168);
TG_OFFSET(WideTrackRecordWithExtension, category, 124, 176);

TG_LAYOUT(WideExtendedField, 8, 16);

TG_LAYOUT(WideTrackList, 12, 16);
TG_OFFSET(WideTrackList, count, 4, 8);

TG_LAYOUT(WideQueryRecord, 20, 32);
TG_OFFSET(WideQueryRecord, items, 8, 16);
TG_OFFSET(WideQueryRecord, count, 12, 24);

TG_LAYOUT(WideEntryInfoRecord, 548, 548);
TG_OFFSET(WideEntryInfoRecord, title, 4, 4);
TG_OFFSET(WideEntryInfoRecord, length, 516, 516);

TG_LAYOUT(WideInsertFileRecord, 524, 524);
TG_OFFSET(WideInsertFileRecord, index, 520, 520);

TG_LAYOUT(WideSendToItemRecord, 12, 24);
TG_OFFSET(WideSendToItemRecord, id, 8, 16);

TG_LAYOUT(LibraryPluginDescriptor, 32, 64);
TG_OFFSET(LibraryPluginDescriptor, version, 0, 0);
TG_OFFSET(LibraryPluginDescriptor, description, 4, 8);
TG_OFFSET(LibraryPluginDescriptor, init, 8, 16);
TG_OFFSET(LibraryPluginDescriptor, quit, 12, 24);
TG_OFFSET(LibraryPluginDescriptor, handleMessage, 16, 32);
TG_OFFSET(LibraryPluginDescriptor, hostWindow, 20, 40);
TG_OFFSET(LibraryPluginDescriptor, libraryWindow, 24, 48);
TG_OFFSET(LibraryPluginDescriptor, moduleInstance, 28, 56);
#undef TG_OFFSET
#undef TG_LAYOUT

} // namespace tg::layout
