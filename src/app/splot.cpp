// TForm1: construction, start-up, exit, the canvas commands, the status bar
// and the centring of the image.
#include "app/splot.h"

#include "app/ImageView.h"
#include "app/dialogs/splot3doptions.h"
#include "app/dialogs/splotForm2.h"
#include "app/dialogs/splotbrushoptions.h"
#include "app/dialogs/splotcircleoptions.h"
#include "app/dialogs/splotimageoptions.h"
#include "app/splothelp.h"
#include "paint/Limits.h"
#include "paint/Numbers.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>

namespace splot {

TForm1::TForm1(const AppPorts& ports, QWidget* parent) : QMainWindow(parent), ports_(ports) {
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
    setCursorHidden(false);
    canvas_.setDisplay(nullptr);
}

// Start-up: every step in this order. No other window exists yet.
void TForm1::FormCreate() {
    // 1. The scroll box paints double-buffered: every Qt widget does.
    // 2.
    SetRandomColourMethod("none");
    // 3. No previous pointer position yet.
    state_.stroke.lastMouseX = -1;
    state_.stroke.lastMouseY = -1;
    // 4. maxImageWidth and maxImageHeight are the fixed limits of paint/Limits.h.
    // 5.
    ReadIniFile("all", "");
    // 6. An odd size gives a half.
    state_.circle.circleCenterX = state_.paint.imageWidth / 2.0;
    state_.circle.circleCenterY = state_.paint.imageHeight / 2.0;
    // 7.
    state_.paint.eraseMode = false;
    state_.stroke.canvasTouched = false;
    // 8. Builds and clears the canvas (freshStart is still false, so this
    // clear takes an undo snapshot) and moves the width slider to brushWidth.
    MakeNewImage(state_.paint.imageWidth, state_.paint.imageHeight, false);
    // 9. The one seeding of the program's generator.
    const LocalDateTime t = ports_.clock->now();
    const std::uint64_t seed =
        ((((((static_cast<std::uint64_t>(t.year) * 12 + t.month) * 31 + t.day) * 24 + t.hour) * 60 +
           t.minute) *
              60 +
          t.second) *
             1000 +
         t.millisecond);
    random_.seed(seed);
    // 10.
    state_.stroke.brushOutlineShown = false;
    state_.colour.drawWithAction = false;
    state_.paint.freshStart = true;
    state_.shell.closeAllowed = true;
    // 11.
    state_.shell.unsavedChangesText = "There are unsaved changes.";
    // 12. The empty current shape belongs to the shapes code (splot_splotting.cpp).
}

void TForm1::Exit2Click() {
    const std::string& unsaved = state_.shell.unsavedChangesText;
    if (statusPanelText(0) != unsaved) {
        HaltApp();
        return;
    }
    const Answer answer = ports_.prompts->warning(unsaved + "\r\nDo you want to save them before exiting?",
                                                  Buttons::YesNoCancel);
    if (answer == Answer::Yes) {
        // A save that did not happen must not lose the picture: stay.
        if (!SaveSplot()) {
            state_.shell.closeAllowed = false;
            return;
        }
        HaltApp();
    } else if (answer == Answer::No) {
        HaltApp();
    } else {
        state_.shell.closeAllowed = false;
    }
}

void TForm1::FormClose() {
    state_.shell.closeAllowed = false;
    Exit2Click();
}

void TForm1::HaltApp() {
    // A folder that can never be written must not trap the user: after the
    // error the user may quit without the settings.
    if (mayQuitAfterSettingsWrite(*ports_.prompts, WriteIniFile("all", ""))) {
        ports_.processEnd->endProcess();
        return;
    }
    state_.shell.closeAllowed = false;
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The process ends inside FormClose when the user agrees; otherwise the
    // close is abandoned silently.
    guarded(ports_.prompts, [this] { FormClose(); });
    if (state_.shell.closeAllowed)
        event->accept();
    else
        event->ignore();
}

void TForm1::MakeNewImage(int width, int height, bool keepPicture) {
    if (width < 0 || width > maxImageWidth || height < 0 || height > maxImageHeight) {
        ShowImageOptionsModal();
        FormResize();
        return;
    }
    try {
        canvas_.rebuild(width, height, keepPicture, state_.paint.backgroundIsWhite);
        state_.paint.imageWidth = width;
        state_.paint.imageHeight = height;
    } catch (const CanvasAllocationError& e) {
        // The canvas keeps its old size, so the picture, the row table and the
        // working arrays still agree with imageWidth x imageHeight.
        ports_.prompts->message(e.what());
    }
    Image1->setFixedSize(canvas_.imageWidth(), canvas_.imageHeight());
    if (!keepPicture)
        ClearImage();
    // Runs tbWChange only when the slider moves; otherwise penWidth stays.
    tbW->setValue(state_.paint.brushWidth);
    if (!state_.paint.squareBrush) {
        cbSquareBrush->setChecked(false);
        state_.paint.squareBrush = false;
    }
    FormResize();
}

void TForm1::ShowImageOptionsModal() {
    if (frmImageOptions != nullptr)
        frmImageOptions->exec();
}

void TForm1::ClearImage() {
    if (state_.paint.freshStart)
        state_.paint.freshStart = false;
    else
        history_.MakeUndoFromRows();
    canvas_.fill(state_.paint.backgroundIsWhite ? 255 : 0);
    RefreshPicture();
    ShowStatus("Image cleared");
}

void TForm1::Clear1Click() {
    ClearImage();
}

void TForm1::btnClearClick() {
    Clear1Click();
}

void TForm1::RefreshPicture() {
    canvas_.RefreshPicture();
}

void TForm1::ShowStatus(const std::string& text) {
    statusMessagePanel->setText(QString::fromStdString(text));
}

void TForm1::UpdateColoringModeStatus() {
    statusModePanel->setText(QString::fromStdString(
        coloringModeStatusText(state_.paint.eraseMode, state_.paint.backgroundIsWhite)));
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
