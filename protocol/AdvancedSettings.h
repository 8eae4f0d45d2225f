#pragma once

#include <array>
#include <optional>

// A field the controller converted from one of the plotter's numbers (a length in steps, a
// distance-adjust code, a pen-up speed index): that number and the value the field got from
// it. While the field still holds `value` the user has not changed it, and it goes back as
// `wire`: converting it again could give another number, since the conversions drop
// remainders, truncate percentages and add 0.05 mm to tangential lengths.
template <typename T> struct AsRead {
    int wire = 0;
    T value{};
    bool operator==(const AsRead&) const = default;
};

// The plotter's advanced settings as the controller keeps them: lengths in micrometres,
// distance adjust in percent. Read by the advanced-settings query sequence, written back by
// the advanced-settings command sequence, edited by the advanced settings window.
struct AdvancedSettings {
    static constexpr int kSlots = 9;

    struct DistanceAdjust {
        int on = 0;
        double l = 0.0; // percent
        double w = 0.0; // percent
        std::optional<AsRead<double>> lRead{};
        std::optional<AsRead<double>> wRead{};
        bool operator==(const DistanceAdjust&) const = default;
    };

    struct TangentialEmulation {
        int on = 0;
        int start = 0; // um
        int end = 0;   // um
        std::optional<AsRead<int>> startRead{};
        std::optional<AsRead<int>> endRead{};
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

    // What the read got from the plotter's own numbers (none in demo mode or before a read).
    // Lengths read go back as read only at the step size they were read with.
    int readStepsPerMm = 0;
    std::optional<AsRead<int>> pageLengthRead{};
    std::optional<AsRead<int>> penUpSpeedRead{};
    std::optional<AsRead<int>> feedLengthRead{};

    bool operator==(const AdvancedSettings&) const = default;
};
