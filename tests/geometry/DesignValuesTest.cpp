// The design client size and resolution beside the published properties: read
// into the component, written as measured at the moment of writing.
#include "support/QuorvelFixture.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using TValues = std::vector<std::pair<std::string, std::string>>;

class DesignValues : public TQuorvelFixture {
protected:
    static TValues Written(TComponent& form) {
        TValues design;
        for (auto& p : ObjectProperties(SaveFormText(form), "object Quorvel1: TQuorvel"))
            if (p.first.rfind("Design", 0) == 0)
                design.push_back(p);
        return design;
    }

    static std::array<int, 4> Read(const TQuorvel& q) {
        const auto s = q.State();
        return {s.DesignFrmW, s.DesignFrmH, s.DesignDpiW, s.DesignDpiH};
    }
};

const std::string Shuffled = "object Form1: TForm1\n  ClientHeight = 300\n  ClientWidth = 400\n"
                             "  object Quorvel1: TQuorvel\n    DesignDpiH = 120\n"
                             "    DesignFrmH = 250\n    DesignDpiW = 110\n"
                             "    DesignFrmW = 350\n  end\nend\n";

TEST_F(DesignValues, WrittenAsMeasuredWhenWriting) {
    UseDesktop(DesktopAt(144));
    auto& form = Load(FormText(""));
    SetClient(form, 1200, 800);
    EXPECT_EQ(Written(form), (TValues{{"DesignFrmW", "1200"},
                                      {"DesignFrmH", "800"},
                                      {"DesignDpiW", "144"},
                                      {"DesignDpiH", "144"}}));
    // The values read at load stay as they were.
    EXPECT_EQ(Read(Component(form)), (std::array{400, 300, 96, 96}));
}

TEST_F(DesignValues, ReadInAnyOrder) {
    auto& designed = Load(Shuffled, true);
    EXPECT_EQ(Read(Component(designed)), (std::array{350, 250, 110, 120}));
    auto& running = Load(Shuffled);
    EXPECT_EQ(Read(Component(running)), (std::array{350, 250, 110, 120}));
    EXPECT_EQ(Component(running).State().OwnerWidth, 350);
}

TEST_F(DesignValues, DesignerStoresWhatItReadsAndWritesWhatItMeasures) {
    auto& form = Load(Shuffled, true);
    EXPECT_EQ(Written(form), (TValues{{"DesignFrmW", "400"},
                                      {"DesignFrmH", "300"},
                                      {"DesignDpiW", "96"},
                                      {"DesignDpiH", "96"}}));
    // Without values in the file the fields stay 0 in the designer.
    auto& bare = Load("object Form2: TForm2\n  ClientHeight = 200\n  ClientWidth = 300\n"
                      "  object Quorvel1: TQuorvel\n  end\nend\n",
                      true);
    EXPECT_EQ(Read(Component(bare)), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(Written(bare), (TValues{{"DesignFrmW", "300"},
                                      {"DesignFrmH", "200"},
                                      {"DesignDpiW", "96"},
                                      {"DesignDpiH", "96"}}));
}

} // namespace
} // namespace QuorvelTest
