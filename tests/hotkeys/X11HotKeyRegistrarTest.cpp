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
#include <memory>

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
struct OtherClient {
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection { xcb_connect(nullptr, nullptr),
        &xcb_disconnect };

    // True when the server granted the grab.
    bool grab(xcb_keysym_t keysym, quint16 modifiers)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection.get());
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = codes ? codes[0] : XCB_NO_SYMBOL;
        std::free(codes);
        xcb_key_symbols_free(symbols);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root;
        xcb_generic_error_t* error = xcb_request_check(connection.get(),
            xcb_grab_key_checked(
                connection.get(), 1, root, modifiers, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool granted = error == nullptr;
        std::free(error);
        return granted;
    }
};

// A refusal must say why.
void expectRefused(HotKeyRegistrar& registrar, int id, int virtualKey, const char* why)
{
    QString error;
    EXPECT_FALSE(registrar.registerHotKey(id, kCtrlShift, virtualKey, &error)) << why;
    EXPECT_FALSE(error.isEmpty()) << why;
}

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

    X11HotKeyRegistrar registrar;
};

TEST_F(X11HotKeys, LockStatesDoNotMatter)
{
    EXPECT_TRUE(HotKeyRegistrar::create()->isAvailable()) << "the session's registrar is the X11 one";
    ASSERT_TRUE(registrar.registerHotKey(1, kCtrlShift, kVkF9));
    QSignalSpy pressed(&registrar, &HotKeyRegistrar::hotKeyPressed);

    // Num Lock, then Caps Lock too, then Caps Lock alone.
    const char* toggles[] = { "Num_Lock", "Caps_Lock", "Num_Lock" };
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(send(toggles[i]));
        EXPECT_TRUE(send("ctrl+shift+F9") && waitFor(pressed, i + 1)) << "after toggling " << toggles[i];
    }
    ASSERT_TRUE(send("Caps_Lock")) << "both off again";
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
    EXPECT_EQ(pressed, QList<QVariantList>({ { 2 } }));

    {
        X11HotKeyRegistrar second;
        ASSERT_TRUE(second.registerHotKey(1, kCtrlShift, kVkF7));
    }
    OtherClient other;
    EXPECT_TRUE(other.grab(XK_F9, kX11CtrlShift));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift));
}

TEST_F(X11HotKeys, RefusalsSayWhyAndAPartlyRefusedGrabReleasesTheLockStatesItTook)
{
    OtherClient other;
    ASSERT_TRUE(other.grab(XK_F8, kX11CtrlShift));
    expectRefused(registrar, 1, kVkF8, "held by another client");
    ASSERT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF9));
    expectRefused(registrar, 3, kVkF9, "one combination serves one id");
    EXPECT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF9)) << "an id may take its own combination again";
    expectRefused(registrar, 4, 0x7A, "F11 has no X11 equivalent here");

    ASSERT_TRUE(other.grab(XK_F7, kX11CtrlShift | XCB_MOD_MASK_2)); // only with Num Lock on
    EXPECT_FALSE(registrar.registerHotKey(5, kCtrlShift, kVkF7));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift | XCB_MOD_MASK_LOCK));
}

TEST(X11HotKeysOffX, WithoutAnXConnectionNothingRegisters)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "runs on X";
    X11HotKeyRegistrar registrar;
    EXPECT_FALSE(registrar.isAvailable());
    expectRefused(registrar, 1, kVkF9, "no X connection");
    EXPECT_FALSE(HotKeyRegistrar::create()->isAvailable());
}

} // namespace
