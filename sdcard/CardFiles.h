#pragma once
// The files of an SFC write on the card's own file system, and the clean-up after a write.
#include "data/FileIO.h"
#include "data/modOrvel.h"
#include "platform/DiskService.h"
#include "platform/Drives.h"
#include "platform/Paths.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kx4 {

// Opens the folder where the volume listed behind `letter` is mounted now, found under `mountRoot`
// (the program's is "/"); a volume that is not mounted is mounted through `disks` where there is
// one. The system is looked at again, so a card that is gone, changed, cannot be mounted or whose
// folder is not on its own file system fails with a message that names the drive and says what to
// do. Files are written onto the card only
// beneath this folder, never through a symbolic link or onto another file system.
IoResult FindCardFolder(const DriveScan& listed, char letter, const std::filesystem::path& mountRoot,
                        FolderHandle& folder, DiskService* disks = nullptr);

// How the backup went: `write` failed when it could not be written; otherwise `notCopied` names
// each background that is not a readable picture and was left out, with the reason.
struct BackupResult {
    IoResult write;
    std::vector<std::string> notCopied;
};

// Writes the design's backup into the card folder `card`: "Backup/Backup.KQC" as a panel data
// file, and as "Backup/ScreenNN.BMP" a copy of each screen's background file that exists and is a
// picture the designer shows, the bytes checked being the bytes copied.
BackupResult WriteCardBackup(const ProjectTables& tables, const Paths& paths, const FolderHandle& card);

// Deletes the 96 card screen bitmaps (SR0L00.BMP to SR2P15.BMP) from the BMPImages folder.
void DeleteScreenBitmaps(const Paths& paths);

} // namespace kx4
