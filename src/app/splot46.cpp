// Program entry: the application object, the seven windows in their order,
// the event loop. The process ends through HaltApp.
#include "app/AppWindows.h"
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
    const splot::AppPorts ports{&prompts, &mouse, &pump, &clock, &paths, &processEnd};

    std::unique_ptr<splot::TForm1> form = splot::createWindows(ports);
    prompts.setParent(form.get());
    mouse.setImage(form->Image1, &form->state().paint.imageHeight);
    form->show(); // maximised
    return app.exec();
}
