#include "click_report.h"

#include "actions/plugin_playlist.h"
#include "json_text.h"
#include "platform/sim/inspect.h"

#include <cstdio>

namespace tg::preview {

namespace {

std::string joined(const std::vector<std::string>& labels, const char* between) {
    std::string text;
    for (const std::string& label : labels) text += (text.empty() ? "" : between) + label;
    return text;
}

void printStrings(std::ostream& out, const std::vector<std::string>& texts) {
    if (texts.empty()) {
        out << "[]";
        return;
    }
    out << "[\n";
    for (std::size_t i = 0; i < texts.size(); ++i)
        out << "    " << jsonString(texts[i]) << (i + 1 < texts.size() ? ",\n" : "\n");
    out << "  ]";
}

} // namespace

ClickSnapshot clickSnapshot() {
    return {player::player().log().size(), platform::sim::messageBoxes().size()};
}

ClickReport collectClickReport(const ClickSnapshot& before, bool menusStayOpen) {
    const player::Player& p = player::player();
    ClickReport report;
    const std::vector<std::string>& log = p.log();
    for (std::size_t i = before.logLines; i < log.size(); ++i)
        if (!isMenuLoopMessage(log[i])) report.messages.push_back(log[i]);
    const auto& boxes = platform::sim::messageBoxes();
    for (std::size_t i = before.messageBoxes; i < boxes.size(); ++i)
        report.messageBoxes.push_back({boxes[i].caption, boxes[i].text});
    report.menusStayOpen = menusStayOpen;
    report.playlist = p.playlist();
    report.current = p.currentIndex();
    report.playing = p.playing();
    if (report.playing && !p.startedFiles().empty()) report.nowPlaying = p.startedFiles().back();
    for (const QueueEntry& entry : pluginPlaylist()) report.queue.push_back(entry.file);
    return report;
}

bool isMenuLoopMessage(const std::string& logLine) {
    return logLine == "WM_INITMENUPOPUP" || logLine == "WM_MENUSELECT" ||
           logLine == "WM_UNINITMENUPOPUP";
}

std::string lengthText(int seconds) {
    if (seconds < 0) return "?";
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    else
        std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

void printClickReport(std::ostream& out, const ClickReport& report) {
    out << (report.action.empty() ? "left click on " : "context menu \"" + report.action + "\" on ")
        << joined(report.trail, " > ") << '\n';
    out << "messages to the player:\n";
    if (report.messages.empty()) out << "  (none)\n";
    for (const std::string& line : report.messages) out << "  " << line << '\n';
    for (const MessageBoxNote& box : report.messageBoxes)
        out << "message box \"" << box.caption << "\": " << box.text << '\n';
    out << "menus: " << (report.menusStayOpen ? "stay open" : "closed") << '\n';

    out << "playlist: " << report.playlist.size() << " entries";
    if (report.current >= 0)
        out << ", " << (report.playing ? "playing " : "stopped at ") << report.current + 1;
    out << '\n';
    for (std::size_t i = 0; i < report.playlist.size(); ++i) {
        const player::PlaylistEntry& entry = report.playlist[i];
        out << (static_cast<int>(i) == report.current ? "> " : "  ") << i + 1 << ". " << entry.file
            << "  [" << entry.title << ", " << lengthText(entry.length) << "]\n";
    }
    out << "now playing: " << (report.nowPlaying.empty() ? "nothing" : report.nowPlaying) << '\n';
    out << "play-next queue: " << report.queue.size() << " entries\n";
    for (std::size_t i = 0; i < report.queue.size(); ++i)
        out << "  " << i + 1 << ". " << report.queue[i] << '\n';
}

void printClickReportJson(std::ostream& out, const ClickReport& report) {
    out << "{\n  \"clicked\": ";
    printStrings(out, report.trail);
    out << ",\n  \"action\": "
        << (report.action.empty() ? std::string("null") : jsonString(report.action))
        << ",\n  \"messages\": ";
    printStrings(out, report.messages);
    out << ",\n  \"messageBoxes\": [";
    for (std::size_t i = 0; i < report.messageBoxes.size(); ++i)
        out << (i ? ", " : "") << "{\"caption\": " << jsonString(report.messageBoxes[i].caption)
            << ", \"text\": " << jsonString(report.messageBoxes[i].text) << '}';
    out << "],\n  \"menusStayOpen\": " << (report.menusStayOpen ? "true" : "false")
        << ",\n  \"playlist\": {\"current\": " << report.current
        << ", \"playing\": " << (report.playing ? "true" : "false") << ", \"entries\": [";
    for (std::size_t i = 0; i < report.playlist.size(); ++i) {
        const player::PlaylistEntry& entry = report.playlist[i];
        out << (i ? "," : "") << "\n    {\"file\": " << jsonString(entry.file)
            << ", \"title\": " << jsonString(entry.title) << ", \"length\": " << entry.length
            << '}';
    }
    out << (report.playlist.empty() ? "]}" : "\n  ]}") << ",\n  \"nowPlaying\": "
        << (report.nowPlaying.empty() ? std::string("null") : jsonString(report.nowPlaying))
        << ",\n  \"queue\": ";
    printStrings(out, report.queue);
    out << "\n}\n";
}

} // namespace tg::preview
