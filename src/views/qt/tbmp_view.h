// The bitmap view `TBMP_View` ("Grafische Darstellung"): a modal, maximised dialog showing the
// model's picture in a scroll box and its overview, the right panel with the mouse position,
// scale, offsets, overview ratio and result, the buttons "Zeichnen", "Fläche", "Bild Löschen",
// "OK" and "Abbrechen", and a status line. A click into the picture in area mode measures.
// It opens with the picture fitted into the scroll box ("Einpassen"); unchecked, 1:1.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace tarvo {

class BitmapView;

class TBMP_View final : public QDialog {
public:
    explicit TBMP_View(QWidget* parent);
    // Shows the dialog on `view` (its point list filled, FormShow done); the polygon is drawn at
    // once. @retval true closed with OK after an area was measured.
    bool Run(BitmapView& view);
    // The click into the picture at pixel (x, y) of the picture (not of the screen when fitted).
    void ImageClick(int x, int y);
    void DrawClick();   // "Zeichnen"
    void AreaClick();   // "Fläche"
    void ClearClick();  // "Bild Löschen"
    void OkClick();     // "OK"
    // The texts the view composes, in the loaded language (unchanged without one).
    std::function<std::string(const std::string&)> Translate;

    // Fits the picture into the scroll box (shrinking only) or shows it 1:1.
    void SetFitted(bool fitted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Render();
    [[nodiscard]] std::string Tr(const std::string& text) const;
    void RenderOverview();
    void ShowPicture();

    BitmapView* m_view = nullptr;
    QScrollArea* ScrollBox1;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* StatusBar1;
    QPushButton* BitBtn3;
    QCheckBox* Fit;
    QImage m_picture;
    double m_shownScale = 1;  // picture pixels per screen pixel
    QPoint m_mark{-1, -1};
};

}  // namespace tarvo
