// Test main: every test starts on a fresh simulated platform and model, and a
// test that leaves a platform fault behind (a destroyed menu used, a send never
// pumped) fails even when its own assertions passed.
#include "actions/plugin_playlist.h"
#include "menus/multi_level_order.h"
#include "model/model_state.h"
#include "platform/sim/inspect.h"

#include <gtest/gtest.h>

namespace {

class FreshPlatform : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        tg::platform::sim::reset();
        tg::resetModel();
        tg::resetPluginPlaylistState();
        tg::resetMultiLevelOrderState();
    }
    void OnTestEnd(const testing::TestInfo&) override {
        for (const std::string& fault : tg::platform::sim::takeFaults())
            ADD_FAILURE() << "platform fault: " << fault;
    }
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatform);
    return RUN_ALL_TESTS();
}
