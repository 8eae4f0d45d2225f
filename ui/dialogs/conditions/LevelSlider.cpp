#include "ui/dialogs/conditions/LevelSlider.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinControl.h"
#include "ui/dialogs/conditions/ConditionRules.h"

#include <QLabel>

namespace {

// Places of the row relative to its value label's line y, in pixels.
constexpr int kCaptionX = 118;
constexpr int kCaptionWidth = 84;
constexpr int kValueX = 204;
constexpr int kValueWidth = 20;
constexpr int kSliderX = 231;
constexpr int kSliderRaise = 2;
constexpr int kLowerX = 246;
constexpr int kUpperX = 378;
constexpr int kBoundWidth = 20;
constexpr int kBoundRaise = 16;
constexpr int kSliderKind = 0;

} // namespace

CLevelSlider::CLevelSlider(const CSkinFolders& folders, QWidget& dialog, Ids ids,
                           const QString& caption)
    : QObject(&dialog), m_dialog(dialog), m_ids(ids), m_pSlider(new CSkinSlider(folders, &dialog)),
      m_pCaption(new QLabel(caption, &dialog)), m_pValue(new QLabel(&dialog)),
      m_pLower(new QLabel(&dialog)), m_pUpper(new QLabel(&dialog)) {
    connect(m_pSlider, &CSkinSlider::Scrolled, this, &CLevelSlider::OnScrolled);
    connect(m_pSlider, &QScrollBar::valueChanged, this, &CLevelSlider::ShowValue);
}

int CLevelSlider::SetUp(int y, int textHeight) {
    if (const int setUp = m_pSlider->SetUp(m_ids.slider, kSliderX, y - kSliderRaise, kSliderKind);
        setUp != msg::kOk) {
        return setUp;
    }
    const struct {
        QLabel* label;
        int id;
        QRect place;
    } labels[] = {
        {m_pCaption, m_ids.caption, {kCaptionX, y, kCaptionWidth, textHeight}},
        {m_pValue, m_ids.value, {kValueX, y, kValueWidth, textHeight}},
        {m_pLower, m_ids.lower, {kLowerX, y - kBoundRaise, kBoundWidth, textHeight}},
        {m_pUpper, m_ids.upper, {kUpperX, y - kBoundRaise, kBoundWidth, textHeight}},
    };
    for (const auto& [label, id, place] : labels) {
        if (!skin::AttachControl(label, &m_dialog, id)) {
            return msg::kControlAttachFailed;
        }
        label->setGeometry(place);
    }
    return msg::kOk;
}

void CLevelSlider::SetBounds(IntRange bounds, bool offered, int pageStep) {
    m_bounds = bounds;
    m_nPageStep = pageStep;
    // The scroll bar keeps its value within the range, as the window keeps the level.
    m_pSlider->setRange(bounds.nMin, bounds.nMax);
    m_pLower->setText(QString::asprintf("%d", bounds.nMin));
    m_pUpper->setText(QString::asprintf("%d", bounds.nMax));
    m_pCaption->setEnabled(offered);
    m_pSlider->setEnabled(offered);
    for (QLabel* shown : {m_pValue, m_pLower, m_pUpper}) {
        shown->setVisible(offered);
    }
    ShowValue();
}

void CLevelSlider::SetValue(int value) {
    m_pSlider->setValue(value); // the label follows valueChanged
}

int CLevelSlider::Value() const {
    return m_pSlider->value();
}

void CLevelSlider::OnScrolled(ScrollRequest request, int dragged) {
    SetValue(condrules::ScrolledLevel(request, Value(), dragged, m_bounds, m_nPageStep));
    m_pSlider->Redraw();
}

void CLevelSlider::ShowValue() {
    m_pValue->setText(QString::asprintf("%2d", Value()));
}
