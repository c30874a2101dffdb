// TForm1: the View menu (zoom), the wheel over the picture, and where the
// scroll box shows a new picture. The zoom belongs to the view alone: it is
// never stored, and the program starts at 100 %.
#include "app/ImageView.h"
#include "app/splot.h"
#include "view/Zoom.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace splot {

namespace {

// "6.25 %", "33.3 %", "100 %": the level as a percentage, at most one decimal.
QString percentText(Zoom z) {
    const double percent = 100.0 * z.num / z.den;
    const double tenths = std::rint(percent * 10.0);
    const bool whole = std::fmod(tenths, 10.0) == 0.0;
    const bool hundredths = z.den == 16; // 6.25 %
    return QString::number(percent, 'f', hundredths ? 2 : whole ? 0 : 1) + QStringLiteral(" %");
}

} // namespace

// The wheel over the scroll box's viewport (and, passed on, over the image):
// vertical steps, Shift for horizontal ones, Ctrl to zoom around the pointer.
class TForm1::WheelFilter : public QObject {
public:
    explicit WheelFilter(TForm1* form) : QObject(form), form_(form) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        form_->viewWheel(static_cast<QWheelEvent*>(event));
        return true;
    }

private:
    TForm1* form_;
};

void TForm1::BuildViewMenu() {
    View1 = menuBar()->addMenu(QStringLiteral("View"));
    View1->setObjectName(QStringLiteral("View1"));
    auto item = [this](const char* name, const QString& caption, QList<QKeySequence> keys,
                       void (TForm1::*handler)()) {
        QAction* action = View1->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::ApplicationShortcut); // from the modeless dialogs too
        connect(action, &QAction::triggered, this, guard([this, handler] { (this->*handler)(); }));
        return action;
    };
    ZoomIn1 = item("ZoomIn1", QStringLiteral("Zoom In"),
                   {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                   &TForm1::ZoomIn1Click);
    ZoomOut1 = item("ZoomOut1", QStringLiteral("Zoom Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                    &TForm1::ZoomOut1Click);
    FitPicture1 = item("FitPicture1", QStringLiteral("Fit Picture"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
                       &TForm1::FitPicture1Click);
    ActualPixels1 = item("ActualPixels1", QStringLiteral("Actual Pixels"),
                         {QKeySequence(Qt::CTRL | Qt::Key_1)}, &TForm1::ActualPixels1Click);
    // The zoom in use carries the check mark: its level, or Fit Picture
    // for a fitted zoom between levels.
    FitPicture1->setCheckable(true);
    View1->addSeparator();
    auto* levels = new QActionGroup(this);
    levels->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    zoomLevelItems_.clear();
    for (Zoom z : ZoomLevels::levels) {
        QAction* action = View1->addAction(percentText(z));
        action->setCheckable(true);
        levels->addAction(action);
        connect(action, &QAction::triggered, this,
                guard([this, z] { setZoom(z, ScrollBox1->viewport()->rect().center()); }));
        zoomLevelItems_.push_back(action);
    }
    showZoomChecks();

    // Alt+V opens the menu, as Alt and the first letter opens the others.
    auto* open = new QAction(this);
    open->setShortcut(QKeySequence(Qt::ALT | Qt::Key_V));
    open->setShortcutContext(Qt::ApplicationShortcut);
    addAction(open);
    connect(open, &QAction::triggered, this, [this] {
        activateWindow();
        menuBar()->setActiveAction(View1->menuAction());
    });

    ScrollBox1->viewport()->installEventFilter(new WheelFilter(this));
}

void TForm1::ZoomIn1Click() {
    setZoom(ZoomLevels::zoomIn(Image1->zoom()), ScrollBox1->viewport()->rect().center());
}

void TForm1::ZoomOut1Click() {
    setZoom(ZoomLevels::zoomOut(Image1->zoom()), ScrollBox1->viewport()->rect().center());
}

void TForm1::FitPicture1Click() {
    const QSize box = ScrollBox1->maximumViewportSize(); // without scroll bars
    setZoom(ZoomLevels::fit(canvas_.imageWidth(), canvas_.imageHeight(), box.width(), box.height()),
            ScrollBox1->viewport()->rect().center());
}

void TForm1::ActualPixels1Click() {
    setZoom(ZoomLevels::actualPixels, ScrollBox1->viewport()->rect().center());
}

void TForm1::setZoom(Zoom zoom, QPoint anchor) {
    QWidget* viewport = ScrollBox1->viewport();
    const QPointF picture = Image1->picturePosition(Image1->mapFrom(viewport, QPointF(anchor)));
    Image1->setZoom(zoom);
    FormResize();
    // The picture point that was at the anchor goes back there, as far as
    // the scroll range allows.
    const QPointF at = Image1->widgetPosition(picture) + QPointF(Image1->pos());
    ScrollBox1->horizontalScrollBar()->setValue(static_cast<int>(std::lround(at.x() - anchor.x())));
    ScrollBox1->verticalScrollBar()->setValue(static_cast<int>(std::lround(at.y() - anchor.y())));
    showZoomChecks();
}

void TForm1::showZoomChecks() {
    const int level = ZoomLevels::levelIndex(Image1->zoom());
    for (std::size_t i = 0; i < zoomLevelItems_.size(); ++i)
        zoomLevelItems_[i]->setChecked(static_cast<int>(i) == level);
    FitPicture1->setChecked(level < 0);
}

void TForm1::showPictureFromTopLeft() {
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void TForm1::viewWheel(QWheelEvent* event) {
    // One notch is 120 eighths of a degree; fine-grained wheels add up to it.
    const QPoint delta = event->angleDelta();
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        wheelZoom_ += delta.y() != 0 ? delta.y() : delta.x();
        const QPoint anchor = event->position().toPoint();
        for (; wheelZoom_ >= 120; wheelZoom_ -= 120)
            setZoom(ZoomLevels::zoomIn(Image1->zoom()), anchor);
        for (; wheelZoom_ <= -120; wheelZoom_ += 120)
            setZoom(ZoomLevels::zoomOut(Image1->zoom()), anchor);
        return;
    }
    // A steady step of an eighth of the viewport per notch; Shift, or a
    // sideways wheel, scrolls horizontally.
    const bool sideways = event->modifiers().testFlag(Qt::ShiftModifier) || delta.y() == 0;
    const int amount = delta.y() != 0 ? delta.y() : delta.x();
    QScrollBar* bar = sideways ? ScrollBox1->horizontalScrollBar() : ScrollBox1->verticalScrollBar();
    const QSize view = ScrollBox1->viewport()->size();
    const int step = std::max(sideways ? view.width() / 8 : view.height() / 8, 20);
    bar->setValue(bar->value() - amount * step / 120);
}

} // namespace splot
