// The method illustration `Tmethode` shown (not modal) while a command waits for points.
#pragma once

#include <QDialog>
#include <QLabel>
#include <functional>

namespace tarvo {

class Tmethode final : public QDialog {
public:
    explicit Tmethode(QWidget* parent = nullptr);
    void ShowMethod(int method, int needed);
    // Escape here aborts the wait, as in the main window.
    std::function<void()> OnEscape;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLabel* m_text;
};

}  // namespace tarvo
