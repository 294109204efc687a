#pragma once
// A main window over a temporary data root, with scripted questions and a display of a set size.
#include "data/modOrvel.h"
#include "designer/LayoutArea.h"
#include "designer/frmOrvel.h"
#include "platform/DisplaySize.h"
#include "platform/Paths.h"
#include "platform/ScriptedPrompts.h"

#include "FindChild.h"
#include "TempDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kx4::test {

// 1600 x 1000 pixels: high enough for an 800 x 480 portrait panel without panning.
constexpr TwipsSize kTallDisplay{1600 * 15, 1000 * 15};
// 1280 x 800 pixels: an 800 x 480 portrait panel pans.
constexpr TwipsSize kLowDisplay{1280 * 15, 800 * 15};

class Designer {
public:
    explicit Designer(TwipsSize displaySize = kTallDisplay) : display(displaySize), paths(root.path())
    {
        prompts.OnUnscripted = [](const std::string& what) { ADD_FAILURE() << "unscripted " << what; };
    }

    // Makes the window (running its load step), shows it and lets its activation step run.
    frmOrvel& Start()
    {
        window = std::make_unique<frmOrvel>(project, paths, prompts, display);
        window->show();
        QApplication::processEvents();
        return *window;
    }

    template <class T = QWidget>
    T* Find(const QString& name) const { return Child<T>(*window, name); }
    QAction* Action(const QString& name) const { return Find<QAction>(name); }

    // Runs `act` on the modal dialog that the next command opens, once it is up and has run
    // its activation step; closes the dialog afterwards if `act` left it open.
    static void WhenDialogOpens(std::function<void(QDialog&)> act)
    {
        QTimer::singleShot(0, [act = std::move(act)] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no dialog open";
                return;
            }
            // The activation was queued when the dialog was shown: run after it.
            QMetaObject::invokeMethod(dialog, [dialog, act] {
                act(*dialog);
                if (dialog->isVisible())
                    dialog->close();
            }, Qt::QueuedConnection);
        });
    }
    QComboBox* List(const QString& name) const { return Find<QComboBox>(name); }

    // The panel's pixels as drawn, element controls included.
    QImage Pixels() const { return Find<LayoutSurface>("picLayoutSurface")->grab().toImage(); }
    QRgb Pixel(int x, int y) const { return Pixels().pixel(x, y) & 0xFFFFFF; }

    TempDir root;
    FixedDisplaySize display;
    Paths paths;
    modOrvel project;
    ScriptedPrompts prompts;
    std::unique_ptr<frmOrvel> window;
};

} // namespace kx4::test
