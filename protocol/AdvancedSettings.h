#pragma once

#include <array>

// The plotter's advanced settings as the controller keeps them: lengths in micrometres,
// distance adjust in percent. Read by the advanced-settings query sequence, written back by
// the advanced-settings command sequence, edited by the advanced settings window.
struct AdvancedSettings {
    static constexpr int kSlots = 9;

    struct DistanceAdjust {
        int on = 0;
        double l = 0.0; // percent
        double w = 0.0; // percent
        bool operator==(const DistanceAdjust&) const = default;
    };

    struct TangentialEmulation {
        int on = 0;
        int start = 0; // um
        int end = 0;   // um
        bool operator==(const TangentialEmulation&) const = default;
    };

    int pageLength = 0; // um
    int offsetAngle = 0;
    int initialDownForce = 0;
    int stepPass = 0;
    int penUpSpeed = 0; // a pen-up speed table value; 0 is shown as "AUTO"
    int autoPreFeed = 0;
    int feedLength = 0; // um
    int fanPower = 0;   // 0 normal, 1 weak
    int mirror = 0;
    int distanceAdjustSelection = 0; // the slot the window shows; never sent
    std::array<DistanceAdjust, kSlots> distanceAdjust{};
    int tangentialMode = 1; // single mode of layout 136
    std::array<int, kSlots> tangentialModeSlot{1, 1, 1, 1, 1, 1, 1, 1, 1}; // layout 137
    int tangentialSelection = 0; // the slot the window shows; never sent
    std::array<TangentialEmulation, kSlots> tangential{};

    bool operator==(const AdvancedSettings&) const = default;
};
