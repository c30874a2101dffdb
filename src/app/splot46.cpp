// Program entry: the application object, the main window, the event loop.
#include "app/ImageView.h"
#include "app/QtPorts.h"
#include "app/splot.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SPLOT"));

    splot::QtPrompts prompts;
    splot::QtMousePort mouse;
    splot::QtEventPump pump;
    splot::SystemClock clock;
    splot::QtPaths paths;
    splot::QtProcessEnd processEnd;
    splot::AppPorts ports{&prompts, &mouse, &pump, &clock, &paths, &processEnd};

    splot::TForm1 form(ports);
    prompts.setParent(&form);
    mouse.setImage(form.Image1, &form.state().paint.imageHeight);
    form.showMaximized();
    return app.exec();
}
