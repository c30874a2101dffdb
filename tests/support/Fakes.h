#pragma once

#include "base/Clock.h"
#include "base/Display.h"
#include "base/EventPump.h"
#include "base/MousePort.h"
#include "base/Paths.h"
#include "base/ProcessEnd.h"
#include "base/Prompts.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace splot::test {

// Records every prompt with its exact text and answers from a script.
class FakePrompts : public Prompts {
public:
    struct Shown {
        std::string kind; // "warning", "message", "error", "open", "save"
        std::string text; // the message, or the dialog title
        Buttons buttons = Buttons::YesNoCancel;
    };

    Answer warning(const std::string& text, Buttons buttons) override {
        shown.push_back({"warning", text, buttons});
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void message(const std::string& text) override { shown.push_back({"message", text}); }
    void error(const std::string& text) override { shown.push_back({"error", text}); }
    std::optional<std::string> openFile(const FileDialogRequest& r) override { return dialog("open", r); }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override { return dialog("save", r); }

    std::vector<std::string> texts(const std::string& kind) const {
        std::vector<std::string> out;
        for (const auto& s : shown)
            if (s.kind == kind)
                out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::deque<Answer> answers;                   // for warning()
    std::deque<std::optional<std::string>> files; // for openFile()/saveFile()
    std::vector<FileDialogRequest> dialogRequests;

private:
    std::optional<std::string> dialog(const char* kind, const FileDialogRequest& r) {
        shown.push_back({kind, r.title});
        dialogRequests.push_back(r);
        if (files.empty())
            return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

class FakeMouse : public MousePort {
public:
    int getXMouse() override { return x; }
    int getYMouse() override { return y; }
    bool leftButtonHeld() override { return left; }
    bool rightButtonHeld() override { return right; }
    int x = 0;
    int y = 0;
    bool left = false;
    bool right = false;
};

// Runs an optional command from inside the pump, to test re-entrancy.
class FakePump : public EventPump {
public:
    void processEvents() override {
        ++calls;
        if (onPump)
            onPump(calls);
    }
    int calls = 0;
    std::function<void(int)> onPump;
};

class FakeClock : public Clock {
public:
    LocalDateTime now() override { return time; }
    LocalDateTime time{2026, 12, 8, 9, 5, 7, 42};
};

// Points the executable path into a fresh temporary folder (removed with
// everything in it at the end).
class FakePaths : public Paths {
public:
    FakePaths();
    ~FakePaths() override;
    std::string executablePath() override { return (folder / executable).string(); }
    std::string currentFolder() override { return current.empty() ? folder.string() : current; }
    void setCurrentFolder(const std::string& f) override { current = f; }
    std::string current; // set by setCurrentFolder
    std::optional<std::string> environment(const std::string& name) override {
        const auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::filesystem::path folder;
    std::map<std::string, std::string> env;     // none by default: no home folder to fall back on
    std::filesystem::path executable = "splot"; // relative to folder
};

class FakeProcessEnd : public ProcessEnd {
public:
    void endProcess() override { ++ended; }
    int ended = 0;
};

// Counts repaints and remembers the rectangles.
class RecordingDisplay : public Display {
public:
    void repaint(const CanvasRect& r) override { rects.push_back(r); }
    void repaintAll() override { ++whole; }
    void showOutline(const std::vector<CanvasPoint>& dots) override { outlines.push_back(dots); }
    std::vector<CanvasRect> rects;
    int whole = 0;
    std::vector<std::vector<CanvasPoint>> outlines;
};

} // namespace splot::test
