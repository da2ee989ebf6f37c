// Where the taskbar is and how much of a monitor it takes, as the maximum-size
// handling asks it.
#include "support/QuorvelFixture.h"

#include "quorvel/component/Placement.h"

namespace QuorvelTest {
namespace {

using namespace Win32;

class Taskbar : public TQuorvelFixture {};

struct TBar {
    Sim::TTaskbarConfig Config;
    bool ValidTaskbar;
    std::array<int, 2> Given;
    int Edge;
    UINT PlatformEdge;
    std::array<int, 4> Rect;
    std::array<int, 2> Left;
};

using E = Sim::TTaskbarEdge;

// Sizes given: the primary monitor's, and a smaller monitor's.
constexpr std::array<int, 2> Full{1920, 1080};
constexpr std::array<int, 2> Small{1280, 1024};

const TBar Bars[] = {
    {{E::Bottom, 40, false}, true, Full, 3, ABE_BOTTOM, {0, 1040, 1920, 1080}, {1920, 1040}},
    {{E::Bottom, 40, false}, false, Full, 3, ABE_BOTTOM, {0, 1040, 1920, 1080}, {1920, 1080}},
    {{E::Left, 60, false}, true, Full, 1, ABE_LEFT, {0, 0, 60, 1080}, {1860, 1080}},
    {{E::Top, 30, false}, true, Full, 0, ABE_TOP, {0, 0, 1920, 30}, {1920, 1050}},
    {{E::Right, 50, false}, true, Full, 2, ABE_RIGHT, {1870, 0, 1920, 1080}, {1870, 1080}},
    // Self-hiding: collapsed onto its edge, nothing taken.
    {{E::Bottom, 40, true}, true, Full, 3, ABE_BOTTOM, {0, 1080, 1920, 1080}, {1920, 1080}},
    {{E::Left, 60, true}, true, Full, 1, ABE_LEFT, {0, 0, 0, 1080}, {1920, 1080}},
    {{E::Top, 30, true}, true, Full, 0, ABE_TOP, {0, 0, 1920, 0}, {1920, 1080}},
    {{E::Right, 50, true}, true, Full, 2, ABE_RIGHT, {1920, 0, 1920, 1080}, {1920, 1080}},
    // Reaching beyond the size given: clipped before its thickness is taken.
    {{E::Left, 60, false}, true, Small, 1, ABE_LEFT, {0, 0, 60, 1024}, {1220, 1024}},
    {{E::Top, 30, false}, true, Small, 0, ABE_TOP, {0, 0, 1280, 30}, {1280, 994}},
    // Lying wholly beyond the size given (a smaller second monitor): it takes nothing
    // rather than a negative thickness.
    {{E::Bottom, 40, false}, true, Small, 3, ABE_BOTTOM, {0, 1040, 1280, 1040}, {1280, 1024}},
};

TEST_F(Taskbar, EdgeRectangleAndTheRoomLeft) {
    for (const TBar& bar : Bars) {
        SCOPED_TRACE(::testing::Message()
                     << "edge " << bar.Edge << " auto-hide " << bar.Config.AutoHide << " valid "
                     << bar.ValidTaskbar << " given " << bar.Given[0]);
        Desktop->SetTaskbar(bar.Config);
        int width = bar.Given[0], height = bar.Given[1];
        auto edge = static_cast<Quorvel::Core::TTaskbarEdge>(99);
        APPBARDATA data = Quorvel::GetTaskbarInfo(width, height, edge, bar.ValidTaskbar);
        EXPECT_EQ(static_cast<int>(edge), bar.Edge);
        EXPECT_EQ(data.uEdge, bar.PlatformEdge);
        EXPECT_EQ(data.cbSize, sizeof(APPBARDATA));
        EXPECT_EQ((std::array{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom}), bar.Rect);
        EXPECT_EQ((std::array{width, height}), bar.Left);
    }
}

TEST_F(Taskbar, NothingIsAskedBeforeVersion4) {
    Sim::TDesktopConfig config;
    config.OsMajor = 3;
    config.OsMinor = 51;
    UseDesktop(config);
    int width = 1920, height = 1080;
    auto edge = static_cast<Quorvel::Core::TTaskbarEdge>(99);
    APPBARDATA data = Quorvel::GetTaskbarInfo(width, height, edge, true);
    EXPECT_EQ(edge, Quorvel::Core::teNone);
    EXPECT_EQ(data.cbSize, 0u);
    EXPECT_EQ((std::array{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom}),
              (std::array{0, 0, 0, 0}));
    EXPECT_EQ((std::array{width, height}), (std::array{1920, 1080}));
}

} // namespace
} // namespace QuorvelTest
