// The angle chooser `Tselect_winkel`: four candidate buttons, the first two angles sketched as
// sectors, the keys "1".."4" choose, "Abbrechen" cancels.
#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <optional>

#include "geometry/anglechoice.h"

namespace tarvo {

class Tselect_winkel final : public QDialog {
public:
    explicit Tselect_winkel(QWidget* parent = nullptr);
    // Shows the candidates; the chosen number 1..4, or nothing on Cancel.
    std::optional<int> Choose(const AngleChoice& choice, const QString& label = "Winkel");
    // The sketch image as drawn for the candidates (466 x 231).
    static QImage Sketch(const AngleChoice& choice);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::array<QPushButton*, 4> m_buttons{};
    QLabel* m_image;
    int m_choice = 0;
};

}  // namespace tarvo
