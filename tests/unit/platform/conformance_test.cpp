// The platform seam's conformance table (tests/platform_conformance) against
// the simulated platform; tg_wine_platform_conformance runs it against Win32.
#include "platform/file.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform_conformance/seam_case.h"
#include "player/driver/menu_loop.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <thread>

namespace tg::conformance {

// gtest names a failing case by this.
void PrintTo(const SeamCase& seamCase, std::ostream* out) {
    *out << seamCase.name;
}

namespace {

class SimulatedSurroundings : public Surroundings {
public:
    HINSTANCE module() override { return reinterpret_cast<HINSTANCE>(0x10000000); }
    void pumpMessages() override { platform::sim::pump(); }
    bool pumpUntil(bool (*done)()) override {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < limit) {
            if (platform::sim::pump() == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    std::string scratchFolder() override {
        drive_.folder("scratch");
        return "T:\\scratch";
    }
    void hide(const std::string& windowsPath) override {
        platform::sim::setHidden(platform::hostPath(windowsPath));
    }
    void clickTrackedItem(HWND owner, HMENU popup, int position) override {
        driver::MenuLoop loop(owner, nullptr);
        loop.follow([&] { platform::trackPopupMenuEx(popup, 0, 200, 200, owner); });
        loop.choose(popup, position);
        loop.closeAll();
        platform::sim::pump();
    }

private:
    test::TempDrive drive_{'T'};
};

class SeamConformance : public testing::TestWithParam<SeamCase> {};

TEST_P(SeamConformance, AnswersAsWindowsDoes) {
    const SeamCase& seamCase = GetParam();
    SimulatedSurroundings around;
    EXPECT_EQ(seamCase.run(around), seamCase.expected);
    const std::vector<std::string> faults = platform::sim::takeFaults();
    if (seamCase.misuse)
        EXPECT_FALSE(faults.empty()) << "the misuse went unreported";
    else
        for (const std::string& fault : faults) ADD_FAILURE() << "platform fault: " << fault;
}

INSTANTIATE_TEST_SUITE_P(Platform, SeamConformance, testing::ValuesIn(seamCases()),
                         [](const testing::TestParamInfo<SeamCase>& param) {
                             return std::string(param.param.area) + "_" + param.param.name;
                         });

} // namespace
} // namespace tg::conformance
