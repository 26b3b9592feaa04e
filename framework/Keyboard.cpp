// Kept apart from Qt: Xlib's macros (None, KeyPress, Bool ...) clash with Qt's names.
#include "framework/Keyboard.h"

#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "framework/Runtime.h"
#include "framework/ServiceSlot.h"

namespace fw {

namespace {

constexpr Integer kCodes = 128;

// Each code's keysyms. A macOS virtual key code names a key by its place on Apple's keyboard; X
// names keys by keysym, so a code stands for what that key types on a US layout (letters and
// digits, punctuation), or for the key of the same job (modifiers, keypad, functions). Where a PC
// keyboard has another key in the same place (F13 to F15, Help, the keypad's Clear), that key's
// keysym is listed too.
struct MacKey {
  std::array<KeySym, 2> syms{NoSymbol, NoSymbol};
  constexpr MacKey() = default;
  constexpr MacKey(KeySym a, KeySym b = NoSymbol) : syms{a, b} {}
};

constexpr std::array<MacKey, kCodes> MakeTable() {
  std::array<MacKey, kCodes> t{};
  const KeySym letters[] = {XK_a, XK_s, XK_d, XK_f, XK_h, XK_g, XK_z, XK_x, XK_c, XK_v};
  for (int i = 0; i < 10; ++i) t[i] = letters[i];  // 0 to 9
  t[10] = XK_section;  // the ISO key left of 1
  t[11] = XK_b;
  t[12] = XK_q;
  t[13] = XK_w;
  t[14] = XK_e;
  t[15] = XK_r;
  t[16] = XK_y;
  t[17] = XK_t;
  t[18] = XK_1;
  t[19] = XK_2;
  t[20] = XK_3;
  t[21] = XK_4;
  t[22] = XK_6;
  t[23] = XK_5;
  t[24] = XK_equal;
  t[25] = XK_9;
  t[26] = XK_7;
  t[27] = XK_minus;
  t[28] = XK_8;
  t[29] = XK_0;
  t[30] = XK_bracketright;
  t[31] = XK_o;
  t[32] = XK_u;
  t[33] = XK_bracketleft;
  t[34] = XK_i;
  t[35] = XK_p;
  t[36] = XK_Return;
  t[37] = XK_l;
  t[38] = XK_j;
  t[39] = XK_apostrophe;
  t[40] = XK_k;
  t[41] = XK_semicolon;
  t[42] = XK_backslash;
  t[43] = XK_comma;
  t[44] = XK_slash;
  t[45] = XK_n;
  t[46] = XK_m;
  t[47] = XK_period;
  t[48] = XK_Tab;
  t[49] = XK_space;
  t[50] = XK_grave;
  t[51] = XK_BackSpace;  // Apple's "delete"
  t[53] = XK_Escape;
  t[54] = XK_Super_R;  // right command
  t[55] = XK_Super_L;  // command
  t[56] = XK_Shift_L;
  t[57] = XK_Caps_Lock;
  t[58] = XK_Alt_L;  // option
  t[59] = XK_Control_L;
  t[60] = XK_Shift_R;
  t[61] = {XK_Alt_R, XK_ISO_Level3_Shift};  // right option; AltGr on most European layouts
  t[62] = XK_Control_R;
  // 63, fn, never reaches X.
  t[64] = XK_F17;
  t[65] = XK_KP_Decimal;
  t[67] = XK_KP_Multiply;
  t[69] = XK_KP_Add;
  t[71] = {XK_Clear, XK_Num_Lock};  // the keypad's Clear sits where a PC has Num Lock
  t[72] = XF86XK_AudioRaiseVolume;
  t[73] = XF86XK_AudioLowerVolume;
  t[74] = XF86XK_AudioMute;
  t[75] = XK_KP_Divide;
  t[76] = XK_KP_Enter;
  t[78] = XK_KP_Subtract;
  t[79] = XK_F18;
  t[80] = XK_F19;
  t[81] = XK_KP_Equal;
  const KeySym keypad[] = {XK_KP_0, XK_KP_1, XK_KP_2, XK_KP_3, XK_KP_4, XK_KP_5, XK_KP_6, XK_KP_7};
  for (int i = 0; i < 8; ++i) t[82 + i] = keypad[i];  // 82 to 89
  t[90] = XK_F20;
  t[91] = XK_KP_8;
  t[92] = XK_KP_9;
  t[93] = XK_yen;         // JIS
  t[94] = XK_underscore;  // JIS
  t[95] = XK_KP_Separator;  // JIS keypad comma
  t[96] = XK_F5;
  t[97] = XK_F6;
  t[98] = XK_F7;
  t[99] = XK_F3;
  t[100] = XK_F8;
  t[101] = XK_F9;
  t[102] = XK_Eisu_toggle;  // 英数: the keysym of the JIS layouts' Eisu key
  t[103] = XK_F11;
  t[104] = XK_Hiragana_Katakana;  // かな: the keysym of the JIS layouts' Kana key
  t[105] = {XK_F13, XK_Print};
  t[106] = XK_F16;
  t[107] = {XK_F14, XK_Scroll_Lock};
  t[109] = XK_F10;
  t[110] = XK_Menu;
  t[111] = XK_F12;
  t[113] = {XK_F15, XK_Pause};
  t[114] = {XK_Help, XK_Insert};  // Help sits where a PC has Insert
  t[115] = XK_Home;
  t[116] = XK_Prior;
  t[117] = XK_Delete;  // forward delete
  t[118] = XK_F4;
  t[119] = XK_End;
  t[120] = XK_F2;
  t[121] = XK_Next;
  t[122] = XK_F1;
  t[123] = XK_Left;
  t[124] = XK_Right;
  t[125] = XK_Down;
  t[126] = XK_Up;
  return t;
}

constexpr std::array<MacKey, kCodes> kTable = MakeTable();

// The one connection for key state, opened at the first question and closed by the finalisers.
struct Connection {
  Display* display = nullptr;
  bool failed = false;  // tried once and there was no display: do not try at every key

  Display* Get() {
    if (display || failed) return display;
    display = XOpenDisplay(nullptr);
    if (!display) {
      failed = true;
      const char* name = XDisplayName(nullptr);
      if (name && *name)
        std::fprintf(stderr, "brindlex: no key state: cannot open X display \"%s\"\n", name);
      else
        std::fprintf(stderr, "brindlex: no key state: DISPLAY is not set\n");
      return nullptr;
    }
    RuntimeAddFinalizer([] { TheConnection().Close(); });
    return display;
  }
  void Close() {
    if (display) XCloseDisplay(display);
    display = nullptr;
    failed = false;
  }
  ~Connection() { Close(); }

  static Connection& TheConnection() {
    static Connection connection;
    return connection;
  }
};

// Nobody selects events on this connection, but every client gets MappingNotify: read them, so
// the queue does not grow and a new keyboard mapping is seen. Only those already read with a
// reply are taken: looking on the socket for more would cost a system call or two per key.
void TakeMappingChanges(Display* display) {
  while (XEventsQueued(display, QueuedAlready) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
  }
}

using Slot = ServiceSlot<KeyboardService, XKeyboardService>;

}  // namespace

std::vector<unsigned long> XKeySymsOfMacKeyCode(Integer code) {
  std::vector<unsigned long> syms;
  if (code < 0 || code >= kCodes) return syms;
  for (KeySym sym : kTable[size_t(code)].syms)
    if (sym != NoSymbol) syms.push_back(sym);
  return syms;
}

bool XKeyboardService::AsyncKeyDown(Integer code) {
  if (code < 0 || code >= kCodes) return false;
  const MacKey& key = kTable[size_t(code)];
  if (key.syms[0] == NoSymbol) return false;
  Display* display = Connection::TheConnection().Get();
  if (!display) return false;
  char keys[32];
  XQueryKeymap(display, keys);  // reads, with its reply, the events sent before it
  TakeMappingChanges(display);
  for (KeySym sym : key.syms) {
    if (sym == NoSymbol) continue;
    const KeyCode keycode = XKeysymToKeycode(display, sym);  // 0 when no key has it
    if (keycode != 0 && (keys[keycode / 8] >> (keycode % 8)) & 1) return true;
  }
  return false;
}

KeyboardService& Keyboard() { return Slot::Get(); }

void SetKeyboardService(std::unique_ptr<KeyboardService> service) { Slot::Set(std::move(service)); }

}  // namespace fw
