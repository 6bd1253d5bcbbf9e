#include "FreedesktopNotifications.h"

#include "notificationsproxy.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace
{
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");
// Bounded, so a hung server never leaves a request waiting for good.
constexpr int kCallTimeoutMs = 5000;

// The raw picture the server draws: width, height, row stride, alpha, bits per sample,
// channels, bytes.
struct RawPicture {
    int width = 0;
    int height = 0;
    int rowStride = 0;
    bool hasAlpha = false;
    int bitsPerSample = 8;
    int channels = 4;
    QByteArray data;
};
}

Q_DECLARE_METATYPE(RawPicture)

namespace
{
QDBusArgument& operator<<(QDBusArgument& argument, const RawPicture& picture)
{
    argument.beginStructure();
    argument << picture.width << picture.height << picture.rowStride << picture.hasAlpha << picture.bitsPerSample
             << picture.channels << picture.data;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RawPicture& picture)
{
    argument.beginStructure();
    argument >> picture.width >> picture.height >> picture.rowStride >> picture.hasAlpha >> picture.bitsPerSample
        >> picture.channels >> picture.data;
    argument.endStructure();
    return argument;
}

RawPicture rawPicture(const QImage& image)
{
    QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    if (rgba.width() > FreedesktopNotifications::kMaxPictureSide
        || rgba.height() > FreedesktopNotifications::kMaxPictureSide)
        rgba = rgba.scaled(FreedesktopNotifications::kMaxPictureSide, FreedesktopNotifications::kMaxPictureSide,
            Qt::KeepAspectRatio, Qt::SmoothTransformation);
    RawPicture picture;
    picture.width = rgba.width();
    picture.height = rgba.height();
    picture.rowStride = int(rgba.bytesPerLine());
    picture.hasAlpha = true;
    picture.data = QByteArray(reinterpret_cast<const char*>(rgba.constBits()), qsizetype(rgba.sizeInBytes()));
    return picture;
}
}

FreedesktopNotifications::FreedesktopNotifications(
    const QDBusConnection& bus, const QString& actionLabel, QObject* parent)
    : DesktopNotifications(parent)
    , m_server(new NotificationsProxy(kService, kPath, bus, this))
    , m_actionLabel(actionLabel)
{
    qDBusRegisterMetaType<RawPicture>();
    m_server->setTimeout(kCallTimeoutMs);
    connect(m_server, &NotificationsProxy::ActionInvoked, this, &FreedesktopNotifications::onActionInvoked);
    connect(m_server, &NotificationsProxy::NotificationClosed, this, &FreedesktopNotifications::onNotificationClosed);
}

void FreedesktopNotifications::show(const QString& summary, const QString& body, const QImage& picture, int timeoutMs)
{
    Request request { summary, body, picture, timeoutMs };
    m_withdrawn = false;
    if (m_waiting)
        m_next = std::move(request);
    else
        send(request);
}

void FreedesktopNotifications::withdraw()
{
    m_next.reset();
    if (m_waiting) {
        m_withdrawn = true;
        return;
    }
    if (m_shown != 0)
        m_server->CloseNotification(std::exchange(m_shown, 0));
}

void FreedesktopNotifications::send(const Request& request)
{
    QVariantMap hints { { QStringLiteral("desktop-entry"), QStringLiteral("bolvin") },
        { QStringLiteral("category"), QStringLiteral("x-gnome.music") } };
    if (!request.picture.isNull())
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(rawPicture(request.picture)));
    const QStringList actions = m_actionLabel.isEmpty() ? QStringList() : QStringList { kDefaultAction, m_actionLabel };
    m_waiting = true;
    auto* watcher = new QDBusPendingCallWatcher(m_server->Notify(QStringLiteral("Bolvin"), m_shown, QString(),
                                                    request.summary, request.body, actions, hints, request.timeoutMs),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &FreedesktopNotifications::answered);
}

void FreedesktopNotifications::answered(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    m_shown = reply.isError() ? 0 : reply.value();
    m_waiting = false;
    if (std::exchange(m_withdrawn, false))
        withdraw();
    else if (m_next)
        send(*std::exchange(m_next, std::nullopt));
}

void FreedesktopNotifications::onActionInvoked(uint id, const QString& action)
{
    if (id != 0 && id == m_shown && action == kDefaultAction)
        emit activated();
}

void FreedesktopNotifications::onNotificationClosed(uint id, uint /*reason*/)
{
    // Replacing a closed notification would bring it back under its old number on some servers.
    if (id == m_shown)
        m_shown = 0;
}
