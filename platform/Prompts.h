#pragma once
// Message boxes and open/save file dialogs, behind one interface: the program shows Qt's, tests
// script the answers.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class QString;
class QWidget;

namespace kx4 {

struct IoResult;

enum class MsgIcon { None, Information, Question, Critical, Exclamation };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title;             // empty: the toolkit's own title
    std::string filter;            // "Name (*.EXT)|*.EXT|All Files (*.*)|*.*"
    std::filesystem::path folder;  // where the dialog starts
    std::string fileName;          // name preset in the name box; a pattern such as "*.KQC" presets none
    std::string defaultExtension;  // save dialogs: "KQC" makes a typed "test1" the file "test1.KQC"
};

// `chosen` with "." and `extension` added when its file name holds no dot; an empty `extension`
// adds nothing.
std::filesystem::path WithDefaultExtension(std::filesystem::path chosen, const std::string& extension);

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a modal message box and returns the button pressed.
    virtual MsgAnswer Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons) = 0;
    // Shows a modal file dialog; the chosen path, or nothing when cancelled. An open dialog accepts
    // only existing files; a save dialog adds `defaultExtension` to a typed name without a dot and
    // asks before replacing an existing file.
    virtual std::optional<std::filesystem::path> FileDialog(const FileDialogRequest& request) = 0;
};

// The dialogs of the program: QMessageBox and QFileDialog over `parent`.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    MsgAnswer Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons) override;
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

// A "Name (*.EXT)|*.EXT|…" filter as Qt name filters joined by ";;": each pattern matches upper-
// and lower-case extensions, and "*.*" matches every file, extension or not.
QString QtNameFilters(std::string_view filter);

// The box for a picture file that exists but cannot be read as a picture: `failure` names the file
// and the reason.
void ShowPictureNotReadable(Prompts& prompts, const IoResult& failure);

} // namespace kx4
