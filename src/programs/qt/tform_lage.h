// The dialog of the geometric tolerances `Tform_lage` ("Form- und Lagetoleranz"): the feature
// dialog's look (a name with its chooser, a tab per kind, OK and Cancel) over the core's
// GeoToleranceDialog, which owns the checks, the ISO lookup and the names file.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <array>

#include "programs/geocompare.h"

namespace tarvo {

class Tform_lage final : public QDialog {
public:
    explicit Tform_lage(QWidget* parent = nullptr);
    // Shows the dialog on `dialog`; true when it closed with OK.
    bool Run(GeoToleranceDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Load();  // the kind's rows, the fields and the focus of the dialog logic
    void LoadTexts();
    void Store();
    QLineEdit* Field(GeoToleranceDialog::Field f) { return m_edits[static_cast<std::size_t>(f)]; }
    GeoToleranceDialog* m_dialog = nullptr;
    QPushButton* m_ok = nullptr;
    QTabBar* m_kinds;
    QFormLayout* m_form = nullptr;
    QComboBox* m_mc;
    QComboBox* m_hole;
    QComboBox* m_method;
    std::array<QLineEdit*, GeoToleranceDialog::kFieldCount> m_edits{};
};

}  // namespace tarvo
