#pragma once

#include "conditions/CuttingCondition.h"
#include "ui/main/MainPanel.h"

class QPainter;
struct ConditionDialogLinks;

// The condition area: whether the plotter cuts with its own panel settings or with a media
// list of the controller, which media list, and the values of the current condition.
class CConditionPanel : public CMainPanel {
    Q_OBJECT
public:
    explicit CConditionPanel(const PanelContext& context);

    // Fills the area from the settings once the window has opened, and connects its controls.
    void Init();
    // Refills the media type list and shows the current condition again.
    void Refresh();
    // The blade picture of the current condition.
    void Paint(QPainter& painter) const;

private:
    void FillMediaList(int enabled);
    void ShowCondition(int enabled);
    void OnUsePlotterSettings();
    void OnUseControllerSettings();
    void OnSelectMedia(int index);
    void OnListEdit();
    void OnEditConditions();
    void OnImportConditions();
    // Runs the condition edit window on `condition`; on OK the store is sorted by name and the
    // area shows the result.
    void EditCondition(int mode, const CuttingCondition& condition);
    ConditionDialogLinks DialogLinks() const;
};
