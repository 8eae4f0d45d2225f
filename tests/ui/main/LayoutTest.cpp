// Where the main window puts its controls, in every language, and which mark controls it
// offers.
#include "core/LanguageSet.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"
#include "ui/main/MarkPanelState.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// One user language of each language index.
constexpr std::uint16_t kLanguages[] = {1033, 1041, 1049, 3082, 1031, 1036, 2052};

std::vector<QRect> Pictures() {
    return {layout::kBladePicture,           layout::kDesignPortraitPicture,
            layout::kDesignLandscapePicture, layout::kMediaRotatedPicture,
            layout::kMediaUnrotatedPicture,  layout::kPreviewPicture};
}

class LayoutInLanguage : public ::testing::TestWithParam<std::uint16_t> {
protected:
    std::vector<ControlPlacement> Places() const {
        const CLanguageSet language(GetParam());
        return MainWindowLayout(
            {language.GetTextHeight(), language.GetWidthA(), language.GetWidthB()});
    }
};

TEST_P(LayoutInLanguage, EveryControlOnceAndInsideTheClientArea) {
    const QRect client(0, 0, layout::kClientWidth, layout::kClientHeight);
    std::set<int> ids;
    for (const ControlPlacement& place : Places()) {
        EXPECT_TRUE(ids.insert(place.id).second) << "id " << place.id << " twice";
        EXPECT_TRUE(client.contains(place.rect)) << "control " << place.id << " sticks out";
        EXPECT_FALSE(place.rect.isEmpty()) << "control " << place.id;
    }
    // The window's template: every control the handlers and tests reach by id.
    for (const int id : {ctl::kOk, ctl::kCancel, ctl::kTitle, ctl::kMediaType, ctl::kTestCut,
                         ctl::kArrowUp, ctl::kArrowDown, ctl::kArrowLeft, ctl::kArrowRight,
                         ctl::kUseKeyboard, ctl::kOrigin, ctl::kCrossCut, ctl::kMarks,
                         ctl::kDistanceX, ctl::kDistanceY, ctl::kReadMarks, ctl::kAdvanced}) {
        EXPECT_EQ(ids.count(id), 1u) << "control " << id << " missing";
    }
}

TEST_P(LayoutInLanguage, NoControlCoversAnotherOrAPicture) {
    const std::vector<ControlPlacement> places = Places();
    for (std::size_t i = 0; i < places.size(); ++i) {
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            EXPECT_FALSE(places[i].rect.intersects(places[j].rect))
                << "controls " << places[i].id << " and " << places[j].id << " overlap";
        }
        for (const QRect& picture : Pictures()) {
            EXPECT_FALSE(places[i].rect.intersects(picture))
                << "control " << places[i].id << " covers a picture";
        }
    }
}

TEST_P(LayoutInLanguage, PanelsHoldTheirControlsWithoutTouchingEachOther) {
    const std::vector<QRect> frames = layout::PanelFrames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (std::size_t j = i + 1; j < frames.size(); ++j) {
            EXPECT_FALSE(frames[i].intersects(frames[j])) << "panels " << i << " and " << j;
        }
    }
    // Everything below the title belongs to exactly one panel or to the button column.
    const QRect column(541, 44, 117, 421);
    for (const ControlPlacement& place : Places()) {
        if (place.id == ctl::kTitle) {
            continue;
        }
        int holders = column.contains(place.rect) ? 1 : 0;
        for (const QRect& frame : frames) {
            holders += frame.adjusted(1, 1, -1, -1).contains(place.rect) ? 1 : 0;
        }
        EXPECT_EQ(holders, 1) << "control " << place.id;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, LayoutInLanguage, ::testing::ValuesIn(kLanguages));

struct MarkCase {
    const char* name;
    MarkPanelInput in;
    MarkPanelEnabled expected;
};

class MarkControls : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkControls, FollowTheMarkSettings) {
    EXPECT_EQ(EnableMarkControls(GetParam().in), GetParam().expected);
}

// Input: available, read, auto, cut mode, launch owns the marks.
// Enabled: marks, search marks, distances, settings, read marks.
INSTANTIATE_TEST_SUITE_P(
    Cases, MarkControls,
    ::testing::Values(
        MarkCase{"NoMarkReadingOnThePlotter",
                 {false, true, false, false, false},
                 {false, false, false, false, false}},
        MarkCase{"MarksOff", {true, false, true, false, false}, {true, false, false, false, false}},
        MarkCase{"MarksOn", {true, true, true, false, false}, {true, true, true, true, true}},
        MarkCase{"CutModeWithSearchReadsOnCut",
                 {true, true, true, true, false},
                 {true, true, true, true, false}},
        MarkCase{"CutModeWithoutSearch",
                 {true, true, false, true, false},
                 {true, true, true, true, true}},
        MarkCase{"LaunchOwnsTheMarks",
                 {true, true, false, true, true},
                 {false, true, false, true, true}},
        MarkCase{"LaunchTurnedMarksOff",
                 {true, false, true, true, true},
                 {false, false, false, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
