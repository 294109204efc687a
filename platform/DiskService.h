#pragma once
// The desktop's disk service, which opens, mounts and unmounts a removable card for a user who may
// not open its block devices (the program's is UDisks2, tests serve a fake), and the rules for when
// the program asks it.
#include "data/FileIO.h"
#include "platform/Drives.h"

#include <string>

namespace kx4 {

// A block device as the service is asked for it.
struct BlockId {
    std::string name; // kernel name, e.g. sdb1
    MajorMinor dev;
};

// How the service answered a request.
struct ServiceAnswer {
    enum Kind {
        Done,
        Unavailable, // no service, or it does not know the device: the program goes on as without one
        Denied,      // the user cancelled, or is not allowed
        Busy,        // files on the volume are in use
        Failed,      // anything else; `message` says what happened, as a sentence for the user
    };
    Kind kind = Done;
    std::string message;

    explicit operator bool() const { return kind == Done; }
};

class DiskService {
public:
    virtual ~DiskService() = default;
    // Opens the device for reading, or exclusively for reading and writing; `fd` gets a
    // close-on-exec descriptor, which the caller must still identify.
    virtual ServiceAnswer OpenDevice(const BlockId& device, bool write, UniqueFd& fd) = 0;
    // Mounts the file system on the device where the service chooses; `mountPoint` gets that folder.
    virtual ServiceAnswer Mount(const BlockId& device, std::string& mountPoint) = 0;
    // Unmounts the file system on the device.
    virtual ServiceAnswer Unmount(const BlockId& device) = 0;
};

// True when the service may be asked about the disk `listed` describes as it is `now`: the same
// medium, removable both times, and never the system disk.
bool MayAskDiskService(const BlockDisk& listed, const BlockDisk& now);

// Unmounts through `service` the volumes of physical drive `n` of `listed` that are mounted under
// the media folders, so that the card can be opened for writing; does nothing without a service,
// or when the card may not be written anyway (its open then says why). Fails with a message naming
// the mount point that could not be unmounted.
IoResult UnmountCard(const DriveScan& listed, int n, DiskService* service);

// Mounts through `service` the volume of the lettered drive `drive` of `listed`, when the service
// may be asked about its card; `mountPoint` gets the folder, checked to lie under the media folders
// and to be shown by the mount table as that volume's.
ServiceAnswer MountCardVolume(const DriveScan& listed, const Drive& drive, DiskService* service,
                              std::string& mountPoint);

} // namespace kx4
