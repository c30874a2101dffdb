#include "app/splot.h"

#include "app/ImageView.h"
#include "paint/Limits.h"
#include "paint/Numbers.h"

#include <QDateTime>
#include <QResizeEvent>
#include <QScrollArea>

namespace splot {

TForm1::TForm1(const AppPorts& ports, QWidget* parent) : QMainWindow(parent), ports_(ports) {
    setWindowTitle(QStringLiteral("SPLOT 46"));
    resize(854, 756);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imageHost_ = new QWidget;
    Image1 = new ImageView(canvas_, imageHost_);
    ScrollBox1->setWidget(imageHost_);
    setCentralWidget(ScrollBox1);
    canvas_.setDisplay(Image1);

    FormCreate();
}

TForm1::~TForm1() {
    canvas_.setDisplay(nullptr);
}

void TForm1::FormCreate() {
    MakeNewImage(state_.paint.imageWidth, state_.paint.imageHeight, false);
    random_.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    state_.paint.freshStart = true;
}

void TForm1::MakeNewImage(int width, int height, bool keepPicture) {
    if (width < 0 || width > maxImageWidth || height < 0 || height > maxImageHeight) {
        FormResize();
        return;
    }
    try {
        canvas_.rebuild(width, height, keepPicture, state_.paint.backgroundIsWhite);
        state_.paint.imageWidth = width;
        state_.paint.imageHeight = height;
    } catch (const CanvasAllocationError& e) {
        if (ports_.prompts != nullptr)
            ports_.prompts->message(e.what());
    }
    Image1->setFixedSize(canvas_.imageWidth(), canvas_.imageHeight());
    if (!keepPicture)
        ClearImage();
    FormResize();
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

void TForm1::RefreshPicture() {
    canvas_.RefreshPicture();
}

void TForm1::ShowStatus(const std::string& text) {
    statusText_ = text;
}

void TForm1::FormResize() {
    if (ScrollBox1 == nullptr || Image1 == nullptr)
        return;
    // The image sits centred in the scroll box while it is smaller, at 0 and
    // scrolled while it is larger. It lives on a host widget that fills the
    // viewport, so the scroll area's own scrolling keeps working.
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
