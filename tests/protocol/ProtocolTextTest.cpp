// Every byte the controller sends, checked byte for byte (ESC and ETX included).
#include "protocol/ProtocolText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace proto;

const std::string E = "\x1b";
const std::string X = "\x03";

struct TextCase {
    const char* what;
    std::string actual;
    std::string expected;
};

void ExpectAll(const std::vector<TextCase>& cases) {
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.what;
    }
}

TEST(ProtocolText, QueriesAreEscDotCAndColonWithNothingAppended) {
    ExpectAll({
        {"status", StatusQuery(), E + ".C1:"},
        {"step size", StepSizeQuery(), E + ".C31;16:"},
        {"model and firmware", ModelAndFirmwareQuery(), E + ".C31;9:"},
        {"command set", CommandSetQuery(), E + ".C31;24:"},
        {"marks available", MarksAvailableQuery(), E + ".C31;17:"},
        {"media orientation", MediaOrientationQuery(), E + ".C31;20:"},
        {"mirror", MirrorQuery(), E + ".C31;26:"},
        {"tool", SelectedToolQuery(), E + ".C31;14:"},
        {"force", ForceQuery(), E + ".C31;13:"},
        {"speed", SpeedQuery(), E + ".C31;11:"},
        {"quality", QualityQuery(), E + ".C31;12:"},
        {"offset", OffsetQuery(), E + ".C31;15:"},
        {"page length", PageLengthQuery(), E + ".C31;25:"},
        {"offset angle", OffsetAngleQuery(), E + ".C31;30:"},
        {"initial down force", InitialDownForceQuery(), E + ".C31;32:"},
        {"step pass", StepPassQuery(), E + ".C31;31:"},
        {"pen-up speed", PenUpSpeedQuery(), E + ".C31;29:"},
        {"auto pre-feed", AutoPreFeedQuery(), E + ".C31;27:"},
        {"fan power", FanPowerQuery(), E + ".C31;34:"},
        {"distance adjust 1", DistanceAdjustQuery(1), E + ".C31;33;1:"},
        {"distance adjust 9", DistanceAdjustQuery(9), E + ".C31;33;9:"},
        {"tangential mode", TangentialModeQuery(), E + ".C31;28;0:"},
        {"tangential mode slot 1", TangentialModeSlotQuery(1), E + ".C31;28;11:"},
        {"tangential mode slot 9", TangentialModeSlotQuery(9), E + ".C31;28;19:"},
        {"tangential 1", TangentialEmulationQuery(1), E + ".C31;28;1:"},
        {"tangential 9", TangentialEmulationQuery(9), E + ".C31;28;9:"},
        {"mark read state", MarkReadStateQuery(), E + ".C11:"},
        {"enter state", EnterStateQuery(), E + ".C13:"},
        {"marks read", MarksReadQuery(), "TC23," + X},
    });
}

TEST(ProtocolText, DeviceControlsWithoutReply) {
    ExpectAll({
        {"enter", PressEnterControl(), E + ".C14:"},
        {"abort marks", AbortMarkReadingControl(), E + ".C12:"},
        {"start marks", StartMarkReadingControl(), E + ".C10:"},
        {"jog 0", JogKeysControl(0), E + ".C21;0:"},
        {"jog 17", JogKeysControl(17), E + ".C21;17:"},
    });
}

TEST(ProtocolText, SettingCommandsEndWithEtx) {
    ExpectAll({
        {"speed 30 is x10", SpeedCommand(30), "TC1,300" + X},
        {"quality 2 is x5", QualityCommand(2), "TC2,10" + X},
        {"force", ForceCommand(14), "TC3,14" + X},
        {"tool undefined", ToolCommand(-999), "TC4,-999" + X},
        {"offset negative", OffsetCommand(-3), "TC5,-3" + X},
        {"test pattern", TestPatternCommand(), "TC7," + X},
        {"five patterns", FiveTestPatternsCommand(), "TC8," + X},
        {"panel settings", UsePanelSettingsCommand(), "TC10," + X},
        {"orientation", MediaOrientationCommand(1), "TC21,1" + X},
        {"command set", CommandSetCommand(1), "TC24,1" + X},
        {"page length", PageLengthCommand(150000), "TC25,150000" + X},
        {"mirror", MirrorCommand(1), "TC26,1" + X},
        {"pre-feed", AutoPreFeedCommand(1, 9140), "TC27,1,9140" + X},
        {"tangential mode", TangentialModeCommand(2), "TC28,0,2" + X},
        {"tangential mode slot", TangentialModeSlotCommand(3, 2), "TC28,13,2" + X},
        {"tangential entry", TangentialEmulationCommand(2, 1, 14, 22), "TC28,2,1,14,22" + X},
        {"pen-up speed", PenUpSpeedCommand(4), "TC29,4" + X},
        {"offset angle", OffsetAngleCommand(30), "TC30,30" + X},
        {"step pass", StepPassCommand(5), "TC31,5" + X},
        {"initial down force", InitialDownForceCommand(7), "TC32,7" + X},
        {"distance adjust", DistanceAdjustCommand(1, 1, 150, 225), "TC33,1,1,150,225" + X},
        {"fan power", FanPowerCommand(1), "TC34,1" + X},
        {"cross cut", CrossCutCommand(), "TC35," + X},
        {"origin", MoveToOriginCommand(), "TC36," + X},
        {"mark length", MarkLineLengthCommand(200), "TB51,200," + X},
        {"mark type 0 is 1", MarkTypeCommand(0), "TB52,1," + X},
        {"mark type 1 is 2", MarkTypeCommand(1), "TB52,2," + X},
        {"mark thickness", MarkThicknessCommand(10), "TB53,10," + X},
        {"mark sensor", MarkSensorCommand(), "TB55,1," + X},
        {"mark sequence", MarkSequenceCommand(), "TB99," + X},
    });
}

TEST(ProtocolText, ScaledValuesNeverWrapAround) {
    EXPECT_EQ(SpeedCommand(2147483647), "TC1,21474836470" + X);
    EXPECT_EQ(QualityCommand(-2147483647 - 1), "TC2,-10737418240" + X);
    EXPECT_EQ(MarkTypeCommand(2147483647), "TB52,2147483648," + X);
}

TEST(ProtocolText, MarkSearchByMethodAutomaticAndOrientation) {
    auto search = [](int method, bool automatic, int orientation) {
        return MarkSearchCommand({method, automatic, 4000, 3000, orientation, 500});
    };
    ExpectAll({
        {"2 points auto", search(0, true, 0), "TB122,4000," + X},
        {"2 points manual", search(0, false, 0), "TB222,4000," + X},
        {"3 points auto", search(1, true, 0), "TB123,4000,3000," + X},
        {"3 points manual", search(1, false, 1), "TB223,4000,3000," + X},
        {"4 points auto", search(2, true, 0), "TB124,4000,3000," + X},
        {"4 points manual", search(2, false, 0), "TB224,4000,3000," + X},
        {"area auto 0", search(3, true, 0), "TB125,4000,3000,0,500" + X},
        {"area auto 1", search(3, true, 1), "TB125,4000,3000,1,500" + X},
        {"area manual 0", search(3, false, 0), "TB225,4000,3000,0,500" + X},
        {"area manual 1", search(3, false, 1), "TB225,4000,3000,1,500" + X},
        {"unknown method", search(4, true, 0), ""},
        {"negative method", search(-1, true, 0), ""},
    });
}

} // namespace
