// Any bytes as the settings file, with ANSI or UTF-8 texts: reading never
// crashes or runs past a field, UTF-8 texts stay valid UTF-8, and what was read
// writes a file that reads back to the very same settings and writes again byte
// for byte the same.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "support/fuzz_host.h"

#include <cstring>
#include <sstream>
#include <string>

namespace {

using namespace tg;

const std::string kFile = std::string(fuzz::kSettingsFolder) + "\\Plugins\\ml_tg.ini";

std::string field(const char (&text)[256]) {
    const std::size_t length = strnlen(text, sizeof text);
    fuzz::check(length < sizeof text, "a text field without its terminator");
    fuzz::check(length <= 254, "a text field longer than 254 characters");
    fuzz::check(!platform::utf8Texts() || isValidUtf8({text, length}), "a text that is no UTF-8");
    return std::string(text, length);
}

// Everything the file holds, as text, so two readings compare with one ==.
std::string describeSettings() {
    const ModelState& m = model();
    const GlobalOptions& o = m.options;
    std::ostringstream out;
    out << "options " << o.reservedFlag << ' ' << o.enabled << ' ' << o.columnCount << ' '
        << o.rowsPerColumn << ' ' << o.moreColumnCount << ' ' << definitionPosition(o.mainMenu)
        << ' ' << o.ownMenu << ' ' << o.hostMenuId << ' ' << o.maxRangeChars << ' '
        << o.systrayMiddleClick << ' ' << o.disableMenuActions << ' ' << o.keepMenuOnEnqueue << ' '
        << o.hotkey << ' ' << o.loadAllMenus << '\n';
    fuzz::check(o.mainMenu == nullptr || definitionPosition(o.mainMenu) >= 0,
                "the main menu points outside the list");
    for (const MenuDefinition& d : m.definitionList) {
        out << "levels";
        for (LevelType level : d.levels) out << ' ' << static_cast<int>(level);
        out << "\nflags " << static_cast<int>(d.sourceType) << ' ' << d.showAsSubmenu << ' '
            << d.addYearToAlbums << ' ' << d.yearPosition << ' ' << d.showTrackNumbers << ' '
            << d.timeDisplay << ' ' << static_cast<int>(d.clickAction) << '\n';
        fuzz::check(d.timeDisplay >= 0 && d.timeDisplay <= 2, "timeDisplay outside 0..2");
        out << "name " << fuzz::printable(field(d.name)) << "\nquery "
            << fuzz::printable(field(d.query)) << "\nfileTypes "
            << fuzz::printable(field(d.fileTypes)) << '\n';
    }
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::HostSession session;
    // A file whose header does not read leaves the first-run settings in place.
    static const std::string firstRun = [] {
        fuzz::writeFile(kFile, "");
        resetModel();
        readSettings();
        return describeSettings();
    }();
    fuzz::writeFile(kFile, fuzz::bytes(data, size));
    platform::setUtf8Texts(size / 7 % 2 == 1);

    resetModel();
    readSettings();
    const std::string first = describeSettings();
    // Every record read takes at least a few bytes of the file.
    fuzz::check(first == firstRun || model().definitionList.size() <= size / 2 + 1,
                "more records than the file holds");

    writeSettings();
    const std::string written = fuzz::readFile(kFile);
    resetModel();
    readSettings();
    const std::string second = describeSettings();
    if (first != second)
        fuzz::fail("settings changed on the way through the file:\n--- read\n" + first +
                   "--- read back\n" + second + "--- written\n" + fuzz::printable(written));

    writeSettings();
    fuzz::check(fuzz::readFile(kFile) == written, "the second writing differs from the first");
    return 0;
}
