#pragma once
// The dialog that ends a multi-profile build: where the image file is and how it reaches the card.
#include <QDialog>

#include <filesystem>
#include <functional>

class QLabel;
class QPushButton;

namespace kx4 {

class DisplaySize;
class Paths;
class Prompts;

// Opens `folder` in the desktop's file manager; false when that could not be started.
using OpenFolder = std::function<bool(const std::filesystem::path& folder)>;

// QDesktopServices on the folder.
bool OpenInFileManager(const std::filesystem::path& folder);

class frmOrvelMPCopy : public QDialog {
    Q_OBJECT
public:
    frmOrvelMPCopy(const Paths& paths, Prompts& prompts, const DisplaySize& display, OpenFolder openFolder,
                   QWidget* parent = nullptr);

public slots:
    void cmdExporer_Click(); // the SDImage folder in the file manager; the dialog stays
    void cmdBuild_Click();   // "Close"

private:
    const Paths& paths_;
    Prompts& prompts_;
    OpenFolder openFolder_;
};

} // namespace kx4
