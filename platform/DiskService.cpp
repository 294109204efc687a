#include "platform/DiskService.h"

#include <algorithm>
#include <vector>

namespace kx4 {

namespace {

// The mount points of the volume `name` of `disk`: a partition's own, or the whole disk's.
const std::vector<std::string>* VolumeMounts(const BlockDisk& disk, const std::string& name)
{
    if (name == disk.name)
        return &disk.mountPoints;
    for (const BlockVolume& v : disk.partitions)
        if (v.name == name)
            return &v.mountPoints;
    return nullptr;
}

} // namespace

bool MayAskDiskService(const BlockDisk& listed, const BlockDisk& now)
{
    return SameMedium(listed, now) && listed.dev && listed.type == kDriveRemovable && now.type == kDriveRemovable &&
           !listed.system && !now.system && listed.physNumber > 0 && now.physNumber > 0;
}

IoResult UnmountCard(const DriveScan& listed, int n, DiskService* service)
{
    if (!service || n < 1)
        return IoResult::Ok();
    const auto was = std::find_if(listed.disks.begin(), listed.disks.end(),
                                  [n](const BlockDisk& d) { return d.physNumber == n; });
    if (was == listed.disks.end())
        return IoResult::Ok();
    const DriveScan now = DiscoverDrives(listed.tables);
    const BlockDisk* disk = FindDisk(now, was->name);
    // A card in use as swap or under a stacked device is not the desktop's to unmount.
    if (!now.usageKnown || !disk || !MayAskDiskService(*was, *disk) || disk->swap || !disk->holders.empty())
        return IoResult::Ok();

    struct Mounted {
        BlockId volume;
        std::string point;
    };
    std::vector<Mounted> mounted;
    for (const BlockVolume& v : disk->partitions)
        if (v.dev && !v.mountPoints.empty())
            mounted.push_back({{v.name, *v.dev}, v.mountPoints.front()});
    if (disk->partitions.empty() && !disk->mountPoints.empty())
        mounted.push_back({{disk->name, *disk->dev}, disk->mountPoints.front()});

    for (const Mounted& m : mounted) {
        if (!IsMediaMount(m.point))
            continue;
        const ServiceAnswer a = service->Unmount(m.volume);
        const std::string failure = "Could not unmount " + m.point + " (/dev/" + m.volume.name + ").\n";
        switch (a.kind) {
        case ServiceAnswer::Done:
        case ServiceAnswer::Unavailable: // the open refuses the mounted card
            break;
        case ServiceAnswer::Denied: return IoResult::Fail(failure + "Access was not granted.");
        case ServiceAnswer::Busy:
            return IoResult::Fail(failure + "It is in use: close the files and programs that use it, then start "
                                            "the write again.");
        case ServiceAnswer::Failed: return IoResult::Fail(failure + a.message);
        }
    }
    return IoResult::Ok();
}

ServiceAnswer MountCardVolume(const DriveScan& listed, const Drive& drive, DiskService* service,
                              std::string& mountPoint)
{
    mountPoint.clear();
    const ServiceAnswer none{ServiceAnswer::Unavailable, {}};
    const BlockDisk* was = FindDisk(listed, drive.disk);
    if (!service || !was || !drive.dev || drive.volume.empty())
        return none;
    const DriveScan now = DiscoverDrives(listed.tables);
    const BlockDisk* disk = FindDisk(now, drive.disk);
    if (!disk || !MayAskDiskService(*was, *disk))
        return none;

    std::string point;
    if (ServiceAnswer a = service->Mount({drive.volume, *drive.dev}, point); !a)
        return a;
    // The copy goes where the card is, whoever answered.
    const DriveScan after = DiscoverDrives(listed.tables);
    const BlockDisk* mountedDisk = FindDisk(after, drive.disk);
    const std::vector<std::string>* points = mountedDisk ? VolumeMounts(*mountedDisk, drive.volume) : nullptr;
    if (!IsMediaMount(point) || !mountedDisk || !SameMedium(*was, *mountedDisk) || !points ||
        std::find(points->begin(), points->end(), point) == points->end())
        return {ServiceAnswer::Failed, "The mount table does not show " + drive.node + " mounted at " + point + "."};
    mountPoint = point;
    return {};
}

} // namespace kx4
