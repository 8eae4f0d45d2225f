#include "core/launch/LaunchValues.h"

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "tests/core/messages/CRecordingMessageSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// One application of the launch values on a model, with the codes of the boxes shown.
struct LaunchRun {
    explicit LaunchRun(const char* type) { model.Identify(type); }

    std::vector<int> Apply() {
        CScopedRecordingSink recorder;
        CLaunchValues(commandLine, settings, model).Apply();
        std::vector<int> codes;
        for (const MessageBoxRequest& shown : recorder.Sink().m_vecShown) {
            const std::size_t at = shown.text.rfind("[code = ");
            codes.push_back(at == std::string::npos ? -1 : std::stoi(shown.text.substr(at + 8)));
        }
        return codes;
    }

    CControllerCommandLine commandLine;
    CControllerSettings settings{true};
    CPlotterModel model;
};

using Codes = std::vector<int>;

TEST(LaunchValues, NothingGivenChangesNothing) {
    LaunchRun run("WX8800-60");
    const CControllerSettings before = run.settings;
    EXPECT_EQ(run.Apply(), Codes{});
    EXPECT_EQ(run.settings.m_nTmbLength, before.m_nTmbLength);
    EXPECT_EQ(run.settings.m_nCutCondSetting, 0);
    EXPECT_EQ(run.settings.m_bTomboRead, 0);
}

TEST(LaunchValues, ForceControllerConditions) {
    LaunchRun run("WX8800-60");
    run.commandLine.m_bForceController = 1;
    EXPECT_EQ(run.Apply(), Codes{});
    EXPECT_EQ(run.settings.m_nCutCondSetting, 1);
}

TEST(LaunchValues, NoMarksCountsOnlyWithCutMode) {
    for (const int cutMode : {0, 1}) {
        LaunchRun run("WX8800-60");
        run.settings.m_bTomboRead = 1;
        run.commandLine.m_bCutMode = cutMode;
        run.commandLine.m_bNoMarks = 1;
        run.commandLine.m_bMarkLength = 1;
        run.commandLine.m_dMarkLength = cutMode ? 25.0 : 15.0; // 25 would be out of range
        run.commandLine.m_bMarkDistance = 1;
        run.commandLine.m_dMarkDistX = run.commandLine.m_dMarkDistY = 100.0;
        EXPECT_EQ(run.Apply(), Codes{}) << cutMode;
        if (cutMode) {
            EXPECT_EQ(run.settings.m_bTomboRead, 0);
            EXPECT_EQ(run.settings.m_nTmbLength, 10000);
            EXPECT_EQ(run.commandLine.m_bMarkLength, 0);
            EXPECT_EQ(run.commandLine.m_bMarkDistance, 0);
        } else {
            EXPECT_EQ(run.settings.m_nTmbLength, 15000);
            EXPECT_EQ(run.settings.m_bTomboRead, 1);
            EXPECT_EQ(run.commandLine.m_bNoMarks, 0);
        }
    }
}

TEST(LaunchValues, Orientations) {
    struct Case {
        int design;
        int media;
        Codes codes;
        int imageType;
        int mediaOrient;
    } const cases[] = {
        {1, 1, {}, 1, 1},
        {0, 0, {}, 0, 0},
        {2, 1, {msg::kBadDesignOrientation}, 1, 1},
        {1, 2, {msg::kBadMediaOrientation}, 1, 1},
        {2, 2, {msg::kBadDesignOrientation, msg::kBadMediaOrientation}, 1, 1},
    };
    for (const Case& c : cases) {
        LaunchRun run("RX3600-60");
        run.settings.m_nImageType = 1;
        run.settings.m_nMediaOrient = 1;
        run.commandLine.m_bDesignOrient = run.commandLine.m_bMediaOrient = 1;
        run.commandLine.m_nDesignOrient = c.design;
        run.commandLine.m_nMediaOrient = c.media;
        EXPECT_EQ(run.Apply(), c.codes) << c.design << c.media;
        EXPECT_EQ(run.settings.m_nImageType, c.imageType);
        EXPECT_EQ(run.settings.m_nMediaOrient, c.mediaOrient);
        EXPECT_EQ(run.commandLine.m_bDesignOrient, c.design == 2 ? 0 : 1);
        EXPECT_EQ(run.commandLine.m_bMediaOrient, c.media == 2 ? 0 : 1);
    }
}

TEST(LaunchValues, MarkDistanceByMediaOrientation) {
    struct Case {
        int orientation;
        double x;
        double y;
        Codes codes;
        int storedX;
        int storedY;
    } const cases[] = {
        // WX8800-60: across 0..582 mm, along 0..50000 mm.
        {1, 300, 200, {}, 300000, 200000},
        {1, 600, 200, {msg::kBadMarkDistance}, 7, 8},
        {0, 600, 200, {}, 600000, 200000}, // X along the medium
        {0, 200, 600, {msg::kBadMarkDistance}, 7, 8},
        {1, 582, 50000, {}, 582000, 50000000},
        {1, -0.001, 1, {msg::kBadMarkDistance}, 7, 8},
        {1, 300.5, 0.0005, {}, 300500, 0},
        {1, kNan, 200, {msg::kBadMarkDistance}, 7, 8},
        {1, 300, kInf, {msg::kBadMarkDistance}, 7, 8},
        {1, -kInf, 200, {msg::kBadMarkDistance}, 7, 8},
        {1, 1e300, 200, {msg::kBadMarkDistance}, 7, 8},
        {0, 4.3e6, 200, {msg::kBadMarkDistance}, 7, 8}, // micrometres beyond 32 bits
        {5, 600, 600, {}, 7, 8},                        // no orientation: ignored silently
    };
    for (const Case& c : cases) {
        LaunchRun run("WX8800-60");
        run.settings.m_nMediaOrient = c.orientation;
        run.settings.m_nTomboDisX = 7;
        run.settings.m_nTomboDisY = 8;
        run.commandLine.m_bMarkDistance = 1;
        run.commandLine.m_dMarkDistX = c.x;
        run.commandLine.m_dMarkDistY = c.y;
        SCOPED_TRACE(testing::Message() << c.orientation << " " << c.x << " " << c.y);
        EXPECT_EQ(run.Apply(), c.codes);
        EXPECT_EQ(run.settings.m_nTomboDisX, c.storedX);
        EXPECT_EQ(run.settings.m_nTomboDisY, c.storedY);
        const bool accepted = c.codes.empty() && c.storedX != 7;
        EXPECT_EQ(run.settings.m_bTomboRead, accepted ? 1 : 0);
        EXPECT_EQ(run.commandLine.m_bMarkDistance, c.codes.empty() ? 1 : 0);
    }
}

TEST(LaunchValues, MediaOrientationGivenAtLaunchDecidesTheDistanceAxes) {
    LaunchRun run("WX8800-60");
    run.settings.m_nMediaOrient = 0;
    run.commandLine.m_bMediaOrient = 1;
    run.commandLine.m_nMediaOrient = 1;
    run.commandLine.m_bMarkDistance = 1;
    run.commandLine.m_dMarkDistX = 600; // along would take it, across does not
    run.commandLine.m_dMarkDistY = 100;
    EXPECT_EQ(run.Apply(), Codes{msg::kBadMarkDistance});
}

TEST(LaunchValues, CorrectionMethodAndMarkTypeByFamily) {
    struct Case {
        const char* type;
        int method;
        int markType;
        Codes codes;
        int readType;
        int tmbType;
    } const cases[] = {
        {"WX8800-60", 3, 0, {}, 3, 0},
        {"Nimbo-Pro2", 3, 1, {msg::kBadCorrectionMethod}, 1, 1}, // no area correction
        {"Nimbo-Pro2", 2, 1, {}, 2, 1},
        {"RX3600-40", 5, 2, {msg::kBadCorrectionMethod, msg::kBadMarkType}, 1, 1},
        {"RX3600-40", -1, 1, {msg::kBadCorrectionMethod}, 1, 1},
        {"no such model", 5, 7, {}, 1, 1}, // no family: ignored without a message
    };
    for (const Case& c : cases) {
        LaunchRun run(c.type);
        run.commandLine.m_bCorrection = run.commandLine.m_bMarkType = 1;
        run.commandLine.m_nCorrection = c.method;
        run.commandLine.m_nMarkType = c.markType;
        EXPECT_EQ(run.Apply(), c.codes) << c.type;
        EXPECT_EQ(run.settings.m_nTmbReadType, c.readType) << c.type;
        EXPECT_EQ(run.settings.m_nTmbType, c.tmbType) << c.type;
    }
}

TEST(LaunchValues, StepLengthAndThickness) {
    struct Case {
        const char* type;
        double step;
        double length;
        double thickness;
        Codes codes;
        int storedStep;
        int storedLength;
        int storedThickness;
    } const cases[] = {
        {"WX8800-60", 100, 5, 0.3, {}, 100000, 5000, 300},
        {"WX8800-60", 10000, 20, 1.0, {}, 10000000, 20000, 1000},
        {"WX8800-60", 99.9, 25, 1.1, {1406, 1402, 1407}, 500000, 10000, 500},
        {"WX8800-60", kNan, kInf, -kInf, {1406, 1402, 1407}, 500000, 10000, 500},
        {"WX8800-60", 1e308, -1e308, 1e-300, {1406, 1402, 1407}, 500000, 10000, 500},
        {"RX3600-60", 500, 15, 0.5, {}, 500000, 15000, 500},
        {"Nimbo-Pro2", 500, 15, 0.5, {1406}, 500000, 15000, 500}, // no area method, no step
    };
    for (const Case& c : cases) {
        LaunchRun run(c.type);
        run.commandLine.m_bMarkStep = run.commandLine.m_bMarkLength =
            run.commandLine.m_bMarkThickness = 1;
        run.commandLine.m_dMarkStep = c.step;
        run.commandLine.m_dMarkLength = c.length;
        run.commandLine.m_dMarkThickness = c.thickness;
        SCOPED_TRACE(testing::Message()
                     << c.type << " " << c.step << " " << c.length << " " << c.thickness);
        EXPECT_EQ(run.Apply(), c.codes);
        EXPECT_EQ(run.settings.m_nTmbStep, c.storedStep);
        EXPECT_EQ(run.settings.m_nTmbLength, c.storedLength);
        EXPECT_EQ(run.settings.m_nTmbThickness, c.storedThickness);
        const bool stepRejected = std::ranges::count(c.codes, msg::kBadMarkStep) == 1;
        EXPECT_EQ(run.commandLine.m_bMarkStep, stepRejected ? 0 : 1);
    }
}

// -999.9 (a model without the setting) and -999.0 (no model known) bound nothing: a value
// equal to them is refused with its message, never stored.
TEST(LaunchValues, PlaceholderBoundsAcceptNothing) {
    struct Case {
        const char* type;
        double value;
    } const cases[] = {
        {"Nimbo-Pro2", -999.9}, // the step only; the other ranges are real
        {"no such model", -999.0},
        {"no such model", -999.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.value);
        LaunchRun run(c.type);
        CControllerCommandLine& cl = run.commandLine;
        run.settings.m_nMediaOrient = 1;
        cl.m_bMarkDistance = cl.m_bMarkStep = cl.m_bMarkLength = cl.m_bMarkThickness = 1;
        cl.m_dMarkDistX = cl.m_dMarkDistY = cl.m_dMarkStep = cl.m_dMarkLength =
            cl.m_dMarkThickness = c.value;
        const CControllerSettings before = run.settings;
        EXPECT_EQ(run.Apply(), (Codes{1403, 1406, 1402, 1407}));
        EXPECT_EQ(run.settings.m_nTomboDisX, before.m_nTomboDisX);
        EXPECT_EQ(run.settings.m_nTomboDisY, before.m_nTomboDisY);
        EXPECT_EQ(run.settings.m_nTmbStep, before.m_nTmbStep);
        EXPECT_EQ(run.settings.m_nTmbLength, before.m_nTmbLength);
        EXPECT_EQ(run.settings.m_nTmbThickness, before.m_nTmbThickness);
        EXPECT_EQ(cl.m_bMarkDistance + cl.m_bMarkStep + cl.m_bMarkLength + cl.m_bMarkThickness, 0);
    }
}

TEST(LaunchValues, MessagesComeInTheOrderOfTheSteps) {
    LaunchRun run("WX8800-60");
    CControllerCommandLine& cl = run.commandLine;
    cl.m_bDesignOrient = cl.m_bMediaOrient = cl.m_bMarkDistance = cl.m_bCorrection = 1;
    cl.m_bMarkType = cl.m_bMarkStep = cl.m_bMarkLength = cl.m_bMarkThickness = 1;
    cl.m_nDesignOrient = cl.m_nMediaOrient = 2;
    cl.m_dMarkDistX = cl.m_dMarkDistY = -1;
    cl.m_nCorrection = 4;
    cl.m_nMarkType = 2;
    cl.m_dMarkStep = cl.m_dMarkLength = cl.m_dMarkThickness = -1;
    EXPECT_EQ(run.Apply(), (Codes{1400, 1401, 1403, 1404, 1405, 1406, 1402, 1407}));
    for (const int flag :
         {cl.m_bDesignOrient, cl.m_bMediaOrient, cl.m_bMarkDistance, cl.m_bCorrection,
          cl.m_bMarkType, cl.m_bMarkStep, cl.m_bMarkLength, cl.m_bMarkThickness}) {
        EXPECT_EQ(flag, 0);
    }
}

} // namespace
