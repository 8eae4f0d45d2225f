// Starting the plotter's mark search, byte for byte at every step size and for every method.
#include "SimPlotterLink.h"

#include "protocol/MarkReading.h"

#include <gtest/gtest.h>

namespace {

TEST(MarkReading, StartSendsTheSettingsInStepsAndTheMethodsSearch) {
    const struct {
        int stepSize; // 10, 20, 40, 100 steps per mm
        int method;
        int automatic;
        int media;
        const char* length;
        const char* thickness;
        const char* search;
    } cases[] = {
        {0, 0, 1, 0, "TB51,100,", "TB53,3,", "TB122,2000,"},
        {0, 0, 0, 0, "TB51,100,", "TB53,3,", "TB222,2000,"},
        {1, 1, 1, 0, "TB51,200,", "TB53,7,", "TB123,4000,3000,"},
        {1, 1, 0, 1, "TB51,200,", "TB53,7,", "TB223,4000,3000,"},
        {2, 2, 1, 0, "TB51,400,", "TB53,14,", "TB124,8000,6000,"},
        {2, 2, 0, 0, "TB51,400,", "TB53,14,", "TB224,8000,6000,"},
        {3, 3, 1, 0, "TB51,1000,", "TB53,35,", "TB125,20000,15000,0,50000"},
        {3, 3, 1, 1, "TB51,1000,", "TB53,35,", "TB125,20000,15000,1,50000"},
        {3, 3, 0, 0, "TB51,1000,", "TB53,35,", "TB225,20000,15000,0,50000"},
        {3, 3, 0, 1, "TB51,1000,", "TB53,35,", "TB225,20000,15000,1,50000"},
    };
    for (const auto& c : cases) {
        SimPlotterLink link("WX8800-60");
        link.sim.m_nStepSize = c.stepSize;
        CControllerSettings& s = link.settings;
        s.m_nTmbReadType = c.method;
        s.m_bTomboAuto = c.automatic;
        s.m_nMediaOrient = c.media;
        s.m_nTmbType = 1;
        s.m_nTomboDisX = 200000;
        s.m_nTomboDisY = 150000;
        s.m_nTmbStep = 500000;
        s.m_nTmbLength = 10000;
        s.m_nTmbThickness = 350; // 3.5 steps at 10 per mm: truncated
        CMarkReading marks(link.port, link.model, link.settings);
        ASSERT_EQ(marks.StartMarkReading(false, false), msg::kOk) << c.search;
        EXPECT_EQ(link.sim.Log(), kEsc + ".C31;16:" + kEsc + ".C10:" + "TB99," + kEtx + "TB52,2," +
                                      kEtx + c.length + kEtx + c.thickness + kEtx + "TB55,1," +
                                      kEtx + c.search + kEtx + "TB99," + kEtx);
    }
}

// A poll that fails without an answer must not end a new reading on the state of the last one.
TEST(MarkReading, AStartedReadingForgetsTheLastOnesState) {
    SimPlotterLink link("WX8800-60");
    link.sim.m_markReadReplies = {"2"};
    CMarkReading marks(link.port, link.model, link.settings);
    ASSERT_EQ(marks.StartMarkReading(false, false), msg::kOk);
    ASSERT_EQ(marks.PollMarkReading(), msg::kOk);
    ASSERT_EQ(marks.MarkReadState(), CMarkReading::kMarksFound);
    ASSERT_EQ(marks.StartMarkReading(false, false), msg::kOk);
    EXPECT_EQ(marks.MarkReadState(), CMarkReading::kStarted);
}

} // namespace
