#include "ui/main/ControllerControls.h"

#include "core/LanguageSet.h"
#include "core/messages/MessageCodes.h"
#include "skin/SkinArrowButton.h"
#include "skin/SkinButton.h"
#include "skin/SkinCombo.h"
#include "skin/SkinControl.h"
#include "skin/SkinKinds.h"
#include "skin/SkinRadio.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"
#include "ui/main/MainPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

namespace {

const QColor kTitleBackground(0, 29, 160);
constexpr int kFontHeight = 12;
constexpr int kTitleFontHeight = 17;
constexpr int kTitleIndent = 12;

// Push buttons in the order they are attached.
constexpr int kPushButtons[] = {
    ctl::kListEdit, ctl::kTestCut,  ctl::kEditConditions, ctl::kImportConditions,
    ctl::kOrigin,   ctl::kCrossCut, ctl::kMarkSettings,   ctl::kReadMarks,
    ctl::kHelp,     ctl::kAbout,    ctl::kOption,         ctl::kAdvanced,
    ctl::kCancel,   ctl::kOk,
};
constexpr int kArrowButtons[] = {ctl::kArrowUp, ctl::kArrowDown, ctl::kArrowLeft, ctl::kArrowRight};

const ControlPlacement& PlaceOf(const std::vector<ControlPlacement>& places, int id) {
    for (const ControlPlacement& place : places) {
        if (place.id == id) {
            return place;
        }
    }
    return places.front(); // every id above is in the layout (checked by the layout tests)
}

QString TextOf(int stringId) {
    return stringId != 0 ? LoadText(stringId) : QString();
}

int CreateSkinnedControls(QDialog& window, const std::vector<ControlPlacement>& places,
                          const CSkinFolders& folders, bool cutMode) {
    const int fontHeight = PixelSizeForCellHeight(kFontHeight);
    for (const int id : kPushButtons) {
        const ControlPlacement& place = PlaceOf(places, id);
        // In cut mode OK says "Cut" and has the other button picture.
        const bool cut = id == ctl::kOk && cutMode;
        auto* button = new CSkinButton(folders, &window);
        if (const int setUp = button->SetUp(id, place.rect.x(), place.rect.y(),
                                            cut ? skin::kind::kButtonCut : place.skinKind,
                                            TextOf(cut ? str::kCut : place.captionId), fontHeight);
            setUp != msg::kOk) {
            return setUp;
        }
    }
    for (const int id : kArrowButtons) {
        const ControlPlacement& place = PlaceOf(places, id);
        auto* arrow = new CSkinArrowButton(folders, &window);
        if (const int setUp =
                arrow->SetUp(id, place.rect.x(), place.rect.y(), place.skinKind, {}, fontHeight);
            setUp != msg::kOk) {
            return setUp;
        }
    }
    {
        const ControlPlacement& place = PlaceOf(places, ctl::kUseKeyboard);
        auto* keyboard = new CSkinRadio(folders, &window);
        if (const int setUp = keyboard->SetUp(ctl::kUseKeyboard, place.rect.x(), place.rect.y(),
                                              place.skinKind, TextOf(place.captionId), fontHeight);
            setUp != msg::kOk) {
            return setUp;
        }
    }
    const ControlPlacement& place = PlaceOf(places, ctl::kMediaType);
    auto* mediaType = new CSkinCombo(folders, &window);
    return mediaType->SetUp(ctl::kMediaType, place.rect.x(), place.rect.y(), place.skinKind,
                            fontHeight);
}

int CreatePlainControls(QDialog& window, const std::vector<ControlPlacement>& places) {
    auto* sourceGroup = new QButtonGroup(&window);
    auto* designGroup = new QButtonGroup(&window);
    auto* mediaGroup = new QButtonGroup(&window);
    for (const ControlPlacement& place : places) {
        QWidget* control = nullptr;
        switch (place.kind) {
        case ControlKind::Title:
        case ControlKind::Label:
        case ControlKind::Value: {
            auto* label = new QLabel(TextOf(place.textId), &window);
            label->setAutoFillBackground(true);
            control = label;
            break;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(TextOf(place.textId), &window);
            const bool source =
                place.id == ctl::kUsePlotterSettings || place.id == ctl::kUseControllerSettings;
            const bool design =
                place.id == ctl::kDesignPortrait || place.id == ctl::kDesignLandscape;
            (source ? sourceGroup : design ? designGroup : mediaGroup)->addButton(radio);
            control = radio;
            break;
        }
        case ControlKind::Check:
            control = new QCheckBox(TextOf(place.textId), &window);
            break;
        case ControlKind::Edit:
            control = new QLineEdit(&window);
            break;
        case ControlKind::PushButton:
        case ControlKind::ArrowButton:
        case ControlKind::Toggle:
        case ControlKind::Combo:
            continue; // skinned, created first
        }
        control->setGeometry(place.rect);
        if (!skin::AttachControl(control, &window, place.id)) {
            return msg::kControlAttachFailed;
        }
    }
    return msg::kOk;
}

void ApplyFonts(QDialog& window) {
    for (QObject* child : window.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr) {
            continue;
        }
        const int id = skin::ControlId(widget);
        if (id == ctl::kTitle) {
            QPalette title = widget->palette();
            title.setColor(QPalette::Window, kTitleBackground);
            title.setColor(QPalette::WindowText, Qt::white);
            widget->setPalette(title);
            widget->setFont(WindowFont(kTitleFontHeight, QFont::Bold));
            static_cast<QLabel*>(widget)->setIndent(kTitleIndent);
        } else if (qobject_cast<QLabel*>(widget) != nullptr) {
            QPalette label = widget->palette();
            label.setColor(QPalette::Window, kWindowBackground);
            widget->setPalette(label);
            widget->setFont(WindowFont(kFontHeight));
        } else if (id != 0 && qobject_cast<CSkinButtonBase*>(widget) == nullptr &&
                   qobject_cast<CSkinCombo*>(widget) == nullptr) {
            widget->setFont(WindowFont(kFontHeight));
        }
    }
}

} // namespace

int CreateMainWindowControls(QDialog& window, const CLanguageSet& language,
                             const CSkinFolders& folders, bool cutMode) {
    const std::vector<ControlPlacement> places =
        MainWindowLayout({language.GetTextHeight(), language.GetWidthA(), language.GetWidthB()});
    if (const int skinned = CreateSkinnedControls(window, places, folders, cutMode);
        skinned != msg::kOk) {
        return skinned;
    }
    if (const int plain = CreatePlainControls(window, places); plain != msg::kOk) {
        return plain;
    }
    // Centred on the screen, as the window never remembers a place.
    window.setFixedSize(layout::kClientWidth, layout::kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    ApplyFonts(window);
    return msg::kOk;
}
