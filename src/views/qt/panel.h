// The right-hand panels of the graphic views: a value label and a caption beside it.
#pragma once

#include <QBoxLayout>
#include <QLabel>

namespace tarvo {

// A value label ("-" until something is shown) named as the window's control.
inline QLabel* PanelValue(QWidget* parent, const char* name) {
    auto* l = new QLabel("-", parent);
    l->setObjectName(name);
    return l;
}

// A line of the panel: the caption, then the value; returns the caption label.
inline QLabel* AddPanelRow(QBoxLayout* panel, QWidget* parent, const char* caption, QLabel* value) {
    auto* line = new QHBoxLayout;
    auto* label = new QLabel(caption, parent);
    line->addWidget(label);
    line->addWidget(value, 1);
    panel->addLayout(line);
    return label;
}

}  // namespace tarvo
