#include "app/QtPorts.h"

#include "settings/StorageLocations.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>
#include <QtMath>

namespace splot {

namespace {
QString q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

Answer QtPrompts::warning(const std::string& text, Buttons buttons) {
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    if (buttons == Buttons::YesNo)
        set = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == Buttons::OkCancel)
        set = QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), q(text), set, parent_);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return buttons == Buttons::YesNo ? Answer::No : Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Escape or the close box: Cancel, or No where there is no Cancel.
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

// A plain message box: an OK button and no icon.
void QtPrompts::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), q(text), QMessageBox::Ok, parent_);
    box.exec();
}

void QtPrompts::error(const std::string& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), q(text));
}

namespace {
// Filters come as "Description|*.a;*.b|Description|*.c"; Qt wants "Description (*.a *.b);;...".
QString qtFilter(const std::string& filter) {
    const QStringList parts = q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<std::string> runDialog(QWidget* parent, const FileDialogRequest& r,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, q(r.title), q(r.initialFolder), qtFilter(r.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen && r.mustExist ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
    if (!r.defaultExtension.empty())
        dialog.setDefaultSuffix(q(r.defaultExtension));
    if (mode == QFileDialog::AcceptSave)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true); // the program asks itself
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}
} // namespace

std::optional<std::string> QtPrompts::openFile(const FileDialogRequest& request) {
    return runDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompts::saveFile(const FileDialogRequest& request) {
    return runDialog(parent_, request, QFileDialog::AcceptSave);
}

// Remembers the exact global position of the last mouse event of the
// application.
class QtMousePort::Tracker : public QObject {
public:
    Tracker() {
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            global = static_cast<QMouseEvent*>(event)->globalPosition();
            known = true;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
    QPointF global;
    bool known = false;
};

QtMousePort::QtMousePort() : tracker_(std::make_unique<Tracker>()) {}
QtMousePort::~QtMousePort() = default;

QPoint QtMousePort::pixelUnderPointer() const {
    const QPoint rounded = QCursor::pos();
    QPointF global = rounded;
    if (tracker_->known && tracker_->global.toPoint() == rounded)
        global = tracker_->global;
    // Through the zoom, in the one place that maps the pointer to the picture.
    return image_->pictureAt(image_->mapFromGlobal(global));
}

int QtMousePort::getXMouse() {
    if (!image_)
        return 0;
    return pixelUnderPointer().x();
}

int QtMousePort::getYMouse() {
    if (!image_ || imageHeight_ == nullptr)
        return 0;
    return *imageHeight_ - pixelUnderPointer().y();
}

bool QtMousePort::leftButtonHeld() {
    return QApplication::mouseButtons().testFlag(Qt::LeftButton);
}
bool QtMousePort::rightButtonHeld() {
    return QApplication::mouseButtons().testFlag(Qt::RightButton);
}

void QtEventPump::processEvents() {
    QApplication::processEvents(QEventLoop::AllEvents);
}

LocalDateTime SystemClock::now() {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime c = t.time();
    return LocalDateTime{d.year(), d.month(), d.day(), c.hour(), c.minute(), c.second(), c.msec()};
}

std::string QtPaths::executablePath() {
    return QCoreApplication::applicationFilePath().toStdString();
}
std::string QtPaths::currentFolder() {
    return QDir::currentPath().toStdString();
}
void QtPaths::setCurrentFolder(const std::string& folder) {
    QDir::setCurrent(QString::fromStdString(folder));
}

QtCursorPort::~QtCursorPort() {
    showCursor(CursorShape::Normal);
}

void QtCursorPort::showCursor(CursorShape shape) {
    if (shape == CursorShape::Normal) {
        if (overridden_)
            QApplication::restoreOverrideCursor();
        overridden_ = false;
        return;
    }
    const QCursor cursor(shape == CursorShape::Busy ? Qt::WaitCursor : Qt::BlankCursor);
    if (overridden_)
        QApplication::changeOverrideCursor(cursor);
    else
        QApplication::setOverrideCursor(cursor);
    overridden_ = true;
}

std::optional<std::string> QtPaths::environment(const std::string& name) {
    return systemEnvironment(name);
}

void QtProcessEnd::endProcess() {
    // Every event loop, the main one and any modal one the exit ran inside,
    // returns when the current handler does; main() then destroys the windows
    // and the application.
    QCoreApplication::exit(0);
}

} // namespace splot
