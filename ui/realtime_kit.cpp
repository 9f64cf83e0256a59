#include "ui/realtime_kit.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace vl::ui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.RealtimeKit1");
const QString kPath = QStringLiteral("/org/freedesktop/RealtimeKit1");
// The service answers at once; a bus that does not is treated as absent.
constexpr int kTimeoutMs = 3000;

QDBusMessage call(QDBusMessage message) {
    return QDBusConnection::systemBus().call(message, QDBus::Block, kTimeoutMs);
}

// A property of the service, or an error reply.
QDBusMessage property(const QString& name) {
    QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kService << name;
    return call(get);
}

std::string reason(const QDBusMessage& reply) {
    return (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString();
}

}  // namespace

std::optional<RealtimeKit::Limits> RealtimeKit::limits(std::string& why) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        why = "no system bus: " + bus.lastError().message().toStdString();
        return std::nullopt;
    }
    const QDBusMessage priority = property(QStringLiteral("MaxRealtimePriority"));
    const QDBusMessage rtTime = property(QStringLiteral("RTTimeUSecMax"));
    for (const QDBusMessage* reply : {&priority, &rtTime}) {
        if (reply->type() != QDBusMessage::ReplyMessage || reply->arguments().isEmpty()) {
            why = reason(*reply);
            return std::nullopt;
        }
    }
    Limits limits;
    limits.maxPriority = priority.arguments().first().value<QDBusVariant>().variant().toInt();
    limits.maxRtTimeUsec = rtTime.arguments().first().value<QDBusVariant>().variant().toLongLong();
    return limits;
}

std::optional<std::string> RealtimeKit::makeThreadRealtime(std::uint64_t tid, int priority) {
    QDBusMessage make = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("MakeThreadRealtime"));
    make << QVariant::fromValue<qulonglong>(tid) << QVariant::fromValue<uint>(static_cast<uint>(priority));
    const QDBusMessage reply = call(make);
    if (reply.type() == QDBusMessage::ReplyMessage) return std::nullopt;
    return reason(reply);
}

RealtimeKit& realtimeKit() {
    static RealtimeKit kit;
    return kit;
}

}  // namespace vl::ui
