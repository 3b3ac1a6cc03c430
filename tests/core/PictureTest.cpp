#include <gtest/gtest.h>

#include <vector>

#include "Fixtures.h"
#include "core/Picture.h"

using namespace kelvaro;

namespace {

struct Case {
    const char* what;
    long long w, h; // as the game list gives them
    bool vertical, turned;
    long long mw, mh;
    const char* ini; // the game's INI lines that set render options
    // expected: the picture on the screen, borders, cut columns/lines, how it is fitted
    long long shownW, shownH, left, right, top, bottom, cutX, cutY;
    PictureFit fit;
};

} // namespace

// Each case worked out by hand from the emulator's rule (PictureInMode's comment).
TEST(Picture, DrawnAsTheEmulatorDrawsIt) {
    using enum PictureFit;
    const std::vector<Case> cases = {
        {"horizontal game, horizontal mode: stretched to its 4:3", 256, 224, false, false, 320, 240, "", 320, 240, 0, 0,
         0, 0, 0, 0, AspectKept},
        {"vertical game turned into its mode fills it on a 4:3 desktop", 224, 288, true, true, 288, 224, "", 288, 224,
         0, 0, 0, 0, 0, 0, AspectKept},
        {"horizontal game turned on a vertical monitor", 454, 262, false, true, 640, 480, "", 360, 480, 140, 140, 0, 0,
         0, 0, AspectKept},
        {"a monitor as wide as the mode: square pixels leave a border", 256, 224, false, false, 320, 224, "aspect 10:7",
         299, 224, 10, 11, 0, 0, 0, 0, AspectKept},
        {"a 4:3 monitor makes the pixels narrow", 256, 224, false, false, 320, 224, "aspect 4:3", 320, 224, 0, 0, 0, 0,
         0, 0, AspectKept},
        {"keepaspect off fills the mode", 224, 288, true, true, 320, 240, "keepaspect 0", 320, 240, 0, 0, 0, 0, 0, 0,
         Stretched},
        {"whole lines: 1 x 1 with a border", 224, 288, true, true, 320, 240, "unevenstretch 0", 288, 224, 16, 16, 8, 8,
         0, 0, WholeLines},
        {"whole lines: twice both ways", 320, 240, false, false, 640, 480, "unevenstretch 0", 640, 480, 0, 0, 0, 0, 0,
         0, WholeLines},
        {"intscalex over the whole scale that fits", 256, 224, false, false, 640, 480, "unevenstretch 0|intscalex 3",
         768, 448, 0, 0, 16, 16, 128, 0, WholeLines},
        {"intscalex counts for nothing while unevenstretch is on", 256, 224, false, false, 640, 480, "intscalex 3", 640,
         480, 0, 0, 0, 0, 0, 0, AspectKept},
        {"autostretchxy: a standing picture stretched down", 224, 288, true, false, 320, 240, "autostretchxy 1", 224,
         240, 48, 48, 0, 0, 0, 0, WholeAcross},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PictureFigures p = PictureInMode(c.w, c.h, c.vertical ? 0.75 : 4.0 / 3.0, c.turned, 60, c.mw, c.mh, 60,
                                               false, RenderOptionsFromIni(c.ini));
        EXPECT_EQ(std::vector<long long>({p.ShownWidth, p.ShownHeight, p.LeftColumns, p.RightColumns, p.TopLines,
                                          p.BottomLines, p.CutColumns, p.CutLines}),
                  std::vector<long long>({c.shownW, c.shownH, c.left, c.right, c.top, c.bottom, c.cutX, c.cutY}));
        EXPECT_EQ(p.Fit, c.fit);
        EXPECT_DOUBLE_EQ(p.ScaleX, static_cast<double>(c.shownW) / static_cast<double>(c.turned ? c.h : c.w));
        EXPECT_EQ(p.WholeScale(), c.shownW % (c.turned ? c.h : c.w) == 0 && c.shownH % (c.turned ? c.w : c.h) == 0);
    }
    // With aspect auto the desktop's shape is the monitor's: pong in 848 x 480, as the emulator drew
    // it under Xvfb on a 1024 x 768 desktop (unknown: 4:3 is assumed) and on a 1280 x 720 one.
    RenderOptions desktop;
    for (const auto& [aspect, shownW] : {std::pair{0.0, 848LL}, {1024.0 / 768, 848LL}, {1280.0 / 720, 636LL}}) {
        desktop.DesktopAspect = aspect;
        const PictureFigures p = PictureInMode(454, 262, 4.0 / 3.0, false, 60, 848, 480, 60, false, desktop);
        EXPECT_EQ(std::pair(p.ShownWidth, p.ShownHeight), std::pair(shownW, 480LL)) << aspect;
    }
}

TEST(Picture, OptionsFromTheIniLinesAndWhatIsAssumed) {
    const RenderOptions o = RenderOptionsFromIni("keepaspect 0|intscaley 2|aspect 16:9|aspect0 auto|unevenstretch x");
    EXPECT_FALSE(o.KeepAspect);
    EXPECT_TRUE(o.UnevenStretch); // not a number: the default stays
    EXPECT_EQ(o.IntScaleY, 2);
    EXPECT_DOUBLE_EQ(o.MonitorAspect, 16.0 / 9.0); // aspect0 "auto" leaves aspect in force
    EXPECT_EQ(AssumedRenderOptions(o), "unevenstretch 1, autostretchxy 0, intscalex 0");
    EXPECT_EQ(AssumedRenderOptions(RenderOptionsFromIni("aspect0 5:4|aspect 4:3")), "keepaspect 1, unevenstretch 1, "
                                                                                    "autostretchxy 0, intscalex 0, "
                                                                                    "intscaley 0");
    EXPECT_DOUBLE_EQ(RenderOptionsFromIni("aspect0 5:4|aspect 4:3").MonitorAspect, 1.25);
}

TEST(Picture, RefreshAndSpeedAndWhatTheGameRowsGive) {
    // A 55 Hz game at 60 Hz runs about 9% fast; an unknown rate gives no figures.
    PictureFigures p = PictureInMode(320, 240, 4.0 / 3.0, false, 55, 320, 240, 60, true);
    EXPECT_TRUE(p.Interlaced && p.RefreshKnown);
    EXPECT_DOUBLE_EQ(p.RefreshDifference, 5);
    EXPECT_NEAR(p.SpeedChangePercent, 9.0909, 1e-3);
    EXPECT_FALSE(PictureInMode(320, 240, 4.0 / 3.0, false, 55, 320, 240, 0, false).RefreshKnown);

    for (const char* turns : {"resolution 288x224|ror 1", "rol 1", "sound 0| ror 1 |x"})
        EXPECT_TRUE(TurnsPicture(turns)) << turns;
    for (const char* stays : {"", "resolution 288x224", "ror 0", "error 1", "ror 1x"})
        EXPECT_FALSE(TurnsPicture(stays)) << stays;

    // A vertical game's picture is 3:4 as the list gives it: turned into 288 x 224 with whole
    // lines it is drawn 1 x 1.
    const GameRow pac = fixtures::Game("PACMAN", "224", "288", "60.606061", "V");
    const std::optional<PictureFigures> turned =
        PictureOfGame(pac, true, fixtures::Mode("288", "224", "60"), RenderOptionsFromIni("unevenstretch 0"));
    ASSERT_TRUE(turned);
    EXPECT_TRUE(turned->ExactSize() && turned->WholeScale());
    EXPECT_NEAR(turned->RefreshDifference, -0.606061, 1e-9);
    EXPECT_FALSE(PictureOfGame(fixtures::Game("AST", "-", "-", "-", "H"), false, fixtures::Mode("640", "480", "60")));
    EXPECT_FALSE(PictureOfGame(pac, false, fixtures::Mode("", "480", "60")));
}
