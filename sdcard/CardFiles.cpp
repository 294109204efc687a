#include "sdcard/CardFiles.h"

#include "assets/BackgroundPicture.h"
#include "data/ProjectFiles.h"
#include "platform/Files.h"
#include "sdcard/PictureTable.h"

#include <QImage>

#include <system_error>
#include <sys/stat.h>

namespace kx4 {
namespace fs = std::filesystem;

IoResult FindCardFolder(const DriveScan& listed, char letter, const fs::path& mountRoot, FolderHandle& folder,
                        DiskService* disks)
{
    folder = FolderHandle();
    const Drive* was = FindDrive(listed, letter);
    if (!was || was->volume.empty())
        return IoResult::Fail(std::string(1, letter) + ": is not a drive of this computer.");
    const std::string drive = std::string(1, was->letter) + ": (" + was->node + ")";
    const std::string again = "Insert the card, close this window and use \"Create SD Card\" again.";

    // Letters follow the devices present, so the volume is looked up again by its name.
    const DriveScan now = DiscoverDrives(listed.tables);
    const BlockDisk* listedDisk = FindDisk(listed, was->disk);
    const BlockDisk* disk = FindDisk(now, was->disk);
    const Drive* volume = nullptr;
    for (const Drive& d : now.drives)
        if (d.volume == was->volume)
            volume = &d;
    if (!disk || !volume)
        return IoResult::Fail("Drive " + drive + " is no longer present.\n" + again);
    if (!listedDisk || !SameMedium(*listedDisk, *disk) || volume->dev != was->dev || volume->bytes != was->bytes)
        return IoResult::Fail("The card in drive " + drive + " has changed since the drives were listed.\n" + again);
    std::string mountPoint = volume->mountPoint;
    std::optional<MajorMinor> fileSystem = volume->mountDev;
    if (mountPoint.empty()) {
        // Left mounted afterwards, as the desktop would.
        const ServiceAnswer mounted = MountCardVolume(listed, *was, disks, mountPoint);
        const std::string failed = "Drive " + drive + " could not be mounted.\n";
        if (mounted.kind == ServiceAnswer::Unavailable)
            return IoResult::Fail("Drive " + drive + " is not mounted.\nMount it (for example: udisksctl mount -b " +
                                  was->node + ") and start the write again.");
        if (mounted.kind == ServiceAnswer::Denied)
            return IoResult::Fail(failed + "Access was not granted.");
        if (mounted.kind == ServiceAnswer::Busy)
            return IoResult::Fail(failed + was->node + " is in use by the system or another program.");
        if (!mounted)
            return IoResult::Fail(failed + mounted.message);
        for (const Drive& d : DiscoverDrives(listed.tables).drives)
            if (d.volume == was->volume && d.mountPoint == mountPoint)
                fileSystem = d.mountDev;
    }
    const fs::path found = mountRoot / fs::path(mountPoint).relative_path();
    std::error_code ec;
    if (!fs::is_directory(found, ec))
        return IoResult::Fail("The card folder " + Quoted(found) + " of drive " + drive + " cannot be opened: " +
                              (ec ? ec.message() : std::string("it is not a folder")) + ".");
    if (IoResult r = HoldFolder(found, folder); !r)
        return r;
    // What is held must be the card's own file system, not one mounted over it or the folder left
    // behind when the card went.
    const MajorMinor expected = fileSystem.value_or(volume->dev.value_or(MajorMinor{}));
    struct stat st {};
    if (::fstat(folder.fd.get(), &st) != 0 || MajorMinor::Of(st.st_dev) != expected) {
        folder = FolderHandle();
        return IoResult::Fail("The card folder " + Quoted(found) + " of drive " + drive +
                              " is not on the card: the card is no longer mounted there, or another file system is mounted over it.\n" + again);
    }
    return IoResult::Ok();
}

BackupResult WriteCardBackup(const ProjectTables& tables, const Paths& paths, const FolderHandle& card)
{
    BackupResult result;
    FolderHandle dir;
    if (result.write = OpenFolderBeneath(card, "Backup", true, dir); !result.write)
        return result;
    std::vector<std::uint8_t> bytes;
    if (result.write = EncodePanelData(tables, bytes); !result.write) {
        result.write.message = "Cannot save " + Quoted(dir.path / "Backup.KQC") + ": " + result.write.message;
        return result;
    }
    if (result.write = WriteFileInFolder(dir, "Backup.KQC", WriterOf(bytes)); !result.write)
        return result;
    for (int s = 0; s < kScreenCount; ++s) {
        const std::string& background = tables.ScreenBG[static_cast<std::size_t>(s)];
        if (background.empty() || background.starts_with('['))
            continue; // a colour or the logo
        const fs::path file = paths.Map(background);
        if (!PathExists(file))
            continue;
        // Only what the designer would draw goes onto the card: a project file may name any file.
        QImage picture;
        IoResult readable = ReadBackgroundFile(file, bytes);
        if (readable)
            readable = DecodeBackgroundPicture(bytes, file, picture);
        if (!readable) {
            result.notCopied.push_back(readable.message);
            continue;
        }
        if (result.write = WriteFileInFolder(dir, "Screen" + TwoDigits(s) + ".BMP", WriterOf(bytes)); !result.write)
            return result;
    }
    return result;
}

void DeleteScreenBitmaps(const Paths& paths)
{
    for (int code = 1; code <= kDispCodeCount; ++code)
        for (int s = 0; s < kScreenCount; ++s) {
            std::error_code ec; // one that cannot be deleted is written over by the next rendering
            fs::remove(paths.BMPImagesDir() / ImgName(ScreenRow(code, s)), ec);
        }
}

} // namespace kx4
