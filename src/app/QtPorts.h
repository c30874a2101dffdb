#pragma once

#include "app/ImageView.h"
#include "base/Clock.h"
#include "base/EventPump.h"
#include "base/MousePort.h"
#include "base/Paths.h"
#include "base/ProcessEnd.h"
#include "base/Prompts.h"
#include "session/SessionPorts.h"

#include <QPoint>
#include <QPointF>
#include <QPointer>

#include <memory>

class QWidget;

namespace splot {

// Production implementations of the engine's ports on Qt.

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer warning(const std::string& text, Buttons buttons) override;
    void message(const std::string& text) override;
    void error(const std::string& text) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

// Pointer position relative to the image control, converted to canvas
// coordinates: x = pixels right of the image's left edge, y = imageHeight
// minus pixels below its top edge. The pixel is the image pixel shown at the
// device pixel under the pointer, also on a scaled screen (where QCursor::pos
// is rounded to whole logical pixels, the exact position of the last mouse
// event is used while the cursor has not moved away from it).
class QtMousePort : public MousePort {
public:
    QtMousePort();
    ~QtMousePort() override;
    QtMousePort(const QtMousePort&) = delete;
    QtMousePort& operator=(const QtMousePort&) = delete;
    void setImage(ImageView* image, const int* imageHeight) {
        image_ = image;
        imageHeight_ = imageHeight;
    }
    int getXMouse() override;
    int getYMouse() override;
    bool leftButtonHeld() override;
    bool rightButtonHeld() override;

private:
    class Tracker;
    // The image pixel (widget coordinates) under the pointer.
    QPoint pixelUnderPointer() const;

    QPointer<ImageView> image_;
    const int* imageHeight_ = nullptr;
    std::unique_ptr<Tracker> tracker_;
};

class QtEventPump : public EventPump {
public:
    void processEvents() override;
};

class SystemClock : public Clock {
public:
    LocalDateTime now() override;
};

class QtPaths : public Paths {
public:
    std::string executablePath() override;
    std::string currentFolder() override;
    void setCurrentFolder(const std::string& folder) override;
    std::optional<std::string> environment(const std::string& name) override;
};

// The application-wide override cursor: none for the normal arrow, else the
// hourglass or the blank cursor. At most one override is ever installed.
class QtCursorPort : public CursorPort {
public:
    ~QtCursorPort() override;
    void showCursor(CursorShape shape) override;

private:
    bool overridden_ = false;
};

class QtProcessEnd : public ProcessEnd {
public:
    void endProcess() override;
};

} // namespace splot
