// The logo form `Tcomon_form` ("comon_form"): carries the company logo "LOGO.BMP" of the working
// folder, loaded once at start-up, and shows it when the marker file "showlogo" asks for it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>

namespace tarvo {

class Tcomon_form final : public QDialog {
public:
    // `folder`: the working folder at start-up.
    explicit Tcomon_form(const QString& folder, QWidget* parent = nullptr);
    [[nodiscard]] bool HasLogo() const noexcept { return m_hasLogo; }
    QLabel* pic;

private:
    bool m_hasLogo = false;
};

}  // namespace tarvo
