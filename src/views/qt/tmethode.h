// The method illustration `Tmethode`: shown (not modal, on top, no border icons) while a
// command waits for points; Escape in it aborts the wait.
#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <functional>

namespace tarvo {

class Tmethode final : public QDialog {
public:
    explicit Tmethode(QWidget* parent = nullptr);
    // Draws the sketch of `method` and shows the window.
    void ShowMethod(int method);
    // The sketch image as drawn: silver background, element, yellow dots, numbers.
    [[nodiscard]] static QImage Draw(int method);
    std::function<void()> OnEscape;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLabel* img1;
};

}  // namespace tarvo
