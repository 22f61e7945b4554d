// The library window's messages: queries, file information, send-to.
#include "player/player.h"

#include "platform/utf8.h"
#include "platform/window.h"
#include "player/ansi_text.h"
#include "plugin/host_contract.h"

namespace tg::player {

LRESULT Player::onLibraryMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != ML_MESSAGE) return platform::defWindowProc(window, message, wParam, lParam);
    std::string note;
    LRESULT answer = 0;
    switch (lParam) {
    case ML_RUN_QUERY:
        answer = library_.runQuery(reinterpret_cast<QueryRecord*>(wParam), note);
        record("ML_RUN_QUERY " + note);
        return answer;
    case ML_RUN_FILENAME_QUERY:
        answer = library_.runFilenameQuery(reinterpret_cast<QueryRecord*>(wParam), note);
        record("ML_RUN_FILENAME_QUERY " + note);
        return answer;
    case ML_FREE_QUERY_RESULTS:
        answer = library_.freeQueryResults(reinterpret_cast<QueryRecord*>(wParam), note);
        record("ML_FREE_QUERY_RESULTS " + note);
        return answer;
    case ML_GET_FILE_INFO:
        answer = library_.getFileInfo(reinterpret_cast<void*>(wParam), note);
        record("ML_GET_FILE_INFO " + note);
        return answer;
    case ML_FREE_FILE_INFO:
        answer = library_.freeFileInfo(reinterpret_cast<void*>(wParam), note);
        record("ML_FREE_FILE_INFO " + note);
        return answer;
    case ML_SEND_TO_HOST: return sendToHost(reinterpret_cast<const SendToHostRecord*>(wParam));
    case ML_ADD_SEND_TO_ITEM:
        return addSendToItem(reinterpret_cast<const SendToItemRecord*>(wParam));
    default: break;
    }
    if (wideCalls_) {
        switch (lParam) {
        case ML_RUN_QUERY_WIDE:
            answer = library_.runQueryWide(reinterpret_cast<WideQueryRecord*>(wParam), note);
            record("ML_RUN_QUERY_WIDE " + note);
            return answer;
        case ML_RUN_FILENAME_QUERY_WIDE:
            answer =
                library_.runFilenameQueryWide(reinterpret_cast<WideQueryRecord*>(wParam), note);
            record("ML_RUN_FILENAME_QUERY_WIDE " + note);
            return answer;
        case ML_FREE_QUERY_RESULTS_WIDE:
            answer =
                library_.freeQueryResultsWide(reinterpret_cast<WideQueryRecord*>(wParam), note);
            record("ML_FREE_QUERY_RESULTS_WIDE " + note);
            return answer;
        case ML_GET_FILE_INFO_WIDE:
            answer = library_.getFileInfoWide(reinterpret_cast<void*>(wParam), note);
            record("ML_GET_FILE_INFO_WIDE " + note);
            return answer;
        case ML_FREE_FILE_INFO_WIDE:
            answer = library_.freeFileInfoWide(reinterpret_cast<void*>(wParam), note);
            record("ML_FREE_FILE_INFO_WIDE " + note);
            return answer;
        case ML_ADD_SEND_TO_ITEM_WIDE:
            return addSendToItemWide(reinterpret_cast<const WideSendToItemRecord*>(wParam));
        default: break;
        }
    }
    record("ML_MESSAGE lParam=" + std::to_string(lParam) + " (unknown)");
    return 0;
}

LRESULT Player::sendToHost(const SendToHostRecord* request) {
    if (!request || !request->list) {
        fault("ML_SEND_TO_HOST without a track list");
        return 0;
    }
    if (request->kind == kSendToWideTrackList && wideCalls_) return sendWideToHost(*request);
    const TrackList& list = *request->list;
    if (request->kind != 0 || list.count < 0 || (list.count > 0 && !list.items) ||
        (request->mode != kSendToPlay && request->mode != kSendToEnqueue)) {
        fault("ML_SEND_TO_HOST kind=" + std::to_string(request->kind) +
              " mode=" + std::to_string(request->mode) + " count=" + std::to_string(list.count));
        return 0;
    }
    std::vector<Track> tracks;
    for (std::int32_t i = 0; i < list.count; ++i) {
        const TrackRecord r = library_.recordAt(list.items, static_cast<std::size_t>(i));
        auto text = [](const char* value) {
            return value ? std::optional<std::string>(fromAnsi(value)) : std::nullopt;
        };
        Track track;
        track.filename = text(r.filename);
        track.title = text(r.title);
        track.artist = text(r.artist);
        track.length = r.length;
        tracks.push_back(std::move(track));
    }
    return playSent(tracks, request->mode, "ML_SEND_TO_HOST");
}

LRESULT Player::sendWideToHost(const SendToHostRecord& request) {
    const auto& list = *reinterpret_cast<const WideTrackList*>(request.list);
    if (list.count < 0 || (list.count > 0 && !list.items) ||
        (request.mode != kSendToPlay && request.mode != kSendToEnqueue)) {
        fault("ML_SEND_TO_HOST kind=" + std::to_string(request.kind) +
              " mode=" + std::to_string(request.mode) + " count=" + std::to_string(list.count));
        return 0;
    }
    std::vector<Track> tracks;
    for (std::int32_t i = 0; i < list.count; ++i)
        tracks.push_back(library_.wideRecordAt(list.items, static_cast<std::size_t>(i)));
    return playSent(tracks, request.mode, "ML_SEND_TO_HOST_WIDE");
}

LRESULT Player::playSent(const std::vector<Track>& tracks, std::int32_t mode,
                         const std::string& message) {
    std::vector<PlaylistEntry> entries;
    std::string files;
    for (const Track& track : tracks) {
        if (!track.filename) continue; // nothing to play
        PlaylistEntry entry = entryFor(*track.filename);
        if (track.title)
            entry.title = track.artist ? *track.artist + " - " + *track.title : *track.title;
        if (track.length > 0) entry.length = track.length;
        files += (files.empty() ? "" : ",") + entry.file;
        entries.push_back(std::move(entry));
    }
    record(message + " mode=" + std::to_string(mode) + " files=" + files);
    if (mode == kSendToEnqueue) {
        appendEntries(std::move(entries));
        return 1;
    }
    entries_ = std::move(entries);
    current_ = -1;
    playlistChanged();
    if (!entries_.empty()) startEntry(0);
    return 1;
}

LRESULT Player::addSendToItem(const SendToItemRecord* item) {
    if (!item || !item->label) {
        fault("ML_ADD_SEND_TO_ITEM without a label");
        return 0;
    }
    const std::string label = fromAnsi(item->label);
    record("ML_ADD_SEND_TO_ITEM " + label + " context=" + std::to_string(item->context) +
           " id=" + std::to_string(item->id));
    sendTo_.push_back({label, item->context, item->id});
    return 1;
}

LRESULT Player::addSendToItemWide(const WideSendToItemRecord* item) {
    if (!item || !item->label) {
        fault("ML_ADD_SEND_TO_ITEM_WIDE without a label");
        return 0;
    }
    const std::string label = wideToUtf8(item->label);
    record("ML_ADD_SEND_TO_ITEM_WIDE " + label + " context=" + std::to_string(item->context) +
           " id=" + std::to_string(item->id));
    sendTo_.push_back({label, item->context, item->id});
    return 1;
}

} // namespace tg::player
