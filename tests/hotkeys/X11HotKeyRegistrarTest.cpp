#include "platform/hotkeys/X11HotKeyRegistrar.h"
#include "platform/hotkeys/X11KeySyms.h"
#include "tray/hotkeys/HotKey.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>
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
constexpr int kVkF9 = 0x78;
constexpr int kVkF10 = 0x79;
constexpr int kWaitMs = 5000;

// A second X client, as another program holding keys would be.
struct OtherClient {
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection { xcb_connect(nullptr, nullptr),
        &xcb_disconnect };

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

    X11HotKeyRegistrar registrar;
};

TEST_F(X11HotKeys, LockStatesDoNotMatterAndUnregisteringOrDestroyingStopsDeliveryAndFreesTheKeys)
{
    EXPECT_TRUE(HotKeyRegistrar::create()->isAvailable()) << "the session's registrar is the X11 one";
    ASSERT_TRUE(registrar.registerHotKey(1, kCtrlShift, kVkF9));
    ASSERT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF10));
    QSignalSpy pressed(&registrar, &HotKeyRegistrar::hotKeyPressed);

    // Num Lock, then Caps Lock too, then Caps Lock alone.
    const char* toggles[] = { "Num_Lock", "Caps_Lock", "Num_Lock" };
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(send(toggles[i]));
        EXPECT_TRUE(send("ctrl+shift+F9") && QTest::qWaitFor([&] { return pressed.count() > i; }, kWaitMs))
            << "after toggling " << toggles[i];
    }
    ASSERT_TRUE(send("Caps_Lock")) << "both off again";

    registrar.unregisterHotKey(1);
    pressed.clear();
    // Events arrive in order: once F10's press is in, F9's would have been too.
    ASSERT_TRUE(send("ctrl+shift+F9"));
    ASSERT_TRUE(send("ctrl+shift+F10"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pressed.isEmpty(); }, kWaitMs));
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
    ASSERT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF9));
    expectRefused(registrar, 3, kVkF9, "one combination serves one id");
    EXPECT_TRUE(registrar.registerHotKey(2, kCtrlShift, kVkF9)) << "an id may take its own combination again";
    expectRefused(registrar, 4, 0x7A, "F11 has no X11 equivalent here");

    OtherClient other;
    ASSERT_TRUE(other.grab(XK_F7, kX11CtrlShift | XCB_MOD_MASK_2)); // only with Num Lock on
    expectRefused(registrar, 5, kVkF7, "held by another client, if only with Num Lock");
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift));
    EXPECT_TRUE(other.grab(XK_F7, kX11CtrlShift | XCB_MOD_MASK_LOCK));
}

// A key the selectors offer without a keysym of its own would be a hotkey that never fires.
TEST(X11KeySyms, EveryOfferedKeyNameReachesItsOwnKeysymAndModifiersTheirMappedBits)
{
    QSet<quint32> keysyms;
    for (const QString& name : KeyNames()) {
        const std::optional<int> code = KeyCodeFromName(name);
        ASSERT_TRUE(code.has_value()) << name.toStdString();
        const std::optional<quint32> keysym = keysymForVirtualKey(*code);
        ASSERT_TRUE(keysym.has_value()) << name.toStdString();
        keysyms.insert(*keysym);
    }
    EXPECT_EQ(keysyms.size(), KeyNames().size()) << "no two keys share a keysym";

    // The integration run presses Prior, Next, Right and P; these are the others that differ.
    const std::pair<const char*, quint32> named[]
        = { { "A", XK_a }, { "0", XK_0 }, { "Up", XK_Up }, { "KeyPad+", XK_KP_Add }, { "KeyPad-", XK_KP_Subtract } };
    for (const auto& [name, keysym] : named)
        EXPECT_EQ(keysymForVirtualKey(KeyCodeFromName(QString::fromLatin1(name)).value_or(0)), keysym) << name;

    const X11ModifierMasks masks { 0x0008, 0x0040, 0x0010 };
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Alt, masks), 0x0008);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Win, masks), 0x0040);
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Control | HotKeyModifier::Shift, masks), 0x0005);
    const X11ModifierMasks altOnMod4 { 0x0040, 0x0080, 0x0010 };
    EXPECT_EQ(x11ModifierMask(HotKeyModifier::Alt | HotKeyModifier::Win, altOnMod4), 0x00C0);
}

} // namespace
