// Test main: one QApplication for the whole run, so that widget and painting tests work offscreen.
#include "assets/DesignFonts.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The machine's disk service is never asked: tests serve their own on a private bus.
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/kx4-tests-have-no-system-bus", 1);
    QApplication app(argc, argv);
    kx4::SubstituteDesignFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
