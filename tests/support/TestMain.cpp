// Test main: one QApplication for the whole run, so that widget and painting tests work offscreen.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The design's fonts, drawn with their metric-compatible Debian stand-ins.
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Calibri", "Carlito");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
