#pragma once

#include "app/Guarded.h"
#include "base/SplotState.h"

#include <QDialog>
#include <QPoint>

#include <optional>

class QHideEvent;
class QKeyEvent;
class QShowEvent;
class QPushButton;

namespace splot {

// What the option dialogs may ask of the main window: the shared state they
// edit, the top-level handler their handlers run in, and the few main-window
// operations their controls trigger. The dialogs never see the main window
// itself, and nothing outside a dialog touches its controls.
class DialogFacade {
public:
    virtual ~DialogFacade() = default;
    virtual SplotState& state() = 0;
    // Where the top-level handler shows an abandoned command's error.
    virtual Prompts* prompts() = 0;
    // Steps the 3D depth (and, linked, the pen width) and shows the depth.
    virtual void Update3dDepth(int delta) = 0;
    // The image options dialog accepted a size: a new blank picture, or the
    // picture resized with keepPicture.
    virtual void newImageChosen(int width, int height, bool keepPicture) = 0;
    // Draw Shape(s) and Draw Circle, as the main window's menu items run them.
    virtual void drawShapes() = 0;
    virtual void drawCircle() = 0;
};

// The shared construction of the option dialogs: the caption, the window
// flags (modeless dialogs stay on top of the main window), and keys that do
// nothing special. None of these dialogs has a default or a cancel button, so
// Enter presses no button and Esc does not close the dialog; Space still
// presses the focused button, and the close box hides the dialog.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Modeless, Modal };

protected:
    OptionsDialog(QWidget* parent, DialogFacade& facade, const char* objectName, const QString& caption,
                  Kind kind);

    // Wraps a handler for connect(): runs it inside the top-level handler.
    template <typename F> auto guard(F handler) {
        return [this, handler = std::move(handler)]() mutable { guarded(facade_.prompts(), handler); };
    }
    // A new push button that Enter never presses.
    QPushButton* makeButton(const QString& caption);

    void keyPressEvent(QKeyEvent* event) override;
    // A dialog opens where the user left it, for the rest of the run.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

    DialogFacade& facade_;

private:
    std::optional<QPoint> leftAt_;
};

} // namespace splot
