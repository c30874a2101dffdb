#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace splot {

// Small builders shared by the windows' layouts.

// One slider row of a grid: title on the left, the slider, and its value
// label on the right. The slider has no tick marks.
inline QSlider* addSliderRow(QGridLayout* grid, int row, const QString& title, int min, int max, int position,
                             QLabel*& valueLabel, const QString& valueText, QLabel** titleLabel = nullptr) {
    QWidget* parent = grid->parentWidget();
    auto* titleWidget = new QLabel(title, parent);
    grid->addWidget(titleWidget, row, 0);
    if (titleLabel != nullptr)
        *titleLabel = titleWidget;
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(min, max);
    slider->setValue(position);
    slider->setTickPosition(QSlider::NoTicks);
    grid->addWidget(slider, row, 1);
    valueLabel = new QLabel(valueText, parent);
    valueLabel->setMinimumWidth(valueLabel->fontMetrics().horizontalAdvance(QStringLiteral("-2550")));
    valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(valueLabel, row, 2);
    return slider;
}

// The check-box rule: a box's handler flips its flag without reading the box,
// and setChecked runs it only on a real change. Brings the box in line with
// flag: when they disagree the box is set, its handler flips the flag, and
// the flag is put back, so that box and flag both hold flag's value.
inline void setBoxKeepingFlag(QCheckBox* box, bool& flag) {
    if (box->isChecked() == flag)
        return;
    const bool wanted = flag;
    box->setChecked(wanted);
    flag = wanted;
}

// A word-wrapped note; cream notes have the cream background.
inline QLabel* makeNote(const QString& text, QWidget* parent, bool cream) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    if (cream) {
        note->setAutoFillBackground(true);
        QPalette palette = note->palette();
        palette.setColor(QPalette::Window, QColor(255, 251, 240));
        palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
        note->setPalette(palette);
        note->setMargin(3);
    }
    return note;
}

} // namespace splot
