// The benchmark's observer, outside every program it times. Prints one tab-separated line per
// event, stamped on CLOCK_MONOTONIC (Python's time.monotonic_ns) the moment it reads it:
//   map    NS WINDOW WIDTH HEIGHT INSTANCE CLASS NAME   a window mapped, anywhere on the display
//   unmap  NS WINDOW
//   meta   NS TITLE                                     the player's Metadata changed on the bus
// and "ready" once both are being watched. Usage: pipeline_watch [MPRIS-SERVICE]
#include "propertiesproxy.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

namespace
{
constexpr uint32_t kWatchMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
constexpr uint32_t kMaxPropertyWords = 1024;
constexpr long long kNsPerSecond = 1000000000LL;
const QString kDefaultService = QStringLiteral("org.mpris.MediaPlayer2.mpv");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * kNsPerSecond + now.tv_nsec;
}

// Every window, so a map is seen wherever it happens, inside the tray host's sockets too.
void watchTree(xcb_connection_t* x, xcb_window_t window)
{
    xcb_change_window_attributes(x, window, XCB_CW_EVENT_MASK, &kWatchMask);
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr);
    if (!tree)
        return;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
        watchTree(x, children[i]);
    free(tree);
}

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

QByteArray property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    xcb_get_property_reply_t* reply
        = xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, kMaxPropertyWords), nullptr);
    QByteArray value;
    if (reply)
        value
            = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    free(reply);
    return value;
}

QByteArray oneLine(QByteArray text)
{
    return text.replace('\t', ' ').replace('\n', ' ');
}

void describeMap(xcb_connection_t* x, xcb_window_t window, long long at)
{
    static const xcb_atom_t netName = atom(x, "_NET_WM_NAME");
    static const xcb_atom_t utf8 = atom(x, "UTF8_STRING");
    QByteArray name = property(x, window, netName, utf8);
    if (name.isEmpty())
        name = property(x, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    const QList<QByteArray> wmClass = property(x, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
    std::printf("map\t%lld\t0x%x\t%d\t%d\t%s\t%s\t%s\n", at, window, geometry ? geometry->width : 0,
        geometry ? geometry->height : 0, wmClass.value(0).constData(), wmClass.value(1).constData(),
        oneLine(name).constData());
    free(geometry);
}

void drainEvents(xcb_connection_t* x, std::set<xcb_window_t>& mapped)
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
        const long long at = monotonicNs();
        switch (event->response_type & ~0x80) {
        case XCB_CREATE_NOTIFY: {
            const xcb_window_t window = reinterpret_cast<xcb_create_notify_event_t*>(event)->window;
            xcb_change_window_attributes(x, window, XCB_CW_EVENT_MASK, &kWatchMask);
            break;
        }
        // Both the parent's and the window's own mask report a map: count it once.
        case XCB_MAP_NOTIFY: {
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (mapped.insert(window).second)
                describeMap(x, window, at);
            break;
        }
        case XCB_UNMAP_NOTIFY: {
            const xcb_window_t window = reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window;
            if (mapped.erase(window))
                std::printf("unmap\t%lld\t0x%x\n", at, window);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            mapped.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
            break;
        default:
            break;
        }
        free(event);
    }
    xcb_flush(x);
    std::fflush(stdout);
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "pipeline_watch: no X display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    watchTree(x, screen->root);
    xcb_flush(x);
    std::set<xcb_window_t> mapped;
    QSocketNotifier xEvents(xcb_get_file_descriptor(x), QSocketNotifier::Read);
    QObject::connect(&xEvents, &QSocketNotifier::activated, &app, [&] {
        drainEvents(x, mapped);
        if (xcb_connection_has_error(x))
            QCoreApplication::exit(1);
    });

    const QString service = argc > 1 ? QString::fromLocal8Bit(argv[1]) : kDefaultService;
    PropertiesProxy properties(service, kObjectPath, QDBusConnection::sessionBus());
    QObject::connect(&properties, &PropertiesProxy::PropertiesChanged, &app,
        [](const QString&, const QVariantMap& changed, const QStringList&) {
            const long long at = monotonicNs();
            const auto metadata = changed.constFind(QStringLiteral("Metadata"));
            if (metadata == changed.constEnd())
                return;
            const QVariantMap tags = qdbus_cast<QVariantMap>(metadata->value<QDBusArgument>());
            const QByteArray title = tags.value(QStringLiteral("xesam:title")).toString().toUtf8();
            std::printf("meta\t%lld\t%s\n", at, oneLine(title).constData());
            std::fflush(stdout);
        });
    // Whatever was queued while the tree was walked.
    drainEvents(x, mapped);
    std::printf("ready\n");
    std::fflush(stdout);
    const int status = app.exec();
    xcb_disconnect(x);
    return status;
}
