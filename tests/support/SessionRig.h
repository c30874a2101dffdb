#pragma once

#include "session/Session.h"
#include "settings/SettingsFile.h"
#include "support/Fakes.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace splot::test {

class FakeStatus : public StatusPort {
public:
    void showPanel(int panel, const std::string& text) override {
        panels.at(static_cast<std::size_t>(panel)) = text;
    }
    std::array<std::string, 3> panels;
};

class FakeCursor : public CursorPort {
public:
    void showCursor(CursorShape shape) override { shown.push_back(shape); }
    std::vector<CursorShape> shown;
};

// Records what the session asked of the window.
class FakeWindow : public WindowPort {
public:
    void canvasRebuilt() override { ++rebuilt; }
    void canvasSizeRefused() override { ++refused; }
    void undoRedoChanged(bool u, bool r) override {
        undo = u;
        redo = r;
    }
    void settingsRead(const SettingsReadResult& read) override { reads.push_back(read); }
    void revertEnabled() override { revert = true; }
    bool revert = false;
    int rebuilt = 0;
    int refused = 0;
    bool undo = false;
    bool redo = false;
    std::vector<SettingsReadResult> reads;
};

// A session with fake ports, started up as the program does (without a
// settings file unless prepare writes one: every setting at its default).
struct SessionRig {
    explicit SessionRig(const std::function<void(SessionRig&)>& prepare = {})
        : session(
              SessionPorts{&prompts, &mouse, &pump, &clock, &paths, &processEnd, &status, &cursor, &window}) {
        if (prepare)
            prepare(*this);
        session.startUp();
        session.canvas().setDisplay(&display);
    }
    // The settings file beside the fake executable.
    std::string iniPath() { return settingsFilePath(paths.executablePath()); }
    ~SessionRig() { session.canvas().setDisplay(nullptr); }

    FakePrompts prompts;
    FakeMouse mouse;
    FakePump pump;
    FakeClock clock;
    FakePaths paths;
    FakeProcessEnd processEnd;
    FakeStatus status;
    FakeCursor cursor;
    FakeWindow window;
    RecordingDisplay display;
    Session session;
};

} // namespace splot::test
