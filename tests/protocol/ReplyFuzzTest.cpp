// Random and mutated replies through every parser: no crash, only the documented codes,
// targets untouched on rejection and in range on acceptance.
#include "protocol/ReplyParse.h"

#include "core/messages/MessageCodes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using namespace proto;

class ReplyMutator {
public:
    explicit ReplyMutator(unsigned seed) : m_rng(seed) {}

    std::string Next() {
        static const char* const kSeeds[] = {
            "0",   "33",   "4",     "RX3600-60 , V1.20", "1,9140", "1,250,150",    "1,14,22", "10",
            "305", "-999", "1e308", "0.000000001",       ",",      "  -12.5e-3,7", "8",
        };
        std::string s = kSeeds[Pick(std::size(kSeeds))];
        const std::size_t edits = Pick(6);
        for (std::size_t i = 0; i < edits; ++i) {
            Mutate(s);
        }
        return s;
    }

private:
    std::size_t Pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng);
    }

    char AnyByte() {
        static const char kInteresting[] = "0123456789,.-+eE \t\x03\x1b\xff";
        return Pick(2) == 0 ? static_cast<char>(Pick(256))
                            : kInteresting[Pick(sizeof kInteresting - 1)];
    }

    void Mutate(std::string& s) {
        switch (Pick(5)) {
        case 0:
            s.insert(s.begin() + static_cast<std::ptrdiff_t>(Pick(s.size() + 1)), AnyByte());
            break;
        case 1:
            if (!s.empty()) {
                s.erase(Pick(s.size()), 1);
            }
            break;
        case 2:
            if (!s.empty()) {
                s[Pick(s.size())] = AnyByte();
            }
            break;
        case 3:
            s.append(Pick(40), '9');
            break;
        default:
            s = std::string(Pick(64), AnyByte());
            break;
        }
    }

    std::mt19937 m_rng;
};

bool IsOkOr1008(int code) {
    return code == msg::kOk || code == msg::kReadFailed;
}

TEST(ReplyFuzz, ParsersHoldTheirContractOnMutatedReplies) {
    ReplyMutator mutator(20261208);
    const std::array<int, 7> table = {0, 10, 20, 30, 60, -999, -999};
    for (int iteration = 0; iteration < 50000; ++iteration) {
        const std::string reply = mutator.Next();
        SCOPED_TRACE(testing::PrintToString(reply));

        int stepSize = -7;
        const int stepCode = ParseStepSize(reply, stepSize);
        ASSERT_TRUE(IsOkOr1008(stepCode));
        ASSERT_TRUE(stepCode == msg::kOk ? stepSize >= 0 && stepSize <= 3 : stepSize == -7);

        std::string model = "m";
        std::string firmware = "f";
        ASSERT_TRUE(IsOkOr1008(ParseModelAndFirmware(reply, model, firmware)));

        int speed = -7;
        const int speedCode = ParseScaledInt(reply, 10, {1, 30}, speed);
        ASSERT_TRUE(IsOkOr1008(speedCode));
        ASSERT_TRUE(speedCode == msg::kOk ? speed >= 1 && speed <= 30 : speed == -7);

        int um = -7;
        std::optional<AsRead<int>> read;
        const int lengthCode = ParseLength(reply, 40, {0, 50000}, um, read);
        ASSERT_TRUE(IsOkOr1008(lengthCode));
        ASSERT_TRUE(lengthCode == msg::kOk ? um >= 0 && um <= 50000000 && um % 1000 == 0
                                           : um == -7);

        int on = -7;
        int feed = -7;
        const int feedCode = ParseAutoPreFeed(reply, 20, {914, 50913}, on, feed, read);
        ASSERT_TRUE(IsOkOr1008(feedCode));
        ASSERT_TRUE(feedCode == msg::kOk ? feed >= 914000 && feed <= 50913000
                                         : on == -7 && feed == -7);

        AdvancedSettings::DistanceAdjust adjust{-7, 9.0, 9.0};
        const int adjustCode = ParseDistanceAdjust(reply, {-2.0, 2.0}, adjust);
        ASSERT_TRUE(IsOkOr1008(adjustCode));
        ASSERT_TRUE(adjustCode == msg::kOk
                        ? adjust.l >= -2.0 && adjust.l <= 2.0 && adjust.w >= -2.0 && adjust.w <= 2.0
                        : adjust.on == -7);

        AdvancedSettings::TangentialEmulation tangential{-7, -7, -7};
        const int tangentialCode = ParseTangentialEmulation(reply, 100, {0.0, 0.9}, tangential);
        ASSERT_TRUE(IsOkOr1008(tangentialCode));
        ASSERT_TRUE(tangentialCode == msg::kOk ? tangential.start >= 0 && tangential.start <= 900 &&
                                                     tangential.end >= 0 && tangential.end <= 900
                                               : tangential.on == -7);

        int state = -7;
        const int markCode = ParseMarkReadState(reply, state);
        ASSERT_TRUE(markCode == msg::kOk ? state >= 0 && state <= 3 : state == -7);
        state = -7;
        const int enterCode = ParseEnterState(reply, state);
        ASSERT_TRUE(enterCode == msg::kOk ? state >= 0 && state <= 5 : state == -7);

        int pen = -7;
        std::optional<AsRead<int>> penRead;
        ParsePenUpSpeed(reply, true, table, pen, penRead);
        const int index = LeadingInteger(reply);
        ASSERT_EQ(pen, index >= 0 && index < 7 ? table[static_cast<std::size_t>(index)] : index);
    }
}

} // namespace
