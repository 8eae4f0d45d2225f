#include "core/ControllerCommandLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Pending = CControllerCommandLine::Pending;

CControllerCommandLine Parse(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"quirn"};
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    CControllerCommandLine commandLine;
    commandLine.ParseArguments(static_cast<int>(argv.size()), argv.data());
    return commandLine;
}

auto Fields(const CControllerCommandLine& c) {
    return std::make_tuple(static_cast<int>(c.m_nPending), c.m_bDemo, c.m_strDemoModel, c.m_bModel,
                           c.m_strModel, c.m_bSkipQueueCheck, c.m_bForceController, c.m_bCutMode,
                           c.m_bDesignOrient, c.m_nDesignOrient, c.m_bMediaOrient, c.m_nMediaOrient,
                           c.m_bMarkDistance, c.m_dMarkDistX, c.m_dMarkDistY, c.m_bCorrection,
                           c.m_nCorrection, c.m_bMarkType, c.m_nMarkType, c.m_bMarkStep,
                           c.m_dMarkStep, c.m_bMarkLength, c.m_dMarkLength, c.m_bMarkThickness,
                           c.m_dMarkThickness, c.m_bNoMarks, c.m_bOwner, c.m_hOwner,
                           c.m_bCutPlotter, c.m_strCutPlotterFile);
}

struct Case {
    std::vector<std::string> args;
    // Turns a fresh record into the expected one.
    std::function<void(CControllerCommandLine&)> expect;
};

void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        std::string label;
        for (const std::string& arg : c.args) {
            label += "[" + arg + "]";
        }
        SCOPED_TRACE(label);
        CControllerCommandLine expected;
        c.expect(expected);
        EXPECT_EQ(Fields(Parse(c.args)), Fields(expected));
    }
}

TEST(CommandLine, NoArgumentsKeepsEveryDefault) {
    const CControllerCommandLine c = Parse({});
    EXPECT_EQ(c.m_nPending, Pending::None);
    EXPECT_EQ(c.m_nDesignOrient, 2);
    EXPECT_EQ(c.m_nMediaOrient, 2);
    EXPECT_EQ(c.m_nCorrection, 4);
    EXPECT_EQ(c.m_nMarkType, 2);
    EXPECT_EQ(c.m_dMarkDistX, -1.0);
    EXPECT_EQ(c.m_dMarkStep, -1.0);
    EXPECT_EQ(c.m_hOwner, 0);
}

TEST(CommandLine, ModelKeywordsTakeAnyTextAndOverwrite) {
    RunCases({
        {{"/DEMO"},
         [](auto& e) {
             e.m_bDemo = 1;
             e.m_nPending = Pending::DemoModel;
         }},
        {{"-demo", "WX8800-60"},
         [](auto& e) {
             e.m_bDemo = 1;
             e.m_strDemoModel = "WX8800-60";
             e.m_nPending = Pending::DemoModel;
         }},
        {{"/DEMO,RX3600-40"},
         [](auto& e) {
             e.m_bDemo = 1;
             e.m_strDemoModel = "RX3600-40";
             e.m_nPending = Pending::DemoModel;
         }},
        {{"/Demo,", "Nimbo Pro S", ""},
         [](auto& e) {
             e.m_bDemo = 1;
             e.m_nPending = Pending::DemoModel;
         }},
        {{"/DEMOX"}, [](auto&) {}},
        {{"/MODEL", "a", "b"},
         [](auto& e) {
             e.m_bModel = 1;
             e.m_strModel = "b";
             e.m_nPending = Pending::ModelName;
         }},
        {{"/model,rx3600"},
         [](auto& e) {
             e.m_bModel = 1;
             e.m_strModel = "rx3600";
             e.m_nPending = Pending::ModelName;
         }},
        {{"/MODELS"}, [](auto&) {}},
        // Without a leading '/' or '-' an argument is a value, never a keyword.
        {{"DEMO", "CUTMODE"}, [](auto&) {}},
    });
}

TEST(CommandLine, PlainFlagsMatchWholeWordsOnly) {
    RunCases({
        {{"/LM"}, [](auto& e) { e.m_bSkipQueueCheck = 1; }},
        {{"-lm"}, [](auto& e) { e.m_bSkipQueueCheck = 1; }},
        {{"/LMX"}, [](auto&) {}},
        {{"/RM"}, [](auto& e) { e.m_bForceController = 1; }},
        {{"/CutMode"}, [](auto& e) { e.m_bCutMode = 1; }},
        {{"/CUTMODE1"}, [](auto&) {}},
        {{"/NOTRM"}, [](auto& e) { e.m_bNoMarks = 1; }},
        {{"/", "-", ""}, [](auto&) {}},
    });
}

TEST(CommandLine, OrientationsTakeOneDigitFromTailOrNextValue) {
    RunCases({
        {{"/IR1"},
         [](auto& e) {
             e.m_bDesignOrient = 1;
             e.m_nDesignOrient = 1;
             e.m_nPending = Pending::DesignOrient;
         }},
        {{"/IR", "1"},
         [](auto& e) {
             e.m_bDesignOrient = 1;
             e.m_nDesignOrient = 1;
             e.m_nPending = Pending::DesignOrient;
         }},
        {{"/IR", "10"},
         [](auto& e) {
             e.m_bDesignOrient = 1;
             e.m_nPending = Pending::DesignOrient;
         }},
        // Any keyword starting with IR is IR; the tail ",1" is no single digit.
        {{"/IRX"},
         [](auto& e) {
             e.m_bDesignOrient = 1;
             e.m_nPending = Pending::DesignOrient;
         }},
        {{"/ir,1", "0"},
         [](auto& e) {
             e.m_bDesignOrient = 1;
             e.m_nDesignOrient = 0;
             e.m_nPending = Pending::DesignOrient;
         }},
        {{"/FN0"},
         [](auto& e) {
             e.m_bMediaOrient = 1;
             e.m_nMediaOrient = 0;
             e.m_nPending = Pending::MediaOrient;
         }},
        {{"/FN", "2"},
         [](auto& e) {
             e.m_bMediaOrient = 1;
             e.m_nPending = Pending::MediaOrient;
         }},
        {{"/FN1", "/IR0"},
         [](auto& e) {
             e.m_bMediaOrient = 1;
             e.m_nMediaOrient = 1;
             e.m_bDesignOrient = 1;
             e.m_nDesignOrient = 0;
             e.m_nPending = Pending::DesignOrient;
         }},
    });
}

TEST(CommandLine, MarkDistancesMoveFromXToY) {
    const auto dist = [](double x, double y, Pending pending) {
        return [=](CControllerCommandLine& e) {
            e.m_bMarkDistance = 1;
            e.m_dMarkDistX = x;
            e.m_dMarkDistY = y;
            e.m_nPending = pending;
        };
    };
    RunCases({
        {{"/TB2x,300,200"}, dist(300, 200, Pending::MarkDistY)},
        {{"/TB2x,300,200", "150"}, dist(300, 150, Pending::MarkDistY)},
        {{"/TB23", "300", "200"}, dist(300, 200, Pending::MarkDistY)},
        {{"/tb2X,300"}, dist(300, -1, Pending::MarkDistY)},
        {{"/TB2x,300", "7"}, dist(300, 7, Pending::MarkDistY)},
        {{"/TB2x,,200"}, dist(-1, 200, Pending::MarkDistY)},
        {{"/TB2x,300,"}, dist(300, -1, Pending::MarkDistY)},
        // An empty tail leaves X waiting.
        {{"/TB23,"}, dist(-1, -1, Pending::MarkDistX)},
        {{"/TB23,", "5"}, dist(5, -1, Pending::MarkDistY)},
        {{"/TB2x", ""}, dist(-1, -1, Pending::MarkDistX)},
        // A value without a number still moves on to Y.
        {{"/TB2x", "abc", "9"}, dist(-1, 9, Pending::MarkDistY)},
        {{"/TB2x", " 12.5mm"}, dist(12.5, -1, Pending::MarkDistY)},
        {{"/TB2x,-3e2,0x10"}, dist(-300, 16, Pending::MarkDistY)},
        {{"/TB24,1"}, [](auto&) {}},
    });
}

TEST(CommandLine, CorrectionAndMarkTypeAreShiftedDigits) {
    const auto correction = [](int value) {
        return [=](CControllerCommandLine& e) {
            e.m_bCorrection = 1;
            e.m_nCorrection = value;
            e.m_nPending = Pending::Correction;
        };
    };
    const auto markType = [](int value) {
        return [=](CControllerCommandLine& e) {
            e.m_bMarkType = 1;
            e.m_nMarkType = value;
            e.m_nPending = Pending::MarkType;
        };
    };
    RunCases({
        {{"/tbm,4"}, correction(2)},
        {{"-TBM", "4"}, correction(2)},
        {{"/TBM,2"}, correction(0)},
        {{"/TBM,5"}, correction(3)},
        {{"/TBM,6"}, correction(4)},
        {{"/TBM,1"}, correction(4)},
        {{"/TBM", "45"}, correction(4)},
        {{"/TBM,3", "x"}, correction(1)},
        {{"/TB52,1"}, markType(0)},
        {{"/TB52", "2"}, markType(1)},
        {{"/TB52,0"}, markType(2)},
        {{"/TB52,3"}, markType(2)},
    });
}

TEST(CommandLine, MarkLengthsReadDecimalNumbers) {
    RunCases({
        {{"/TBS,250.5"},
         [](auto& e) {
             e.m_bMarkStep = 1;
             e.m_dMarkStep = 250.5;
             e.m_nPending = Pending::MarkStep;
         }},
        {{"/TBS", "x"},
         [](auto& e) {
             e.m_bMarkStep = 1;
             e.m_nPending = Pending::MarkStep;
         }},
        {{"/TB51,15"},
         [](auto& e) {
             e.m_bMarkLength = 1;
             e.m_dMarkLength = 15;
             e.m_nPending = Pending::MarkLength;
         }},
        {{"/TB51", "15", "16"},
         [](auto& e) {
             e.m_bMarkLength = 1;
             e.m_dMarkLength = 16;
             e.m_nPending = Pending::MarkLength;
         }},
        {{"/TB53", "0.5"},
         [](auto& e) {
             e.m_bMarkThickness = 1;
             e.m_dMarkThickness = 0.5;
             e.m_nPending = Pending::MarkThickness;
         }},
        {{"/TB53,"},
         [](auto& e) {
             e.m_bMarkThickness = 1;
             e.m_nPending = Pending::MarkThickness;
         }},
    });
}

TEST(CommandLine, NumbersThatCannotBeStoredAreIgnored) {
    RunCases({
        {{"/TB51,inf"},
         [](auto& e) {
             e.m_bMarkLength = 1;
             e.m_nPending = Pending::MarkLength;
         }},
        {{"/TBS", "nan"},
         [](auto& e) {
             e.m_bMarkStep = 1;
             e.m_nPending = Pending::MarkStep;
         }},
        {{"/TB2x,1e999,5"},
         [](auto& e) {
             e.m_bMarkDistance = 1;
             e.m_dMarkDistY = 5;
             e.m_nPending = Pending::MarkDistY;
         }},
        {{"/OWNER99999999999"},
         [](auto& e) {
             e.m_bOwner = 1;
             e.m_nPending = Pending::Owner;
         }},
        {{"/OWNER-2147483649"},
         [](auto& e) {
             e.m_bOwner = 1;
             e.m_nPending = Pending::Owner;
         }},
    });
}

TEST(CommandLine, OwnerHandleFromTailOrNextValue) {
    const auto owner = [](long long handle) {
        return [=](CControllerCommandLine& e) {
            e.m_bOwner = 1;
            e.m_hOwner = handle;
            e.m_nPending = Pending::Owner;
        };
    };
    RunCases({
        {{"/OWNER1234"}, owner(1234)},
        {{"/OWNER", "1234"}, owner(1234)},
        {{"/OWNER,1234"}, owner(0)},
        {{"/OWNER,1234", "77"}, owner(77)},
        {{"/owner-5"}, owner(-5)},
        {{"/OWNER2147483647"}, owner(2147483647)},
        {{"/OWNER", " 42abc"}, owner(42)},
    });
}

TEST(CommandLine, CutPlotterFileFromTailOrNextValue) {
    const auto file = [](const char* path) {
        return [path](CControllerCommandLine& e) {
            e.m_bCutPlotter = 1;
            e.m_strCutPlotterFile = path;
            e.m_nPending = Pending::CutPlotterFile;
        };
    };
    RunCases({
        {{"/CUTPLOTTER,/tmp/a b"}, file("/tmp/a b")},
        {{"-cutplotter", "x.txt"}, file("x.txt")},
        {{"/CUTPLOTTER", ""}, file("")},
        {{"/CUTPLOTTER,/tmp/x", "y.txt"}, file("y.txt")},
        {{"/CUTPLOTTERS"}, [](auto&) {}},
        // A separate value that begins with '/' is a keyword: absolute paths go in the tail.
        {{"/CUTPLOTTER", "/tmp/x", "/CUTMODE"},
         [&](auto& e) {
             file("")(e);
             e.m_bCutMode = 1;
             e.m_nPending = Pending::None;
         }},
    });
}

TEST(CommandLine, EveryKeywordClearsTheWaitingValue) {
    RunCases({
        // LM resets the pending correction, so "4" belongs to nobody.
        {{"/TBM", "/LM", "4"},
         [](auto& e) {
             e.m_bCorrection = 1;
             e.m_bSkipQueueCheck = 1;
         }},
        {{"/TB2x,1", "/UNKNOWN", "2"},
         [](auto& e) {
             e.m_bMarkDistance = 1;
             e.m_dMarkDistX = 1;
         }},
        {{"4", "/NOTRM", "1"}, [](auto& e) { e.m_bNoMarks = 1; }},
    });
}

// Whatever a caller passes, parsing ends with values the later steps can handle.
TEST(CommandLine, AnyArgumentVectorKeepsTheRecordUsable) {
    std::mt19937 random(20261208);
    const std::vector<std::string> words{"/DEMO",  "/MODEL", "/IR",   "/FN",       "/TB2x,",
                                         "/TB23",  "/TBM,",  "/TB52", "/TBS,",     "/TB51",
                                         "/TB53,", "/OWNER", "-",     "/",         "",
                                         "1e308",  "-1e400", "nan",   "2147483648"};
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> args;
        const int count = static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i) {
            std::string arg = words[random() % words.size()];
            const int tail = static_cast<int>(random() % 12);
            for (int j = 0; j < tail; ++j) {
                arg.push_back(static_cast<char>(1 + random() % 255)); // any byte but NUL
            }
            args.push_back(arg);
        }
        const CControllerCommandLine c = Parse(args);
        ASSERT_TRUE(c.m_nDesignOrient >= 0 && c.m_nDesignOrient <= 2);
        ASSERT_TRUE(c.m_nMediaOrient >= 0 && c.m_nMediaOrient <= 2);
        ASSERT_TRUE(c.m_nCorrection >= 0 && c.m_nCorrection <= 4);
        ASSERT_TRUE(c.m_nMarkType >= 0 && c.m_nMarkType <= 2);
        for (double value :
             {c.m_dMarkDistX, c.m_dMarkDistY, c.m_dMarkStep, c.m_dMarkLength, c.m_dMarkThickness}) {
            ASSERT_TRUE(std::isfinite(value));
        }
        ASSERT_TRUE(c.m_hOwner >= INT32_MIN && c.m_hOwner <= INT32_MAX);
    }
}

TEST(CommandLine, VeryLongAndNonAsciiValuesAreKeptAsBytes) {
    const std::string longName(200000, 'M');
    const std::string bytes = "\xff\xfe\x80Modell \xe4";
    const CControllerCommandLine c =
        Parse({"/DEMO," + longName, "/MODEL", bytes, "/TB51," + std::string(100000, '9'),
               "/OWNER" + longName});
    EXPECT_EQ(c.m_strDemoModel, longName);
    EXPECT_EQ(c.m_strModel, bytes);
    EXPECT_EQ(c.m_dMarkLength, -1.0); // 1e100000 is no finite number
    EXPECT_EQ(c.m_hOwner, 0);
    EXPECT_EQ(c.m_bOwner, 1);
}

} // namespace
