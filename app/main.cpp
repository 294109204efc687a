#include "assets/DesignFonts.h"
#include "data/FileIO.h"
#include "data/modOrvel.h"
#include "designer/frmOrvel.h"
#include "platform/DisplaySize.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    kx4::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    kx4::SubstituteDesignFonts();

    kx4::modOrvel project;
    kx4::QtPrompts prompts;
    const kx4::ScreenDisplaySize display;
    kx4::frmOrvel window(project, kx4::Paths::FromHome(), prompts, display);
    prompts.SetParent(&window);
    window.show();
    return app.exec();
}
