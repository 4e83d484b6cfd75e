// The element graphic window `TElement_grafik` ("Grafische Darstellung"): the model's drawing
// made with QPainter in a scroll box, the result list's copy below it, the right panel with
// the mouse position, "Faktor", "Offset", the extents and "# Elemente", the "Zoom out" track bar,
// "Immer sichtbar" and "OK". Not modal; it lives as long as the main window.
#pragma once

#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QSlider;

namespace tarvo {

class ElementGraphic;

class TElement_grafik final : public QWidget {
public:
    TElement_grafik(ElementGraphic& model, QWidget* parent);
    // Draws the model again; `raise` shows the window and brings it to the front (the focus
    // then goes back to the main window), otherwise only a shown window is redrawn.
    void Refresh(bool raise);
    // The picture as last drawn.
    [[nodiscard]] const QImage& Picture() const noexcept { return m_image; }
    // "Einpassen": the whole picture in the window (the default), or the picture 1:1 with
    // scroll bars, zoomed about the middle of what is shown.
    void SetFitted(bool fitted);
    [[nodiscard]] bool Fitted() const noexcept { return m_fitted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Draw();
    void PlaceImage();
    void ShowPicture();  // the drawn picture, fitted or 1:1

    ElementGraphic& m_model;
    QImage m_image;
    bool m_firstPlacement = true;
    bool m_fitted = true;
    double m_shownScale = 1;  // picture pixels per shown pixel
    QScrollArea* ScrollBox1;
    QLabel* Image1;
    QListWidget* lb1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label16;
    QSlider* TrackBar1;
    QCheckBox* cb1;
    QCheckBox* Fit;
};

}  // namespace tarvo
