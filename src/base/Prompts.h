#pragma once

#include <optional>
#include <string>

namespace splot {

enum class Buttons { YesNoCancel, YesNo, OkCancel };
enum class Answer { Yes, No, Cancel, Ok };

struct FileDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string filter;           // e.g. "PNG files (*.png)|*.png"
    std::string defaultExtension; // without the dot
    bool mustExist = false;
};

// Every user-visible message. Multi-line texts are joined with "\r\n".
class Prompts {
public:
    virtual ~Prompts() = default;
    // Modal warning question; closing the box without an answer gives Cancel.
    virtual Answer warning(const std::string& text, Buttons buttons) = 0;
    // Plain message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // Error box (the top-level handler's report of an abandoned command).
    virtual void error(const std::string& text) = 0;
    // File dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

} // namespace splot
