// TForm1: construction, start-up, exit, the canvas commands, the status bar
// and the centring of the image.
#include "app/splot.h"

#include "app/FormWidgets.h"
#include "app/ImageView.h"
#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotcircleoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "app/splothelp.h"
#include "base/Limits.h"
#include "base/Numbers.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>

namespace splot {

SessionPorts TForm1::sessionPorts() {
    return SessionPorts{*ports_.prompts,
                        *ports_.mouse,
                        *ports_.clock,
                        *ports_.paths,
                        *ports_.processEnd,
                        ports_.pump,
                        this,
                        ports_.cursor != nullptr ? ports_.cursor : &qtCursor_,
                        this};
}

TForm1::TForm1(const AppPorts& ports, QWidget* parent)
    : QMainWindow(parent), ports_(ports), session_(sessionPorts()) {
    setWindowTitle(QStringLiteral("SPLOT 46"));
    resize(854, 756); // the restored size; the window starts maximised
    setWindowState(windowState() | Qt::WindowMaximized);

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    ScrollBox1 = new QScrollArea(central);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imageHost_ = new QWidget;
    Image1 = new ImageView(canvas_, imageHost_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setWorkers(&session_.workers());
    ScrollBox1->setWidget(imageHost_);
    row->addWidget(ScrollBox1, 1);

    BuildControlPanel();
    row->addWidget(Panel2, 0);
    setCentralWidget(central);
    BuildStatusBar();
    BuildMenus();

    canvas_.setDisplay(Image1);
    WireEvents();
    guarded(ports_.prompts, [this] { FormCreate(); });
}

TForm1::~TForm1() {
    // The dialogs reach into this window's state: they go first.
    delete frmShapeOptions;
    delete Form2;
    delete frmCircleOptions;
    delete frm3dOptions;
    delete frmBrushOptions;
    delete frmImageOptions;
    canvas_.setDisplay(nullptr);
}

// Start-up: every step in this order. No other window exists yet. The
// scroll box paints double-buffered (every Qt widget does); maxImageWidth and
// maxImageHeight are the fixed limits of base/Limits.h.
void TForm1::FormCreate() {
    SetRandomColourMethod("none");
    session_.startUp(); // the settings file, the canvas, the generator
    // The empty current shape belongs to the shapes code.
}

void TForm1::Exit2Click() {
    session_.requestExit();
}

void TForm1::FormClose() {
    session_.windowClosing();
}

void TForm1::HaltApp() {
    session_.HaltApp();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The process ends inside FormClose when the user agrees; otherwise the
    // close is abandoned silently.
    guarded(ports_.prompts, [this] { FormClose(); });
    if (session_.closeAllowed())
        event->accept();
    else
        event->ignore();
}

void TForm1::MakeNewImage(int width, int height, bool keepPicture) {
    session_.MakeNewImage(width, height, keepPicture);
}

void TForm1::canvasRebuilt() {
    Image1->pictureResized();
    // Runs tbWChange only when the slider moves; otherwise penWidth stays.
    tbW->setValue(state_.paint.brushWidth);
    if (!state_.paint.squareBrush)
        setBoxKeepingFlag(cbSquareBrush, state_.paint.squareBrush);
    FormResize();
    showPictureFromTopLeft();
}

void TForm1::canvasSizeRefused() {
    if (frmImageOptions != nullptr)
        frmImageOptions->exec();
    FormResize();
}

void TForm1::undoRedoChanged(bool undo, bool redo) {
    btnRedo->setEnabled(redo);
    menuItemRedo->setEnabled(redo);
    btnUndo->setEnabled(undo);
    menuItemUndo->setEnabled(undo);
}

void TForm1::revertEnabled() {
    btnRevert->setEnabled(true);
}

void TForm1::ClearImage() {
    session_.ClearImage();
}

void TForm1::Clear1Click() {
    ClearImage();
}

void TForm1::btnClearClick() {
    Clear1Click();
}

void TForm1::RefreshPicture() {
    session_.RefreshPicture();
}

void TForm1::ShowStatus(const std::string& text) {
    session_.ShowStatus(text);
}

void TForm1::UpdateColoringModeStatus() {
    session_.UpdateColoringModeStatus();
}

void TForm1::showPanel(int panel, const std::string& text) {
    QLabel* panels[] = {statusMessagePanel, statusModePanel, statusDepthPanel};
    if (panel >= 0 && panel < 3)
        panels[panel]->setText(QString::fromStdString(text));
}

std::string TForm1::statusPanelText(int panel) const {
    const QLabel* panels[] = {statusMessagePanel, statusModePanel, statusDepthPanel};
    if (panel < 0 || panel > 2)
        return {};
    return panels[panel]->text().toStdString();
}

void TForm1::FormResize() {
    if (ScrollBox1 == nullptr || Image1 == nullptr)
        return;
    // Centred while smaller than the scroll box, at 0 and scrolled while
    // larger. Image1 lives on a host widget that fills the viewport, so the
    // scroll area's own scrolling keeps working.
    const int left = std::max(roundEven((ScrollBox1->width() - Image1->width()) / 2.0), 0);
    const int top = std::max(roundEven((ScrollBox1->height() - Image1->height()) / 2.0), 0);
    Image1->move(left, top);
    const QSize viewport = ScrollBox1->viewport()->size();
    imageHost_->resize(std::max(viewport.width(), left + Image1->width()),
                       std::max(viewport.height(), top + Image1->height()));
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

} // namespace splot
