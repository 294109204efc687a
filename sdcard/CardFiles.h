#pragma once
// The files of an SFC write on the card's own file system, and the clean-up after a write.
#include "data/FileIO.h"
#include "data/modOrvel.h"
#include "platform/DiskService.h"
#include "platform/Drives.h"
#include "platform/Paths.h"

#include <filesystem>

namespace kx4 {

// The folder where the volume listed behind `letter` is mounted now, found under `mountRoot`
// (the program's is "/"); a volume that is not mounted is mounted through `disks` where there is
// one. The system is looked at again, so a card that is gone, changed or cannot be mounted fails
// with a message that names the drive and says what to do.
IoResult FindCardFolder(const DriveScan& listed, char letter, const std::filesystem::path& mountRoot,
                        std::filesystem::path& folder, DiskService* disks = nullptr);

// Writes the design's backup into the card folder `card`: "Backup/Backup.KQC" as a panel data
// file, and a copy of each screen's background BMP file that exists as "Backup/ScreenNN.BMP".
IoResult WriteCardBackup(const ProjectTables& tables, const Paths& paths, const std::filesystem::path& card);

// Deletes the 96 card screen bitmaps (SR0L00.BMP to SR2P15.BMP) from the BMPImages folder.
void DeleteScreenBitmaps(const Paths& paths);

} // namespace kx4
