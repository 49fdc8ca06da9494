// A stand-in for the host application: opens one X11 window, prints its id on standard output
// and keeps it until standard input ends (or a line arrives), then destroys it and exits.

#include <xcb/xcb.h>

#include <cstdio>
#include <iostream>
#include <string>

int main() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::cerr << "host_window: no X server\n";
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t w = xcb_generate_id(c);
  const uint32_t fondo[] = {screen->white_pixel};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 900, 620, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, fondo);
  xcb_map_window(c, w);
  xcb_flush(c);
  std::cout << w << std::endl;
  std::string linea;
  std::getline(std::cin, linea);
  xcb_destroy_window(c, w);
  xcb_flush(c);
  xcb_disconnect(c);
  return 0;
}
