#include "multiprofile/frmOrvelMPCopy.h"

#include "data/FileIO.h"
#include "data/PanelSizes.h"
#include "platform/DisplaySize.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/WindowPlace.h"
#include "platform/WindowText.h"

#include <QDesktopServices>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace kx4 {
namespace {

// Calibri at a size in points, as whole pixels at 96 dots per inch.
QFont Calibri(double points)
{
    QFont font("Calibri");
    font.setPixelSize(static_cast<int>(points * 96 / 72 + 0.5));
    return font;
}

} // namespace

bool OpenInFileManager(const std::filesystem::path& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

frmOrvelMPCopy::frmOrvelMPCopy(const Paths& paths, Prompts& prompts, const DisplaySize& display, OpenFolder openFolder,
                               QWidget* parent)
    : QDialog(parent), paths_(paths), prompts_(prompts), openFolder_(std::move(openFolder))
{
    setObjectName("frmOrvelMPCopy");
    setWindowTitle(" "); // no caption text
    setModal(true);
    FillBackground(*this, QColor(27, 54, 93), Qt::white);
    setFont(Calibri(12));

    const auto info = [this](int index, const QString& text, QRect place, double points) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString("lblInfo_%1").arg(index));
        label->setTextFormat(Qt::PlainText);
        label->setFont(Calibri(points));
        label->setGeometry(place);
        return label;
    };
    // The image file's path here is longer than "C:\...": the dialog widens to show it whole, as far
    // as the screen allows; a path wider still is cut in the middle.
    QLabel* copyFile = info(1, QString(), TwipsRect(480, 840, 6975, 375), 14.25);
    const QString copyText = "Copy File: " + QString::fromStdString(paths_.SDImageFile().string());
    const int widest = display.Available().width() - kFrameWidth - 2 * copyFile->x();
    // In fractions of a pixel, as the text is cut: a whole-pixel width may fall short.
    const int needed = static_cast<int>(std::ceil(QFontMetricsF(copyFile->font()).horizontalAdvance(copyText)));
    copyFile->resize(std::max(copyFile->width(), std::min(needed, widest)), copyFile->height());
    SetElidedText(*copyFile, copyText);
    const QRect inner = TwipsRect(0, 0, 7950, 3375);
    const int w = std::max(inner.width(), copyFile->geometry().right() + TwipsToPixels(480));
    const int h = inner.height();
    setFixedSize(w, h);
    CentreOnScreen(*this, display);
    // Controls on the right move with the right edge.
    const int widened = w - inner.width();

    const QRect borders[] = {{0, 0, w, 1}, {w - 1, 0, 1, h}, {0, h - 1, w, 1}, {0, 0, 1, h}};
    for (int i = 0; i < 4; ++i) {
        auto* line = new QFrame(this);
        line->setObjectName(QString("linBorder_%1").arg(i));
        line->setGeometry(borders[i]);
        FillBackground(*line, Qt::white);
    }
    info(0, "Image File Has Been Created", TwipsRect(480, 360, 6135, 375), 14.25);
    info(2, "To Your SD Card With Windows Exporer.", TwipsRect(480, 1320, 6135, 375), 14.25);
    // Two lines of Carlito at 12 points take 44 pixels with their line gap, 690 twips rather than 615.
    info(3,
         "The SD card should be formatted using Windows Explorer or an approved SD card formatting utility and "
         "have no other files present.",
         TwipsRect(600, 2520, 6735, 690), 12)
        ->setWordWrap(true);

    auto* cmdExporer = new QPushButton("Open Windows Explorer", this);
    cmdExporer->setObjectName("cmdExporer");
    cmdExporer->setGeometry(TwipsRect(480, 1920, 3015, 420));
    auto* cmdBuild = new QPushButton("Close", this);
    cmdBuild->setObjectName("cmdBuild");
    cmdBuild->setGeometry(TwipsRect(6360, 1920, 1095, 420).translated(widened, 0));
    cmdBuild->setDefault(true);
    connect(cmdExporer, &QPushButton::clicked, this, &frmOrvelMPCopy::cmdExporer_Click);
    connect(cmdBuild, &QPushButton::clicked, this, &frmOrvelMPCopy::cmdBuild_Click);
}

void frmOrvelMPCopy::cmdExporer_Click()
{
    const std::filesystem::path folder = paths_.SDImageDir();
    if (!openFolder_(folder))
        prompts_.Message(MsgIcon::Critical, "Open Windows Explorer",
                         "No file manager could be started on the folder " + Quoted(folder) + ".", MsgButtons::Ok);
}

void frmOrvelMPCopy::cmdBuild_Click() { accept(); }

} // namespace kx4
