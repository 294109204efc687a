#include "sdcard/frmOrvelSDWrite.h"

#include "data/PanelSizes.h"
#include "data/modOrvel.h"
#include "platform/DisplaySize.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/WindowPlace.h"
#include "platform/WindowText.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/PictureTable.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <thread>

namespace kx4 {
namespace {

// Client size, twips: the controls' right and bottom edges and a margin.
constexpr int kWidthTwips = 10215;
constexpr int kHeightTwips = 5295;
// The warning's height: its longest line wraps, so five lines take six (the design's 1,095 twips
// hold five and a half).
constexpr int kWarningHeightTwips = 1335;

constexpr const char* kDspDim[] = {" None",
                                   " 480 x 272 Landscape", " 320 x 240 Landscape", " 800 x 480 Landscape",
                                   " 480 x 272 Portrait",  " 320 x 240 Portrait",  " 800 x 480 Portrait"};

constexpr const char* kSfcWarning =
    " Brivane Touch firmware revision 03.xx or higher required.\n"
    "  The SD card must be reformatted as FAT32 each time with the Windows utility or an approved SD card "
    "formatter and be named QVR.\n"
    "  The write process will alter data on all logical drives with the same physical drive number as the "
    "selected drive.\n"
    "  Once the write process begins, there is no method to recover any data previously on the drive.\n"
    "  It is recommended that the user verifies the correct drive is selected by using the Windows Disk "
    "Management utility.";

constexpr const char* kRawWarning =
    " Ensure you select the correct logical/physical drive.\n"
    "  The write process will erase all data on all logical drives with the same physical drive number as the "
    "selected drive.\n"
    "  Once the write process begins, there is no method to recover any data previously on the drive.\n"
    "  It is recommended that the user verifies the correct drive is selected by using the Windows Disk "
    "Management utility.\n"
    "  The utility is in Control Panel | System and Security | Administrative Tools | Computer Management | "
    "Storage | Disk Management (local)";

} // namespace

frmOrvelSDWrite::frmOrvelSDWrite(modOrvel& project, const Paths& paths, Prompts& prompts, const DisplaySize& display,
                                 CardSystem system, QWidget* parent)
    : BusyDialog(parent), m_(project), paths_(paths), prompts_(prompts), display_(display), system_(std::move(system))
{
    setObjectName("frmOrvelSDWrite");
    setWindowTitle("QVR Brivane Touch SD Card Writer");
    setModal(true);
    setFont(WindowFont());
    FillBackground(*this, QColor(232, 232, 232));
    setFixedSize(TwipsToPixels(kWidthTwips), TwipsToPixels(kHeightTwips));
    CreateControls();
    Form_Load();
}

frmOrvelSDWrite::~frmOrvelSDWrite() = default;

void frmOrvelSDWrite::CreateControls()
{
    for (int i = 0; i < kDriveOptionCount; ++i) {
        auto* o = new QRadioButton(QString("%1:").arg(QChar(kFirstDriveLetter + i)), this);
        o->setObjectName(QString("optDrive_%1").arg(i));
        o->setGeometry(TwipsRect(i < 6 ? 240 : 3840, 240 + 360 * (i % 6), 3375, 255));
        o->setEnabled(false);
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optDrive_Click(i);
        });
        optDrive[static_cast<std::size_t>(i)] = o;
    }

    chkBuildBaseImage = new QCheckBox("Build Base Image (Admin ONLY)", this);
    chkBuildBaseImage->setObjectName("chkBuildBaseImage");
    // Widened to the left, its right edge kept: the caption needs more than the design's 2,655 twips.
    chkBuildBaseImage->setGeometry(TwipsRect(7260, 120, 2835, 255));
    chkBuildBaseImage->hide();

    lblDspDim = new QLabel(this);
    lblDspDim->setObjectName("lblDspDim");
    lblDspDim->setGeometry(TwipsRect(7800, 960, 2295, 255));
    FillBackground(*lblDspDim, Qt::white);

    cmdCompileAll = new QPushButton("Write To SD Card", this);
    cmdCompileAll->setObjectName("cmdCompileAll");
    cmdCompileAll->setGeometry(TwipsRect(120, 2520, 1575, 420));
    cmdCompileAll->setEnabled(false);
    cmdCompileAll->setAutoDefault(false);

    lblFiles = new QLabel(this);
    lblFiles->setObjectName("lblFiles");
    lblFiles->setTextFormat(Qt::PlainText);
    lblFiles->setGeometry(TwipsRect(1800, 2520, 8295, 255));
    FillBackground(*lblFiles, QColor(128, 255, 255));

    pbFiles = new QProgressBar(this);
    pbFiles->setObjectName("pbFiles");
    pbFiles->setGeometry(TwipsRect(1800, 2760, 8295, 195));
    pbFiles->setRange(0, kImgCount - 1);
    pbFiles->setValue(0);
    pbFiles->setTextVisible(false);

    cmdCancel = new QPushButton("Cancel Write", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(TwipsRect(120, 3000, 1575, 375));
    cmdCancel->setAutoDefault(false);
    cmdCancel->hide();

    chkActiveOnly = new QCheckBox("Include Standard Icons and Unused Screens (Must be done once per SD Card to initialize)", this);
    chkActiveOnly->setObjectName("chkActiveOnly");
    // 120 twips wider than designed, for its caption in full; "Close" stays clear of it.
    chkActiveOnly->setGeometry(TwipsRect(1800, 3120, 7095, 255));

    cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setGeometry(TwipsRect(9240, 3120, 855, 375));
    cmdClose->setAutoDefault(false);

    lblWarning = new QLabel(this);
    lblWarning->setObjectName("lblWarning");
    lblWarning->setTextFormat(Qt::PlainText);
    lblWarning->setWordWrap(true);
    lblWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning->setGeometry(TwipsRect(240, 3720, 9735, kWarningHeightTwips));
    FillBackground(*lblWarning, QColor(255, 255, 128));
    lblWarning->installEventFilter(this);

    connect(chkActiveOnly, &QCheckBox::toggled, this, &frmOrvelSDWrite::chkActiveOnly_Click);
    connect(cmdCompileAll, &QPushButton::clicked, this, &frmOrvelSDWrite::cmdCompileAll_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOrvelSDWrite::cmdCancel_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmOrvelSDWrite::cmdClose_Click);
}

bool frmOrvelSDWrite::Raw() const { return RawMode(m_); }

void frmOrvelSDWrite::Form_Load()
{
    // 1. Centred on the display.
    const TwipsSize screen = display_.Twips();
    PlaceWindow(*this, {TwipsToPixels((screen.width - kWidthTwips) / 2), TwipsToPixels((screen.height - kHeightTwips) / 2)},
                display_);
    // Opening the window shows IncludeStdFlag but never changes it.
    const QSignalBlocker quiet(chkActiveOnly);
    // 2. SFC takes the standard pictures from the core image: the box has no say.
    if (!Raw()) {
        chkActiveOnly->setChecked(true);
        chkActiveOnly->setEnabled(false);
        chkActiveOnly->hide();
    }
    // 3. The panel's display.
    DispCode = DispCodeOf(m_);
    lblDspDim->setText(kDspDim[DispCode >= 1 && DispCode <= kDispCodeCount ? DispCode : 0]);
    // 4. The warning of the mode.
    lblWarning->setText(Raw() ? kRawWarning : kSfcWarning);
    // 5. The picture table is filled once for the program's life.
    ImageTable();
    // 6. FindDrives.
    scan_ = DiscoverDrives(system_.tables);
    const auto options = FindDrives(scan_);
    for (std::size_t i = 0; i < options.size(); ++i) {
        optDrive[i]->setText(QString::fromStdString(options[i].caption));
        optDrive[i]->setToolTip(QString::fromStdString(options[i].toolTip));
        DriveEnabled[i] = options[i].DriveEnabled;
        PhysDrive[i] = options[i].PhysDrive;
        optDrive[i]->setEnabled(DriveEnabled[i]);
    }
    // 7. The user's last choice in Raw mode.
    chkActiveOnly->setChecked(!(Raw() && !m_.IncludeStdFlag));
}

void frmOrvelSDWrite::optDrive_Click(int Index)
{
    DriveLetter = static_cast<char>(kFirstDriveLetter + Index);
    SelDrive = Index;
    cmdCompileAll->setText(QString("Create Image on %1:").arg(QChar(DriveLetter)));
    cmdCompileAll->setEnabled(true);
}

void frmOrvelSDWrite::chkActiveOnly_Click() { m_.IncludeStdFlag = chkActiveOnly->isChecked(); }

void frmOrvelSDWrite::cmdCompileAll_Click()
{
    if (Busy() || SelDrive < 0)
        return;
    WriteRequest request;
    request.DriveLetter = DriveLetter;
    request.PhysDrive = PhysDrive[static_cast<std::size_t>(SelDrive)];
    request.DispCode = DispCode;
    request.chkActiveOnly = chkActiveOnly->isChecked();
    request.baseBuild = chkBuildBaseImage->isChecked(); // read once: the box is locked while the write runs
    request.bitmapsDeleted = bitmapsDeleted_;

    const WriteEnd end = RunWriteFlow(m_, paths_, prompts_, scan_, system_, request, *this);
    if (DeletesScreenBitmaps(end))
        bitmapsDeleted_ = true;
    if (end == WriteEnd::Initialized) {
        SetBusy(false);
        accept();
    }
}

void frmOrvelSDWrite::cmdCancel_Click() { CancelFlag = true; }

void frmOrvelSDWrite::cmdClose_Click() { accept(); }

void frmOrvelSDWrite::lblWarning_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift)
{
    const Qt::KeyboardModifiers keys = Shift & ~Qt::KeypadModifier;
    // Ctrl + Alt as well: desktops commonly take Alt + drag for moving windows.
    const bool gesture = Button == Qt::LeftButton && (keys == Qt::AltModifier || keys == (Qt::ControlModifier | Qt::AltModifier));
    if (!gesture || !PathExists(paths_.RawImagesDir()))
        return;
    if (Raw()) {
        prompts_.Message(MsgIcon::None, m_.AppTitle, "Must use SFC to build base image file.", MsgButtons::Ok);
        return;
    }
    chkBuildBaseImage->show();
}

bool frmOrvelSDWrite::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblWarning && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        lblWarning_MouseDown(press->button(), press->modifiers());
    }
    return BusyDialog::eventFilter(watched, event);
}

void frmOrvelSDWrite::Lock()
{
    // The close box and Escape do nothing while a write runs.
    SetBusy(true);
    cmdCompileAll->setEnabled(false);
    cmdClose->setEnabled(false);
    cmdCancel->show();
    chkActiveOnly->setEnabled(false);
    chkBuildBaseImage->setEnabled(false);
    for (QRadioButton* o : optDrive)
        o->setEnabled(false);
    CancelFlag = false;
}

void frmOrvelSDWrite::Unlock()
{
    cmdCancel->hide();
    cmdCompileAll->setEnabled(true);
    cmdClose->setEnabled(true);
    for (std::size_t i = 0; i < optDrive.size(); ++i)
        optDrive[i]->setEnabled(DriveEnabled[i]);
    if (Raw())
        chkActiveOnly->setEnabled(true);
    chkBuildBaseImage->setEnabled(true);
    SetBusy(false);
}

void frmOrvelSDWrite::HideCancel() { cmdCancel->hide(); }

void frmOrvelSDWrite::ShowStatus(const std::string& text)
{
    // A long path keeps its file name in view.
    SetElidedText(*lblFiles, QString::fromStdString(text));
    lblFiles->repaint();
}

bool frmOrvelSDWrite::RowDone(int row)
{
    pbFiles->setValue(row);
    QCoreApplication::processEvents();
    return !CancelFlag;
}

IoResult frmOrvelSDWrite::RunResponsive(const std::function<IoResult()>& work)
{
    IoResult result;
    QEventLoop loop;
    std::thread worker([&] {
        result = work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The window paints meanwhile; nothing in it may act until the work is done.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return result;
}

} // namespace kx4
