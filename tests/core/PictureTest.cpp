#include <gtest/gtest.h>

#include <vector>

#include "Fixtures.h"
#include "core/Picture.h"

using namespace kelvaro;

namespace {

struct Case {
    const char* what;
    long long w, h;
    bool turned;
    long long mw, mh;
    // expected: seen size, whole scales, fit, left/right, top/bottom, cut columns/lines
    long long seenW, seenH;
    bool wholeX, wholeY;
    long long fitX, fitY, left, right, top, bottom, cutX, cutY;
};

} // namespace

TEST(Picture, FiguresOfKnownCases) {
    const std::vector<Case> cases = {
        {"vertical game turned into its mode", 224, 288, true, 288, 224, 288, 224, true, true, 1, 1, 0, 0, 0, 0, 0, 0},
        {"vertical game in 320 x 240", 224, 288, false, 320, 240, 224, 288, false, false, 1, 1, 48, 48, 0, 0, 0, 48},
        {"doubled both ways", 320, 240, false, 640, 480, 320, 240, true, true, 2, 2, 0, 0, 0, 0, 0, 0},
        {"odd border goes to the far side", 301, 224, false, 320, 240, 301, 224, false, false, 1, 1, 9, 10, 8, 8, 0, 0},
        {"larger than the mode", 384, 256, false, 320, 240, 384, 256, false, false, 1, 1, 0, 0, 0, 0, 64, 16},
        {"twice across with room left", 256, 224, false, 640, 240, 256, 224, false, false, 2, 1, 64, 64, 8, 8, 0, 0},
    };
    for (const Case& c : cases) {
        const PictureFigures p = PictureInMode(c.w, c.h, c.turned, 60, c.mw, c.mh, 60, false);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(std::vector<long long>({p.NativeWidth, p.NativeHeight, p.FitX, p.FitY, p.LeftColumns, p.RightColumns,
                                          p.TopLines, p.BottomLines, p.CutColumns, p.CutLines}),
                  std::vector<long long>(
                      {c.seenW, c.seenH, c.fitX, c.fitY, c.left, c.right, c.top, c.bottom, c.cutX, c.cutY}));
        EXPECT_EQ(p.WholeX, c.wholeX);
        EXPECT_EQ(p.WholeY, c.wholeY);
        EXPECT_DOUBLE_EQ(p.ScaleX, static_cast<double>(c.mw) / static_cast<double>(c.seenW));
        EXPECT_EQ(p.ExactSize(), c.seenW == c.mw && c.seenH == c.mh);
    }
}

TEST(Picture, RefreshAndSpeedAndWhatTheGameRowsGive) {
    // A 55 Hz game at 60 Hz runs about 9% fast; an unknown rate gives no figures.
    PictureFigures p = PictureInMode(320, 240, false, 55, 320, 240, 60, true);
    EXPECT_TRUE(p.Interlaced && p.RefreshKnown);
    EXPECT_DOUBLE_EQ(p.RefreshDifference, 5);
    EXPECT_NEAR(p.SpeedChangePercent, 9.0909, 1e-3);
    EXPECT_FALSE(PictureInMode(320, 240, false, 55, 320, 240, 0, false).RefreshKnown);

    for (const char* turns : {"resolution 288x224|ror 1", "rol 1", "sound 0| ror 1 |x"})
        EXPECT_TRUE(TurnsPicture(turns)) << turns;
    for (const char* stays : {"", "resolution 288x224", "ror 0", "error 1", "ror 1x"})
        EXPECT_FALSE(TurnsPicture(stays)) << stays;

    const GameRow pac = fixtures::Game("PACMAN", "224", "288", "60.606061", "V");
    const std::optional<PictureFigures> turned = PictureOfGame(pac, true, fixtures::Mode("288", "224", "60"));
    ASSERT_TRUE(turned);
    EXPECT_TRUE(turned->ExactSize() && turned->WholeScale());
    EXPECT_NEAR(turned->RefreshDifference, -0.606061, 1e-9);
    EXPECT_FALSE(PictureOfGame(fixtures::Game("AST", "-", "-", "-", "H"), false, fixtures::Mode("640", "480", "60")));
    EXPECT_FALSE(PictureOfGame(pac, false, fixtures::Mode("", "480", "60")));
}
