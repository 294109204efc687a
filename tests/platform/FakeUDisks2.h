#pragma once
// A private message bus started for one test, and on it a fake of the UDisks2 objects the program
// uses: block devices whose OpenDevice hands out descriptors of image files, and file systems whose
// Mount and Unmount change the fake mount table. Every call is recorded; each can be made to fail.
#include "FakeSystem.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QProcess>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kx4::test {

// A dbus-daemon of its own in the folder `dir`, stopped (with its connections) on destruction.
class PrivateBus {
public:
    explicit PrivateBus(const std::filesystem::path& dir);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // A new connection to the bus.
    QDBusConnection Connect();
    // The program's disk service on this bus, as the program makes it for the system bus.
    std::shared_ptr<DiskService> Service();

private:
    QProcess daemon_;
    QString address_;
    std::vector<QString> names_;
};

class FakeUDisks2 : public QDBusVirtualObject {
public:
    // Serves org.freedesktop.UDisks2 on `bus`; mounts go into the mount table of `sys`, their
    // folders under `mountRoot`.
    FakeUDisks2(PrivateBus& bus, FakeSystem& sys, std::filesystem::path mountRoot);
    ~FakeUDisks2() override;

    // The block device /dev/<name>, device number `dev` ("8:32"); OpenDevice hands out descriptors
    // of `image`, opened with root's file permissions, as the service has.
    void Block(const std::string& name, const std::string& dev, const std::filesystem::path& image);
    // The block device `name` carries a file system that Mount mounts at `mountPoint`; `mounted`:
    // it is mounted there already (the mount table says so).
    void Filesystem(const std::string& name, const std::string& mountPoint, bool mounted = false);
    // Calls of `method` on `name` fail with the D-Bus error `error` ("" to succeed again).
    void Fail(const std::string& name, const std::string& method, const std::string& error);
    // OpenDevice on `name` hands out descriptors of `image` instead of its own.
    void HandOut(const std::string& name, const std::filesystem::path& image);

    struct Call {
        std::string method; // "OpenDevice", "Mount", "Unmount"
        std::string device; // kernel name
        std::string mode;   // OpenDevice's
        int flags = 0;      // OpenDevice's "flags" option
        bool operator==(const Call&) const = default;
    };
    const std::vector<Call>& Calls() const { return calls_; }
    // Runs before each answer, as while polkit asks the user.
    std::function<void()> whileAsking;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    struct Device {
        std::string dev;
        std::filesystem::path image;
        bool filesystem = false;
        bool mounted = false;
        std::string mountPoint;
        std::map<std::string, std::string> failures; // method, D-Bus error
    };
    bool Handle(const QDBusMessage& message, const QDBusConnection& connection);
    QDBusMessage Answer(const QDBusMessage& message, const std::string& name, Device& device);

    QDBusConnection connection_;
    FakeSystem& sys_;
    std::filesystem::path mountRoot_;
    std::map<std::string, Device> devices_;
    std::vector<Call> calls_;
};

// Takes away, for this thread, the user's access to the image files standing in for device nodes,
// as for a desktop user who is not root: the images lose their permissions, and a test running as
// root acts with kOtherUser's file permissions (the folders in `readable` made readable and those
// in `writable` writable for it). Undone on destruction.
class WithoutDeviceAccess {
public:
    WithoutDeviceAccess(std::vector<std::filesystem::path> images, const std::vector<std::filesystem::path>& readable,
                        const std::vector<std::filesystem::path>& writable = {});
    ~WithoutDeviceAccess();
    WithoutDeviceAccess(const WithoutDeviceAccess&) = delete;
    WithoutDeviceAccess& operator=(const WithoutDeviceAccess&) = delete;

private:
    std::vector<std::filesystem::path> images_;
};

std::ostream& operator<<(std::ostream& os, const FakeUDisks2::Call& c);

} // namespace kx4::test
