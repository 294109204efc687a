#pragma once
// The disk service of Linux desktops: UDisks2 on the system bus, reached through Qt DBus. polkit
// may ask the user before the service acts; the window keeps painting while it waits.
#include "platform/DiskService.h"

#include <QDBusConnection>
#include <QVariantList>

#include <optional>

class QDBusMessage;
class QString;

namespace kx4 {

class UDisks2Service final : public DiskService {
public:
    // On the system bus, connected at the first request.
    UDisks2Service() = default;
    // On another bus: tests serve a fake on a private one.
    explicit UDisks2Service(const QDBusConnection& bus) : bus_(bus) {}

    ServiceAnswer OpenDevice(const BlockId& device, bool write, UniqueFd& fd) override;
    ServiceAnswer Mount(const BlockId& device, std::string& mountPoint) override;
    ServiceAnswer Unmount(const BlockId& device) override;

private:
    QDBusConnection& Bus();
    // The object path of the device's block object, found by node and device number among the
    // service's objects; `withFilesystem`: only when it carries a file system.
    ServiceAnswer Find(const BlockId& device, bool withFilesystem, QString& path);
    // Calls `method` of `interface` on the device's object, a request the user may be asked about;
    // `reply` is its answer when Done.
    ServiceAnswer Ask(const BlockId& device, const QString& interface, const QString& method,
                      const QVariantList& arguments, QDBusMessage& reply);

    std::optional<QDBusConnection> bus_;
};

} // namespace kx4
