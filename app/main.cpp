#include "data/modOrvel.h"
#include "designer/frmOrvel.h"
#include "platform/DisplaySize.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The design's fonts, drawn with their metric-compatible Debian stand-ins.
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Calibri", "Carlito");

    kx4::modOrvel project;
    kx4::QtPrompts prompts;
    const kx4::ScreenDisplaySize display;
    kx4::frmOrvel window(project, kx4::Paths::FromHome(), prompts, display);
    prompts.SetParent(&window);
    window.show();
    return app.exec();
}
