#include <QApplication>
#include <QFont>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The design's fonts, drawn with their metric-compatible Debian stand-ins.
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Calibri", "Carlito");

    QMainWindow window;
    window.setWindowTitle("QVR Brivane KX4 Pro");
    window.show();
    return app.exec();
}
