#pragma once

#include <QRect>

#include <vector>

// Where every child of the main window sits. Skinned controls are sized by their skin kind;
// the sizes here are those kinds' sizes, so the layout can be checked without loading pictures.
enum class ControlKind {
    Title,       // the blue title area
    Label,       // a template text
    Value,       // a text the window fills
    Radio,       // plain radio button
    Check,       // plain check box
    Edit,        // one-line edit box
    PushButton,  // skinned push button, skin kind in `skinKind`
    ArrowButton, // skinned jog arrow, skin kind in `skinKind`
    Toggle,      // skinned "Use Keyboard" toggle
    Combo,       // skinned drop-down list, skin kind in `skinKind`
};

struct ControlPlacement {
    int id;
    ControlKind kind;
    int skinKind;  // skinned controls only
    QRect rect;    // client pixels
    int captionId; // string-table caption of a skinned control (0: none)
    int textId;    // string-table text of a label, radio or check box (0: none)
};

// The per-language metrics that size text controls.
struct LayoutMetrics {
    int textHeight; // one-line text controls
    int widthA;     // the "Registration Marks" check box
    int widthB;     // the " Distance" label
};

namespace layout {

constexpr int kClientWidth = 670;
constexpr int kClientHeight = 465;

// Pictures drawn by the window itself.
inline const QRect kBladePicture{170, 152, 70, 100};
inline const QRect kDesignPortraitPicture{QPoint(39, 293), QPoint(110, 346)};
inline const QRect kDesignLandscapePicture{QPoint(147, 293), QPoint(218, 346)};
inline const QRect kMediaRotatedPicture{QPoint(39, 389), QPoint(110, 442)};
inline const QRect kMediaUnrotatedPicture{QPoint(147, 389), QPoint(218, 442)};
inline const QRect kPreviewPicture{QPoint(249, 273), QPoint(368, 392)};

// Frames around the four panels, drawn in the frame colour.
std::vector<QRect> PanelFrames();

} // namespace layout

// Every control of the main window with the given language metrics, in creation order (which
// is also the tab order).
std::vector<ControlPlacement> MainWindowLayout(const LayoutMetrics& metrics);
