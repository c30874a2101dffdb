// Program entry: the application object, the seven windows in their order,
// the event loop. The process ends through HaltApp.
#include "app/AppWindows.h"
#include "app/CommandLine.h"
#include "app/ImageView.h"
#include "app/QtPorts.h"
#include "app/splot.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    // --help and --version are answered before Qt starts, so they need no display.
    const splot::CommandLine early = splot::parseCommandLine(argc, argv);
    if (early.help || early.version) {
        std::fputs((early.help ? splot::helpText() : splot::versionText()).c_str(), stdout);
        return 0;
    }

    // A write past the user's file-size limit fails with an error the save
    // reports (EFBIG), instead of a signal that would end the program and
    // lose the picture.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    // Qt has now taken out the options it knows itself (-platform, -style, ...).
    const splot::CommandLine commandLine = splot::parseCommandLine(argc, argv);
    for (const std::string& e : commandLine.errors)
        std::fprintf(stderr, "%s\n", e.c_str());
    QApplication::setApplicationName(QStringLiteral("SPLOT"));
    QGuiApplication::setDesktopFileName(QStringLiteral("splot")); // the launcher, for the desktop's icon

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
    // Once the window is up: what was wrong with the command line, then the
    // file the desktop asked to open, through the ordinary load rules.
    QTimer::singleShot(0, form.get(), [&form, &commandLine] {
        form->startWith(commandLine.errors, commandLine.file.value_or(std::string()));
    });
    return app.exec();
}
