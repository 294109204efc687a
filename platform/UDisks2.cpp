#include "platform/UDisks2.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QMap>
#include <QVariantMap>

#include <fcntl.h>
#include <sys/sysmacros.h>

namespace kx4 {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
// polkit may be asking the user, who takes the time they need.
constexpr int kAskTimeoutMs = 10 * 60 * 1000;

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

ServiceAnswer FromError(const QDBusMessage& reply)
{
    const QString name = reply.errorName();
    if (name.startsWith(QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorized")) ||
        name == QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"))
        return {ServiceAnswer::Denied, {}};
    if (name == QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy"))
        return {ServiceAnswer::Busy, {}};
    if (name == QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        name == QStringLiteral("org.freedesktop.DBus.Error.Disconnected") ||
        name == QStringLiteral("org.freedesktop.DBus.Error.NoServer") ||
        name.startsWith(QStringLiteral("org.freedesktop.DBus.Error.Spawn")))
        return {ServiceAnswer::Unavailable, {}};
    if (name == QStringLiteral("org.freedesktop.DBus.Error.NoReply") ||
        name == QStringLiteral("org.freedesktop.DBus.Error.Timeout"))
        return {ServiceAnswer::Failed, "UDisks2 did not answer."};
    const QString text = reply.errorMessage().isEmpty() ? name : reply.errorMessage();
    return {ServiceAnswer::Failed, "UDisks2 answered: " + text.toStdString()};
}

ServiceAnswer Unexpected() { return {ServiceAnswer::Failed, "UDisks2 gave an answer of an unexpected form."}; }

} // namespace

QDBusConnection& UDisks2Service::Bus()
{
    if (!bus_)
        bus_ = QDBusConnection::systemBus();
    return *bus_;
}

ServiceAnswer UDisks2Service::Find(const BlockId& device, bool withFilesystem, QString& path)
{
    if (!Bus().isConnected())
        return {ServiceAnswer::Unavailable, {}};
    static const bool registered = [] {
        qDBusRegisterMetaType<Interfaces>();
        qDBusRegisterMetaType<ManagedObjects>();
        return true;
    }();
    (void)registered;

    const QDBusMessage reply = Bus().call(
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/UDisks2"),
                                       QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                                       QStringLiteral("GetManagedObjects")),
        QDBus::BlockWithGui);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return FromError(reply);
    if (reply.signature() != QStringLiteral("a{oa{sa{sv}}}"))
        return Unexpected();
    const auto objects = qdbus_cast<ManagedObjects>(reply.arguments().at(0));

    const QByteArray node = QByteArray("/dev/") + QByteArray::fromStdString(device.name);
    const qulonglong number = ::makedev(device.dev.majorNum, device.dev.minorNum);
    for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
        const auto block = it->constFind(kBlock);
        if (block == it->cend())
            continue;
        QByteArray named = block->value(QStringLiteral("Device")).toByteArray();
        while (named.endsWith('\0'))
            named.chop(1);
        const QVariant numbered = block->value(QStringLiteral("DeviceNumber"));
        if (named != node || numbered.metaType() != QMetaType::fromType<qulonglong>() ||
            numbered.toULongLong() != number)
            continue;
        if (withFilesystem && !it->contains(kFilesystem))
            return {ServiceAnswer::Unavailable, {}};
        path = it.key().path();
        return {};
    }
    return {ServiceAnswer::Unavailable, {}};
}

ServiceAnswer UDisks2Service::Ask(const BlockId& device, const QString& interface, const QString& method,
                                  const QVariantList& arguments, QDBusMessage& reply)
{
    QString path;
    if (ServiceAnswer a = Find(device, interface == kFilesystem, path); !a)
        return a;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
    call.setArguments(arguments);
    call.setInteractiveAuthorizationAllowed(true);
    reply = Bus().call(call, QDBus::BlockWithGui, kAskTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return FromError(reply);
    return {};
}

ServiceAnswer UDisks2Service::OpenDevice(const BlockId& device, bool write, UniqueFd& fd)
{
    fd.reset();
    if (!(Bus().connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return {ServiceAnswer::Unavailable, {}};
    QVariantMap options;
    if (write)
        options.insert(QStringLiteral("flags"), int{O_EXCL}); // refused while mounted or held, as a direct open
    QDBusMessage reply;
    if (ServiceAnswer a = Ask(device, kBlock, QStringLiteral("OpenDevice"),
                              {QString::fromLatin1(write ? "rw" : "r"), options}, reply);
        !a)
        return a;
    if (reply.signature() != QStringLiteral("h"))
        return Unexpected();
    const auto handed = reply.arguments().at(0).value<QDBusUnixFileDescriptor>();
    // The message keeps its own descriptor and closes it.
    const int own = handed.isValid() ? ::fcntl(handed.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
    if (own < 0)
        return Unexpected();
    fd.reset(own);
    return {};
}

ServiceAnswer UDisks2Service::Mount(const BlockId& device, std::string& mountPoint)
{
    mountPoint.clear();
    QDBusMessage reply;
    if (ServiceAnswer a = Ask(device, kFilesystem, QStringLiteral("Mount"), {QVariantMap()}, reply); !a)
        return a;
    if (reply.signature() != QStringLiteral("s"))
        return Unexpected();
    mountPoint = reply.arguments().at(0).toString().toStdString();
    return {};
}

ServiceAnswer UDisks2Service::Unmount(const BlockId& device)
{
    QDBusMessage reply;
    return Ask(device, kFilesystem, QStringLiteral("Unmount"), {QVariantMap()}, reply);
}

} // namespace kx4
