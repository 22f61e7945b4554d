// Test main: every test starts on a fresh simulated platform, model and player,
// and a test that leaves a platform or player fault behind (a destroyed menu
// used, a send never pumped, a query result never freed) fails even when its
// own assertions passed.
#include "platform/sim/inspect.h"
#include "player/driver/plugin_driver.h"
#include "player/player.h"

#include <gtest/gtest.h>

namespace {

class FreshPlatform : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { tg::driver::resetProcess(); }
    void OnTestEnd(const testing::TestInfo&) override {
        for (const std::string& fault : tg::platform::sim::takeFaults())
            ADD_FAILURE() << "platform fault: " << fault;
        tg::player::Player& player = tg::player::player();
        for (const std::string& fault : player.takeFaults())
            ADD_FAILURE() << "player fault: " << fault;
        if (player.liveQueryResults() != 0)
            ADD_FAILURE() << player.liveQueryResults() << " query results never freed";
        if (player.liveFileInfoRecords() != 0)
            ADD_FAILURE() << player.liveFileInfoRecords() << " file info records never freed";
    }
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatform);
    return RUN_ALL_TESTS();
}
