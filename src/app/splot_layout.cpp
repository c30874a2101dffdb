// TForm1: the control panel on the right and the status bar. Initial
// positions and captions are the form's own; FormCreate then brings them in
// line with the settings.
#include "app/splot.h"

#include "app/FormWidgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>

namespace splot {

namespace {

constexpr int panelWidth = 192;

QFrame* makeGroup(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

QGridLayout* compactGrid(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(4, 3, 4, 3);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

void TForm1::BuildControlPanel() {
    Panel2 = new QFrame;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(panelWidth);
    auto* column = new QVBoxLayout(Panel2);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(3);
    BuildColourGroup();
    column->addWidget(Panel3);
    BuildBrushGroup();
    column->addWidget(Panel4);
    BuildFilesGroup();
    column->addWidget(Panel5);
    BuildActionsGroup();
    column->addWidget(Panel7);

    // Brush files, below the groups.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    btnLoadBrush = new QPushButton(QStringLiteral("Load Brush"), Panel2);
    btnSaveBrush = new QPushButton(QStringLiteral("Save Brush"), Panel2);
    buttons->addWidget(btnLoadBrush);
    buttons->addWidget(btnSaveBrush);
    column->addLayout(buttons);
    column->addStretch(1);
}

// Colour: the three colour sliders, intensity and the swatch.
void TForm1::BuildColourGroup() {
    Panel3 = makeGroup(Panel2, "Panel3");
    auto* grid = compactGrid(Panel3);
    tbR = addSliderRow(grid, 0, QStringLiteral("Red"), 0, 255, 255, labelRed, QStringLiteral("255"));
    tbG = addSliderRow(grid, 1, QStringLiteral("Green"), 0, 255, 0, labelGreen, QStringLiteral("0"));
    tbB = addSliderRow(grid, 2, QStringLiteral("Blue"), 0, 255, 0, labelBlue, QStringLiteral("0"));
    tbIntensity =
        addSliderRow(grid, 3, QStringLiteral("Intensity"), 1, 100, 100, labelIntensity, QStringLiteral("0"));
    labelSwatch = new QLabel(Panel3);
    labelSwatch->setFixedHeight(25);
    labelSwatch->setAutoFillBackground(true);
    QPalette swatch = labelSwatch->palette();
    swatch.setColor(QPalette::Window, QColor(255, 0, 0));
    labelSwatch->setPalette(swatch);
    grid->addWidget(labelSwatch, 4, 0, 1, 3);
}

// Brush: width, fuzziness, speckle density and the two brush boxes.
void TForm1::BuildBrushGroup() {
    Panel4 = makeGroup(Panel2, "Panel4");
    auto* grid = compactGrid(Panel4);
    tbW = addSliderRow(grid, 0, QStringLiteral("Width"), 1, 200, 50, labelWidth, QStringLiteral("50"));
    tbFuzziness =
        addSliderRow(grid, 1, QStringLiteral("Fuzziness"), 1, 100, 100, labelFuzziness, QStringLiteral("0"));
    tbSpeckly =
        addSliderRow(grid, 2, QStringLiteral("Speckly"), 1, 100, 100, labelSpeckly, QStringLiteral("0"));
    cbFuzzy = new QCheckBox(QStringLiteral("Fuzzy Edge"), Panel4);
    cbFuzzy->setChecked(true);
    cbSquareBrush = new QCheckBox(QStringLiteral("SquareBrush"), Panel4);
    cbSquareBrush->setChecked(true);
    auto* boxes = new QVBoxLayout;
    boxes->setSpacing(0);
    boxes->addWidget(cbFuzzy);
    boxes->addWidget(cbSquareBrush);
    grid->addLayout(boxes, 3, 0, 1, 3);
}

// Files and history: load, save, revert, clear, undo, redo.
void TForm1::BuildFilesGroup() {
    Panel5 = makeGroup(Panel2, "Panel5");
    auto* grid = new QGridLayout(Panel5);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(3);
    auto button = [this](const QString& caption) { return new QPushButton(caption, Panel5); };
    btnLoad = button(QStringLiteral("Load Image"));
    btnSave = button(QStringLiteral("Save Image"));
    btnRevert = button(QStringLiteral("Revert"));
    btnRevert->setEnabled(false); // until the first successful load
    btnClear = button(QStringLiteral("Clear Image"));
    btnUndo = button(QStringLiteral("Undo"));
    btnRedo = button(QStringLiteral("Redo"));
    grid->addWidget(btnLoad, 0, 0);
    grid->addWidget(btnSave, 0, 1);
    grid->addWidget(btnRevert, 1, 0);
    grid->addWidget(btnClear, 1, 1);
    grid->addWidget(btnUndo, 2, 0);
    grid->addWidget(btnRedo, 2, 1);
}

// Actions: the five RGB actions, Do Action and the two action boxes.
void TForm1::BuildActionsGroup() {
    Panel7 = makeGroup(Panel2, "Panel7");
    auto* box = new QVBoxLayout(Panel7);
    box->setContentsMargins(4, 3, 4, 4);
    box->setSpacing(2);
    RadioGroup1 = new QGroupBox(QStringLiteral("Actions"), Panel7);
    auto* radios = new QGridLayout(RadioGroup1);
    radios->setContentsMargins(6, 2, 4, 2);
    radios->setVerticalSpacing(0);
    rbInvert = new QRadioButton(QStringLiteral("Invert"), RadioGroup1);
    rbCycle = new QRadioButton(QStringLiteral("Cycle RGB"), RadioGroup1);
    rbRandG = new QRadioButton(QStringLiteral("R <-> G"), RadioGroup1);
    rbRandB = new QRadioButton(QStringLiteral("R <-> B"), RadioGroup1);
    rbGandB = new QRadioButton(QStringLiteral("G <-> B"), RadioGroup1);
    rbInvert->setChecked(true);
    radios->addWidget(rbInvert, 0, 0);
    radios->addWidget(rbCycle, 0, 1);
    radios->addWidget(rbRandG, 1, 0);
    radios->addWidget(rbRandB, 1, 1);
    radios->addWidget(rbGandB, 2, 0);
    box->addWidget(RadioGroup1);
    btnDoAction = new QPushButton(QStringLiteral("Do Action"), Panel7);
    box->addWidget(btnDoAction);
    cbRGBAction = new QCheckBox(QStringLiteral("Draw with action"), Panel7);
    cbSilly = new QCheckBox(QStringLiteral("Silly"), Panel7);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(cbRGBAction);
    boxes->addWidget(cbSilly);
    box->addLayout(boxes);
}

void TForm1::BuildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    auto panel = [this](int width) {
        auto* label = new QLabel(StatusBar1);
        label->setMinimumWidth(width);
        label->setTextFormat(Qt::PlainText);
        // Sunken frames keep the three panels visibly apart.
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(2, 0, 2, 0);
        return label;
    };
    statusMessagePanel = panel(450);
    statusMessagePanel->setMaximumWidth(450);
    statusModePanel = panel(250);
    statusModePanel->setMaximumWidth(250);
    // The last panel reaches to the right end of the bar, so that a depth such
    // as "3D depth: -100" is never cut off; it is at least 50 pixels wide.
    statusDepthPanel = panel(50);
    StatusBar1->addWidget(statusMessagePanel);
    StatusBar1->addWidget(statusModePanel);
    StatusBar1->addWidget(statusDepthPanel, 1);
    setStatusBar(StatusBar1);
}

} // namespace splot
