// Holds Ctrl+<key> on the root window, as another program's global shortcut would, until
// it is killed or its time runs out. Used to see how Bolvin reports a hotkey it cannot have.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: key_grabber KEYSYM-HEX SECONDS\n");
        return 2;
    }
    const xcb_keysym_t keysym = static_cast<xcb_keysym_t>(std::strtoul(argv[1], nullptr, 16));
    const int seconds = std::atoi(argv[2]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    if (!codes || codes[0] == XCB_NO_SYMBOL)
        return 1;
    xcb_generic_error_t* error = xcb_request_check(connection,
        xcb_grab_key_checked(
            connection, 1, root, XCB_MOD_MASK_CONTROL, codes[0], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    if (error)
        return 1;
    std::printf("grabbed\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return 0;
}
