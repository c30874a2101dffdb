#pragma once

#include "app/AppPorts.h"
#include "history/History.h"
#include "paint/Canvas.h"
#include "paint/PaintState.h"
#include "paint/Painter.h"
#include "paint/Random.h"

#include <QMainWindow>

class QScrollArea;

namespace splot {

class ImageView;

// The main window: owns all shared state, the canvas and the engine objects,
// and binds the controls to them.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const AppPorts& ports, QWidget* parent = nullptr);
    ~TForm1() override;

    SplotState& state() { return state_; }
    Canvas& canvas() { return canvas_; }
    Random& random() { return random_; }
    Painter& painter() { return painter_; }
    History& history() { return history_; }

    // ---- Canvas -------------------------------------------------------------
    void MakeNewImage(int width, int height, bool keepPicture);
    void ClearImage();
    void RefreshPicture();
    void FormResize();

    // ---- Status -------------------------------------------------------------
    void ShowStatus(const std::string& text);

    QScrollArea* ScrollBox1 = nullptr;
    ImageView* Image1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();

    QWidget* imageHost_ = nullptr;
    AppPorts ports_;
    SplotState state_;
    Canvas canvas_;
    Random random_;
    Painter painter_{state_, canvas_, random_};
    History history_{canvas_, state_.colour};
    std::string statusText_;
};

} // namespace splot
