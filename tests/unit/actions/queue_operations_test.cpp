// The queue's own operations, without the player.
#include "actions/plugin_playlist.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> files() {
    std::vector<std::string> out;
    for (const tg::QueueEntry& e : tg::pluginPlaylist()) out.push_back(e.file);
    return out;
}

void fill(std::initializer_list<const char*> names) {
    for (const char* name : names) tg::appendToPluginPlaylist(std::string_view(name));
}

struct EditCase {
    const char* name;
    std::function<bool()> edit; // returns what the operation reported
    bool reported;
    std::vector<std::string> after;
};

TEST(QueueOperations, EditsChangeOnlyWhatTheyNameAndRefuseMissingEntries) {
    const std::vector<EditCase> cases = {
        {"remove head", [] { return tg::removePluginPlaylistEntry(0); }, true, {"b", "c"}},
        {"remove middle", [] { return tg::removePluginPlaylistEntry(1); }, true, {"a", "c"}},
        {"remove tail", [] { return tg::removePluginPlaylistEntry(2); }, true, {"a", "b"}},
        {"remove past end",
         [] { return tg::removePluginPlaylistEntry(3); },
         false,
         {"a", "b", "c"}},
        {"remove negative",
         [] { return tg::removePluginPlaylistEntry(-1); },
         false,
         {"a", "b", "c"}},
        {"exchange first pair",
         [] { return tg::exchangePluginPlaylistEntries(0); },
         true,
         {"b", "a", "c"}},
        {"exchange last pair",
         [] { return tg::exchangePluginPlaylistEntries(1); },
         true,
         {"a", "c", "b"}},
        {"exchange without a neighbour",
         [] { return tg::exchangePluginPlaylistEntries(2); },
         false,
         {"a", "b", "c"}},
        {"exchange negative",
         [] { return tg::exchangePluginPlaylistEntries(-1); },
         false,
         {"a", "b", "c"}},
        {"put at head",
         [] {
             tg::putAtPluginPlaylistHead("x");
             return true;
         },
         true,
         {"x", "a", "b", "c"}},
        {"append",
         [] {
             tg::appendToPluginPlaylist(std::string_view("x"));
             return true;
         },
         true,
         {"a", "b", "c", "x"}},
        {"append null",
         [] { return tg::appendToPluginPlaylist(static_cast<const char*>(nullptr)); },
         false,
         {"a", "b", "c"}},
        {"empty",
         [] {
             tg::emptyPluginPlaylist();
             return true;
         },
         true,
         {}},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        tg::resetPluginPlaylistState();
        fill({"a", "b", "c"});
        EXPECT_EQ(c.edit(), c.reported);
        EXPECT_EQ(files(), c.after);
        EXPECT_EQ(tg::pluginPlaylistSize(), static_cast<int>(c.after.size()));
        EXPECT_EQ(tg::pluginPlaylistEmpty(), c.after.empty());
    }
}

TEST(QueueOperations, DuplicatesAreSeparateEntriesWithTheirOwnSerials) {
    fill({"same", "same", "same"});
    const std::uint32_t middle = tg::pluginPlaylistEntry(1)->serial;
    EXPECT_NE(middle, tg::pluginPlaylistEntry(0)->serial);
    EXPECT_NE(middle, tg::pluginPlaylistEntry(2)->serial);

    ASSERT_TRUE(tg::removeQueueEntry(middle));
    EXPECT_EQ(tg::pluginPlaylistSize(), 2);
    EXPECT_EQ(tg::findQueueEntry(middle), nullptr);
    EXPECT_FALSE(tg::removeQueueEntry(middle)); // gone once, gone for good
    EXPECT_EQ(tg::pluginPlaylistSize(), 2);
}

TEST(QueueOperations, SerialsTravelWithTheirFilesWhenEntriesMove) {
    fill({"a", "b", "c"});
    const std::uint32_t a = tg::pluginPlaylistEntry(0)->serial;
    const std::uint32_t c = tg::pluginPlaylistEntry(2)->serial;

    ASSERT_TRUE(tg::exchangeQueueEntries(a, c));
    EXPECT_EQ(files(), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(tg::findQueueEntry(a)->file, "a");
    EXPECT_EQ(tg::pluginPlaylistEntry(2)->serial, a);

    tg::putAtPluginPlaylistHead("h");
    EXPECT_EQ(tg::findQueueEntry(c)->file, "c"); // other entries keep their identity
    EXPECT_FALSE(tg::exchangeQueueEntries(a, 0));
    EXPECT_EQ(files(), (std::vector<std::string>{"h", "c", "b", "a"}));
}

TEST(QueueOperations, EntriesOwnTheirTextAndKeepItWhole) {
    std::string name(5000, 'n');
    name += ".mp3";
    std::string source = name;
    tg::appendToPluginPlaylist(source.c_str());
    source.assign(10, 'x'); // the caller's buffer is reused
    ASSERT_EQ(tg::pluginPlaylistSize(), 1);
    EXPECT_EQ(tg::pluginPlaylistEntry(0)->file, name);
}

} // namespace
