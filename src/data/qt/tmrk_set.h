// The feature dialog `Tmrk_set` ("Merkmal"): a form over the core's FeatureDialog, which owns
// the checks, the ISO lookup and the names files.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "data/feature.h"

namespace tarvo {

class TListChooser;

class Tmrk_set final : public QDialog {
public:
    explicit Tmrk_set(QWidget* parent = nullptr);
    // Shows the dialog on `dialog`; true when it closed with OK.
    bool Run(FeatureDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Load();       // the fields and the focus of the dialog logic
    void LoadTexts();  // the fields only
    void Store();
    void OpenNameChooser();  // the names file's chooser for the active page
    QLineEdit* Field(FeatureDialog::Field f) { return m_edits[static_cast<std::size_t>(f)]; }
    FeatureDialog* m_dialog = nullptr;
    QPushButton* m_ok = nullptr;
    QTabWidget* m_pages;
    QComboBox* m_choice;
    std::array<QLineEdit*, FeatureDialog::kFieldCount> m_edits{};
};

}  // namespace tarvo
