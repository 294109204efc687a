#include "FakeUDisks2.h"

#include "FileSupport.h"
#include "platform/UDisks2.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <fstream>
#include <stdexcept>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kx4::test {
namespace fs = std::filesystem;

namespace {

const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kDevices = QStringLiteral("/org/freedesktop/UDisks2/block_devices/");

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

} // namespace

PrivateBus::PrivateBus(const fs::path& dir)
{
    // A bus of its own kind: no service is started on demand, so nothing but the fake answers.
    const fs::path config = dir / "bus.conf";
    std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                             " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                             "<busconfig><type>session</type><listen>unix:path="
                          << (dir / "bus").string()
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                             "<allow own=\"*\"/></policy></busconfig>\n";
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--config-file=") + QString::fromStdString(config.string()),
                          QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    daemon_.setStandardErrorFile(QProcess::nullDevice());
    // Ends with the test even when the test is killed.
    daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    daemon_.start();
    if (!daemon_.waitForStarted(10000))
        throw std::runtime_error("dbus-daemon did not start (it comes with Debian's package dbus)");
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty())
        throw std::runtime_error("dbus-daemon gave no address");
}

PrivateBus::~PrivateBus()
{
    for (const QString& name : names_)
        QDBusConnection::disconnectFromBus(name);
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) {
        daemon_.kill();
        daemon_.waitForFinished();
    }
}

QDBusConnection PrivateBus::Connect()
{
    static int next = 0;
    names_.push_back(QStringLiteral("kx4-test-bus-%1").arg(++next));
    QDBusConnection connection = QDBusConnection::connectToBus(address_, names_.back());
    if (!connection.isConnected())
        throw std::runtime_error("cannot connect to the private bus: " + connection.lastError().message().toStdString());
    return connection;
}

std::shared_ptr<DiskService> PrivateBus::Service()
{
    return std::make_shared<UDisks2Service>(Connect());
}

FakeUDisks2::FakeUDisks2(PrivateBus& bus, FakeSystem& sys, fs::path mountRoot)
    : connection_(bus.Connect()), sys_(sys), mountRoot_(std::move(mountRoot))
{
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
    if (!connection_.registerVirtualObject(kRoot, this, QDBusConnection::SubPath) ||
        !connection_.registerService(QStringLiteral("org.freedesktop.UDisks2")))
        throw std::runtime_error("cannot serve the fake UDisks2");
}

FakeUDisks2::~FakeUDisks2()
{
    connection_.unregisterService(QStringLiteral("org.freedesktop.UDisks2"));
    connection_.unregisterObject(kRoot, QDBusConnection::UnregisterTree);
}

void FakeUDisks2::Block(const std::string& name, const std::string& dev, const fs::path& image)
{
    Device& device = devices_[name];
    device.dev = dev;
    device.image = image;
}

void FakeUDisks2::Filesystem(const std::string& name, const std::string& mountPoint, bool mounted)
{
    Device& device = devices_.at(name);
    device.filesystem = true;
    device.mountPoint = mountPoint;
    device.mounted = mounted;
}

void FakeUDisks2::Fail(const std::string& name, const std::string& method, const std::string& error)
{
    devices_.at(name).failures[method] = error;
}

void FakeUDisks2::HandOut(const std::string& name, const fs::path& image)
{
    devices_.at(name).image = image;
}

QString FakeUDisks2::introspect(const QString&) const
{
    return {};
}

bool FakeUDisks2::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    // The service runs as root, though it shares its thread with a test acting as another user.
    const bool root = RunningAsRoot();
    const int uid = root ? ::setfsuid(0) : 0;
    const int gid = root ? ::setfsgid(0) : 0;
    const bool handled = Handle(message, connection);
    if (root) {
        ::setfsgid(static_cast<gid_t>(gid));
        ::setfsuid(static_cast<uid_t>(uid));
    }
    return handled;
}

bool FakeUDisks2::Handle(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.path() == kRoot && message.member() == QStringLiteral("GetManagedObjects")) {
        ManagedObjects objects;
        for (const auto& [name, device] : devices_) {
            const auto colon = device.dev.find(':');
            const qulonglong number = ::makedev(std::stoul(device.dev.substr(0, colon)),
                                                std::stoul(device.dev.substr(colon + 1)));
            const std::string node = "/dev/" + name;
            Interfaces interfaces;
            interfaces[QStringLiteral("org.freedesktop.UDisks2.Block")] = {
                {QStringLiteral("Device"), QByteArray(node.c_str(), static_cast<qsizetype>(node.size() + 1))},
                {QStringLiteral("DeviceNumber"), number},
                {QStringLiteral("HintSystem"), false},
            };
            if (device.filesystem)
                interfaces[QStringLiteral("org.freedesktop.UDisks2.Filesystem")] = QVariantMap();
            objects[QDBusObjectPath(kDevices + QString::fromStdString(name))] = interfaces;
        }
        connection.send(message.createReply(QVariant::fromValue(objects)));
        return true;
    }
    if (!message.path().startsWith(kDevices))
        return false;
    const auto it = devices_.find(message.path().mid(kDevices.size()).toStdString());
    if (it == devices_.end()) {
        connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"), "no such object"));
        return true;
    }
    connection.send(Answer(message, it->first, it->second));
    return true;
}

QDBusMessage FakeUDisks2::Answer(const QDBusMessage& message, const std::string& name, Device& device)
{
    const std::string method = message.member().toStdString();
    const bool open = method == "OpenDevice" && message.interface() == QStringLiteral("org.freedesktop.UDisks2.Block");
    const bool mount = (method == "Mount" || method == "Unmount") &&
                       message.interface() == QStringLiteral("org.freedesktop.UDisks2.Filesystem") && device.filesystem;
    if ((!open && !mount) || message.signature() != (open ? QStringLiteral("sa{sv}") : QStringLiteral("a{sv}")))
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), "not served here");

    const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().back());
    Call call{method, name, open ? message.arguments().front().toString().toStdString() : std::string(),
              options.value(QStringLiteral("flags")).toInt()};
    calls_.push_back(call);
    if (whileAsking)
        whileAsking();
    if (const auto failure = device.failures.find(method); failure != device.failures.end() && !failure->second.empty())
        return message.createErrorReply(QString::fromStdString(failure->second), "refused by the fake");

    if (open) {
        if (call.mode != "r" && call.mode != "rw")
            return message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.Failed"), "bad mode");
        const UniqueFd fd(::open(device.image.c_str(), (call.mode == "r" ? O_RDONLY : O_RDWR) | call.flags | O_CLOEXEC));
        if (fd.get() < 0)
            return message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.Failed"), std::strerror(errno));
        return message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(fd.get())));
    }
    if (method == "Mount") {
        if (device.mounted)
            return message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.AlreadyMounted"), "mounted");
        fs::create_directories(mountRoot_ / fs::path(device.mountPoint).relative_path());
        sys_.Mount(DevOf(mountRoot_), device.mountPoint, "/dev/" + name);
        device.mounted = true;
        return message.createReply(QString::fromStdString(device.mountPoint));
    }
    if (!device.mounted)
        return message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.NotMounted"), "not mounted");
    sys_.Unmount(device.mountPoint);
    device.mounted = false;
    return message.createReply();
}

WithoutDeviceAccess::WithoutDeviceAccess(std::vector<fs::path> images, const std::vector<fs::path>& readable,
                                         const std::vector<fs::path>& writable)
    : images_(std::move(images))
{
    for (const fs::path& image : images_)
        fs::permissions(image, fs::perms::none);
    if (!RunningAsRoot())
        return;
    for (const fs::path& dir : readable)
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    for (const fs::path& dir : writable)
        fs::permissions(dir, fs::perms::all);
    // File permissions of this thread only: the fake service and Qt's bus thread keep root's.
    ::setfsgid(kOtherUser);
    ::setfsuid(kOtherUser);
    if (static_cast<uid_t>(::setfsuid(kOtherUser)) != kOtherUser)
        throw std::runtime_error("cannot act as another user");
}

WithoutDeviceAccess::~WithoutDeviceAccess()
{
    if (RunningAsRoot()) {
        ::setfsuid(0);
        ::setfsgid(0);
    }
    for (const fs::path& image : images_)
        fs::permissions(image, fs::perms::owner_read | fs::perms::owner_write);
}

std::ostream& operator<<(std::ostream& os, const FakeUDisks2::Call& c)
{
    return os << "{" << c.method << " " << c.device << " \"" << c.mode << "\" flags " << c.flags << "}";
}

} // namespace kx4::test
