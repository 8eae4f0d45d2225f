// Opening Advanced Settings and pressing OK without changing anything gives the plotter back
// exactly what it reported: every number it can report for a field the window converts, at
// every step size, in both display units, for each model family with advanced settings.
#include "conditions/units/LengthUnits.h"
#include "tests/ui/dialogs/settings/SettingsRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kFamilies[] = {"WX8800-60", "Nimbo Pro S", "RX3600-60"};
constexpr int kUnits[] = {kUnitMetric, kUnitInch};
constexpr int kStepSizes[] = {0, 1, 2, 3};

int StepsPerMm(int stepSize) {
    return std::array{10, 20, 40, 100}[static_cast<std::size_t>(stepSize)];
}

// The plotter reports `stepSize`, with the lengths in range at it.
void UseStepSize(CSimPlotter& sim, int stepSize) {
    sim.m_nStepSize = stepSize;
    sim.m_nPageLength = 2000 * StepsPerMm(stepSize);
    sim.m_nFeedLength = 1000 * StepsPerMm(stepSize);
    sim.m_tangential.fill({0, 3, 9});
}

// The advanced settings the plotter holds, in its own numbers, as far as the model uses them.
std::string Held(const CSimPlotter& sim, const CPlotterModel& model) {
    std::ostringstream out;
    out << "page " << sim.m_nPageLength << " angle " << sim.m_nOffsetAngle << " force "
        << sim.m_nInitialDownForce << " pass " << sim.m_nStepPass << " pen " << sim.m_nPenUpSpeed
        << " feed " << sim.m_nAutoPreFeed << ',' << sim.m_nFeedLength << " mirror "
        << sim.m_nMirror;
    if (model.HasFanPower()) {
        out << " fan " << sim.m_nFanPower;
    }
    const bool oneMode = model.AdvancedLayout() == 136;
    if (oneMode) {
        out << " mode " << sim.m_nTangentialMode;
    }
    for (std::size_t i = 0; i < 9; ++i) {
        const SimDistanceAdjust& a = sim.m_distanceAdjust[i];
        const SimTangential& t = sim.m_tangential[i];
        out << "\nslot " << i + 1 << ": adjust " << a.on << ',' << a.lengthCode << ','
            << a.widthCode << " tangential " << t.on << ',' << t.start << ',' << t.end;
        if (!oneMode) {
            out << " mode " << sim.m_tangentialModes[i];
        }
    }
    return out.str();
}

// Overwrites every advanced setting, so that afterwards the plotter holds only what was sent.
void Scrub(CSimPlotter& sim) {
    for (int* field :
         {&sim.m_nPageLength, &sim.m_nOffsetAngle, &sim.m_nInitialDownForce, &sim.m_nStepPass,
          &sim.m_nPenUpSpeed, &sim.m_nAutoPreFeed, &sim.m_nFeedLength, &sim.m_nMirror,
          &sim.m_nFanPower, &sim.m_nTangentialMode}) {
        *field = -1;
    }
    sim.m_distanceAdjust.fill({-1, -1, -1});
    sim.m_tangential.fill({-1, -1, -1});
    sim.m_tangentialModes.fill(-1);
}

// Opens the window in `unit` on what the plotter holds, presses OK without touching anything,
// and returns what the plotter holds then, or the messages shown.
std::string AfterUntouchedOk(SettingsRig& rig, int unit) {
    rig.link.settings.m_nUnitType = unit;
    CAdvancedDlg dlg(rig.Links());
    if (const int opened = dlg.OnInitDialog(); opened != msg::kOk) {
        return "opening failed: " + std::to_string(opened);
    }
    dlg.show();
    Scrub(rig.link.sim);
    Click(dlg.Control(CSkinnedDialog::kIdOk));
    std::string shown;
    for (const std::string& text : rig.Shown()) {
        shown += text + "\n";
    }
    rig.recording.Sink().m_vecShown.clear();
    if (!shown.empty() || dlg.result() != CSkinnedDialog::kIdOk) {
        return "not closed by OK: " + shown;
    }
    return Held(rig.link.sim, rig.link.model);
}

// Runs `report` for consecutive pieces of `numbers` until each number has been reported once
// by a record that is on and once by one that is off; `report` takes the piece's numbers,
// eighteen at a time (two per slot), and whether slot 1 is on (the others alternate).
template <typename Report> void InRecordsOnAndOff(const std::vector<int>& numbers, Report report) {
    constexpr std::size_t kPerOpening = 18;
    for (const bool firstOn : {true, false}) {
        for (std::size_t from = 0; from < numbers.size(); from += kPerOpening) {
            std::array<int, kPerOpening> piece{};
            for (std::size_t i = 0; i < kPerOpening; ++i) {
                piece[i] = numbers[std::min(from + i, numbers.size() - 1)];
            }
            report(piece, firstOn);
        }
    }
}

std::vector<int> Range(int low, int high) {
    std::vector<int> numbers;
    for (int n = low; n <= high; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

TEST(AdvancedRoundTrip, EveryTangentialStepCountComesBackAsRead) {
    for (const char* type : kFamilies) {
        SettingsRig rig(type);
        for (const int unit : kUnits) {
            for (const int stepSize : kStepSizes) {
                // 0.0 to 0.9 mm: every count the plotter can report in range.
                const std::vector<int> counts = Range(0, StepsPerMm(stepSize) * 9 / 10);
                InRecordsOnAndOff(counts, [&](const auto& piece, bool firstOn) {
                    CSimPlotter& sim = rig.link.sim;
                    UseStepSize(sim, stepSize);
                    for (std::size_t i = 0; i < 9; ++i) {
                        const int on = (i % 2 == 0) == firstOn ? 1 : 0;
                        sim.m_tangential[i] = {on, piece[2 * i], piece[2 * i + 1]};
                        sim.m_tangentialModes[i] = 1 + static_cast<int>(i % 2);
                    }
                    sim.m_nTangentialMode = firstOn ? 2 : 1;
                    const std::string before = Held(sim, rig.link.model);
                    EXPECT_EQ(AfterUntouchedOk(rig, unit), before)
                        << type << ", unit " << unit << ", step size " << stepSize;
                });
            }
        }
    }
}

TEST(AdvancedRoundTrip, EveryDistanceAdjustCodeComesBackAsRead) {
    for (const char* type : kFamilies) {
        SettingsRig rig(type);
        for (const int unit : kUnits) {
            // -2.00 to 2.00 %: every code the plotter can report in range.
            InRecordsOnAndOff(Range(0, 400), [&](const auto& piece, bool firstOn) {
                CSimPlotter& sim = rig.link.sim;
                UseStepSize(sim, 1);
                for (std::size_t i = 0; i < 9; ++i) {
                    const int on = (i % 2 == 0) == firstOn ? 1 : 0;
                    sim.m_distanceAdjust[i] = {on, piece[2 * i], piece[2 * i + 1]};
                }
                const std::string before = Held(sim, rig.link.model);
                EXPECT_EQ(AfterUntouchedOk(rig, unit), before) << type << ", unit " << unit;
            });
        }
    }
}

// Page length 0 to 50000 mm and feed 914 to 50913 mm, each read in whole millimetres of
// steps: the edges, with and without a remainder of steps; the pen-up speed by every index
// (two share a value on the Nimbo Pro S and RX3600) or by value.
TEST(AdvancedRoundTrip, PageLengthFeedAndPenUpSpeedComeBackAsRead) {
    for (const char* type : kFamilies) {
        SettingsRig rig(type);
        const std::vector<int> penUps = rig.link.model.IsFamilyZero()
                                            ? std::vector<int>{0, 10, 20, 30, 40, 50, 60, 35}
                                            : Range(0, 6);
        for (const int unit : kUnits) {
            for (const int stepSize : kStepSizes) {
                const int n = StepsPerMm(stepSize);
                const std::vector<int> pages = {0,
                                                1,
                                                n - 1,
                                                n,
                                                1234 * n + 1,
                                                25000 * n + n / 2,
                                                50000 * n - 1,
                                                50000 * n,
                                                50000 * n + n - 1};
                const std::vector<int> feeds = {914 * n,       914 * n + 1, 914 * n + n - 1,
                                                25000 * n + 3, 50000 * n,   50500 * n,
                                                50913 * n - 1, 50913 * n,   50913 * n + n - 1};
                const std::size_t openings = std::max({pages.size(), feeds.size(), penUps.size()});
                for (std::size_t i = 0; i < openings; ++i) {
                    CSimPlotter& sim = rig.link.sim;
                    UseStepSize(sim, stepSize);
                    sim.m_nPageLength = pages[i % pages.size()];
                    sim.m_nAutoPreFeed = static_cast<int>(i % 2);
                    sim.m_nFeedLength = feeds[i % feeds.size()];
                    sim.m_nPenUpSpeed = penUps[i % penUps.size()];
                    const std::string before = Held(sim, rig.link.model);
                    EXPECT_EQ(AfterUntouchedOk(rig, unit), before)
                        << type << ", unit " << unit << ", step size " << stepSize;
                }
            }
        }
    }
}

} // namespace
