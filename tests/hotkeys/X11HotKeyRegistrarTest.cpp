#include "platform/hotkeys/X11HotKeyRegistrar.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <X11/keysym.h>

#include <cstdlib>

// The real registrar on a real X server. Keys are sent with xdotool; Ctrl+Shift+F-keys are
// used because the server keeps Ctrl+Alt+F-keys for itself and never delivers them.
namespace
{

constexpr int kCtrlShift = HotKeyModifier::Control | HotKeyModifier::Shift;
constexpr quint16 kX11CtrlShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;
constexpr int kVkF7 = 0x76;
constexpr int kVkF8 = 0x77;
constexpr int kVkF9 = 0x78;
constexpr int kVkF10 = 0x79;
constexpr int kWaitMs = 5000;

// A second X client, as another program holding keys would be.
class OtherClient
{
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_symbols = xcb_key_symbols_alloc(m_connection);
    }
    ~OtherClient()
    {
        xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_connection);
    }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    // True when the server granted the grab.
    bool grab(xcb_keysym_t keysym, quint16 modifiers)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(m_symbols, keysym);
        const xcb_keycode_t keycode = codes ? codes[0] : XCB_NO_SYMBOL;
        std::free(codes);
        xcb_generic_error_t* error = xcb_request_check(m_connection,
            xcb_grab_key_checked(
                m_connection, 1, m_root, modifiers, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool granted = error == nullptr;
        std::free(error);
        return granted;
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    xcb_key_symbols_t* m_symbols = nullptr;
};

class X11HotKeys : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!registrar.isAvailable())
            GTEST_SKIP() << "needs Qt on an X display: DISPLAY and QT_QPA_PLATFORM=xcb (scripts/with-desktop.sh)";
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "needs xdotool";
    }

    static bool send(const QString& keys)
    {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), { QStringLiteral("key"), keys });
        return xdotool.waitForFinished(kWaitMs) && xdotool.exitCode() == 0;
    }

    static bool waitFor(QSignalSpy& spy, int count)
    {
        return QTest::qWaitFor([&] { return spy.count() >= count; }, kWaitMs);
    }

    static QList<int> ids(const QSignalSpy& spy)
    {
        QList<int> result;
        for (const QList<QVariant>& arguments : spy)
            result << arguments.at(0).toInt();
        return result;
    }

    X11HotKeyRegistrar registrar;
};

TEST_F(X11HotKeys, LockStatesDoNotMatter)
{
    EXPECT_TRUE(HotKeyRegistrar::create()->isAvailable()) << "the session's registrar is the X11 one";
    ASSERT_TRUE(registrar.registerHotKey(1, kCtrlShift, kVkF9));
    QSignalSpy pressed(&registrar, &HotKeyRegistrar::hotKeyPressed);

    ASSERT_TRUE(send("Num_Lock"));
    const bool numLocked = send("ctrl+shift+F9") && waitFor(pressed, 1);
    ASSERT_TRUE(send("Caps_Lock"));
    const bool bothLocked = send("ctrl+shift+F9") && waitFor(pressed, 2);
    ASSERT_TRUE(send("Num_Lock"));
    const bool capsLocked = send("ctrl+shift+F9") && waitFor(pressed, 3);
    ASSERT_TRUE(send("Caps_Lock"));

    EXPECT_TRUE(numLocked);
    EXPECT_TRUE(bothLocked);
    EXPECT_TRUE(capsLocked);
}

TEST_F(X11HotKeys, UnregisteringOrDestroyingStopsDeliveryAndFreesTheKeys)
{
    ASSERT_TRUE(registrar.registerHotKey(1, kCtrlShift, kVkF9));
    ASSERT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF10));
    registrar.unregisterHotKey(1);
    QSignalSpy pressed(&registrar, &HotKeyRegistrar::hotKeyPressed);

    // Events arrive in order: once F10's press is in, F9's would have been too.
    ASSERT_TRUE(send("ctrl+shift+F9"));
    ASSERT_TRUE(send("ctrl+shift+F10"));
    ASSERT_TRUE(waitFor(pressed, 1));
    EXPECT_EQ(ids(pressed), QList<int>({ 2 }));

    {
        X11HotKeyRegistrar second;
        ASSERT_TRUE(second.registerHotKey(1, kCtrlShift, kVkF7));
    }
    OtherClient other;
    EXPECT_TRUE(other.grab(XK_F9, kX11CtrlShift));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift));
}

TEST_F(X11HotKeys, RefusedRegistrationsSayWhyAndLeaveTheOthersWorking)
{
    OtherClient other;
    ASSERT_TRUE(other.grab(XK_F8, kX11CtrlShift));
    QString error;
    EXPECT_FALSE(registrar.registerHotKey(1, kCtrlShift, kVkF8, &error)) << "held by another client";
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF9));
    error.clear();
    EXPECT_FALSE(registrar.registerHotKey(3, kCtrlShift, kVkF9, &error)) << "one combination serves one id";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF9)) << "an id may take its own combination again";

    error.clear();
    EXPECT_FALSE(registrar.registerHotKey(4, kCtrlShift, 0x7A, &error)) << "F11 has no X11 equivalent here";
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(X11HotKeys, APartlyRefusedGrabReleasesTheLockStatesItTook)
{
    OtherClient other;
    ASSERT_TRUE(other.grab(XK_F7, kX11CtrlShift | XCB_MOD_MASK_2)); // only with Num Lock on

    EXPECT_FALSE(registrar.registerHotKey(1, kCtrlShift, kVkF7));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift | XCB_MOD_MASK_LOCK));
}

TEST(X11HotKeysOffX, WithoutAnXConnectionNothingRegisters)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "runs on X";
    X11HotKeyRegistrar registrar;
    QString error;
    EXPECT_FALSE(registrar.isAvailable());
    EXPECT_FALSE(registrar.registerHotKey(1, kCtrlShift, kVkF9, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(HotKeyRegistrar::create()->isAvailable());
}

} // namespace
