#pragma once

#include <QDialog>
#include <QString>

#include <map>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

// The plotter choice window, shown when more than one supported plotter answers on USB: a
// drop-down list of their family names and an OK button.
class CModelSelectDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 140;
    static constexpr int kIdOk = 1;
    static constexpr int kIdModelList = 4204;

    // `familyNames` in model-table order; the first one is preselected.
    CModelSelectDlg(const std::vector<std::string>& familyNames, const QString& caption,
                    QWidget* parent = nullptr);

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

    // The text selected when the window closed with OK; "" when it closed any other way.
    std::string SelectedName() const { return m_strSelected; }

    // Runs the window modally and gives back SelectedName().
    static std::string Choose(const std::vector<std::string>& familyNames, const QString& caption,
                              QWidget* parent = nullptr);

private:
    void OnOK();

    QComboBox* m_pModelList;
    QPushButton* m_pOk;
    std::map<int, QWidget*> m_mapControls;
    std::string m_strSelected;
};
