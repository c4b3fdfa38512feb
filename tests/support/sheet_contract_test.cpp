#include "app/assets.hpp"
#include "game/main_menu.hpp"
#include "support/frame_script.hpp"
#include "support/headless.hpp"
#include "support/sheet_manifest.hpp"

#include <gtest/gtest.h>

namespace {

// Every region a screen reads from the element sheet must be a piece the asset generator
// draws; otherwise the game shows garbage or transparency there. Every test of this binary
// records the regions it drew, and this check runs when the binary ends.
class SheetContractCheck : public ::testing::Environment {
  public:
    void TearDown() override {
        for (const std::string& region : support::sheetRegionsOutsideManifest()) {
            ADD_FAILURE() << "drawn from the element sheet outside every manifest piece: "
                          << region;
        }
    }
};

const auto* const kCheck = ::testing::AddGlobalTestEnvironment(new SheetContractCheck);

TEST(SheetContract, TheMainMenuDrawsOnlyManifestPieces) {
    support::startHeadless();
    support::FrameScript script;
    script.mouseAt(60, 400, 190, 0).mouseAt(70, 400, 430, 0).mouseAt(75, 400, 430, 1).install();
    game::mainMenu();
    EXPECT_FALSE(standin::drawsOf(app::Assets.sheet).empty());
    EXPECT_TRUE(support::sheetRegionsOutsideManifest().empty());
}

} // namespace
