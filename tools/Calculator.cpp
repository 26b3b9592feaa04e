// The keyboard calculator and the key display: every key that reaches the window is sorted into
// the first key class it matches, and then shown with its name or character and its codes.
#include <string>
#include <string_view>

#include "framework/Exceptions.h"
#include "framework/Text.h"
#include "shell/Resources.h"
#include "tools/Calipers.h"
#include "window/MainWindow.h"

namespace {

using fw::Integer;

constexpr Integer kEnter = 3;
constexpr Integer kBackspace = 8;
constexpr Integer kReturn = 13;
constexpr Integer kLeftArrow = 28;
constexpr Integer kRightArrow = 29;
constexpr Integer kClearKey = 0xF739;  // the keypad's clear key

// The key display's names; any other key shows its own text.
struct KeyName {
  Integer code;
  const char* name;
};
// clang-format off
constexpr KeyName kKeyNames[] = {
    {3, "Enter"},   {4, "End"},        {8, "delete"},  {9, "Tab"},
    {11, "PageUp"}, {12, "PageDown"},  {13, "Return"}, {28, "←"},
    {29, "→"},      {30, "↑"},         {31, "↓"},      {32, "Space"},
    {127, "Delete→"},
};
// clang-format on

// The operator keys and the signs shown for them.
struct OperatorKey {
  std::string_view key;
  const char* sign;
};
constexpr OperatorKey kOperators[] = {{"+", "+"}, {"-", "-"}, {"*", "×"}, {"/", "÷"}};

// values(0) is the entry; the class keeps three.
std::string& Entry(MainWindow& w) {
  if (w.values.size() < 3) w.values.resize(3);
  return w.values[0];
}

// A missing sound leaves the calculator silent rather than stopping the key.
void PlayIfThere(fw::Ref<fw::Sound> (*sound)()) {
  fw::Ref<fw::Sound> s;
  try {
    s = sound();
  } catch (const fw::NilObjectException&) {
    // no way to the sound's file: silent as well
  }
  if (s) s->Play();
}

void ShowCodes(MainWindow& w, Integer code) {
  w.St(11)->SetText(fw::Str(code));
  w.TF(0)->SetText(fw::Str(code));
  w.TF(1)->SetText(fw::Hex(code));
}

// Enter or Return. False when no operator is pending: the key then ends the handler there.
bool Evaluate(MainWindow& w, Integer code) {
  w.St(10)->SetText(code == kReturn ? "ret" : "enter");
  ShowCodes(w, code);
  if (w.operator_.empty()) return false;
  w.inKeyFinish = true;
  const double v = fw::Val(Entry(w));
  if (w.operator_ == "+")
    w.total = v + w.total;
  else if (w.operator_ == "-")
    w.total = w.total - v;
  else if (w.operator_ == "*")
    w.total = v * w.total;
  else if (w.operator_ == "/")
    w.total = w.total / v;
  w.operator_.clear();
  w.St(1)->SetText("");
  // The accumulator itself keeps one decimal.
  w.total = fw::Round(w.total * 10.0) / 10.0;
  w.Display(fw::DoubleToString(w.total));
  return true;
}

// The key classes, tried in order; the first that matches acts. An action returns False to end
// the handler with False at once.
struct KeyClass {
  bool (*matches)(std::string_view key, Integer code);
  bool (*act)(MainWindow& w, const std::string& key, Integer code);
};

const OperatorKey* OperatorOf(std::string_view key) {
  for (const OperatorKey& op : kOperators)
    if (op.key == key) return &op;
  return nullptr;
}

const KeyClass kKeyClasses[] = {
    // Digit: neither below "0" nor above "9".
    {[](std::string_view key, Integer) {
       return fw::CompareText(key, "0") >= 0 && fw::CompareText(key, "9") <= 0;
     },
     [](MainWindow& w, const std::string& key, Integer) {
       if (!w.inKeyFinish) w.InTenKey(key);
       return true;
     }},
    // Point: at most one in the entry, whether or not a result is shown.
    {[](std::string_view key, Integer) { return key == "."; },
     [](MainWindow& w, const std::string& key, Integer) {
       if (fw::InStr(Entry(w), ".") == 0) w.InTenKey(key);
       return true;
     }},
    // Operator: replaces the pending one; never evaluates.
    {[](std::string_view key, Integer) { return OperatorOf(key) != nullptr; },
     [](MainWindow& w, const std::string& key, Integer) {
       w.operator_ = key;
       w.InOperatorkey(OperatorOf(key)->sign);
       w.inKeyFinish = false;
       return true;
     }},
    {[](std::string_view, Integer code) { return code == kEnter || code == kReturn; },
     [](MainWindow& w, const std::string&, Integer code) { return Evaluate(w, code); }},
    {[](std::string_view, Integer code) { return code == kClearKey; },
     [](MainWindow& w, const std::string&, Integer) {
       w.Clear();
       return true;
     }},
    {[](std::string_view, Integer code) { return code == kBackspace; },
     [](MainWindow& w, const std::string&, Integer) {
       w.Delete();
       return true;
     }},
    {[](std::string_view, Integer code) { return code == kLeftArrow || code == kRightArrow; },
     [](MainWindow& w, const std::string&, Integer code) {
       NudgeCaliper(w, code);
       return true;
     }},
};

}  // namespace

bool MainWindow::Event_KeyDown(std::string key) {
  // The readouts may have painted the key name red.
  St(10)->SetTextColor(0);
  const Integer code = fw::Asc(key);
  for (const KeyClass& c : kKeyClasses) {
    if (!c.matches(key, code)) continue;
    if (!c.act(*this, key, code)) return false;
    break;
  }
  St(10)->SetText(key);
  ShowCodes(*this, code);
  for (const KeyName& n : kKeyNames)
    if (n.code == code) St(10)->SetText(n.name);
  return true;
}

void MainWindow::InTenKey(std::string text) {
  PlayIfThere(&Num);
  std::string& entry = Entry(*this);
  entry += text;
  Display(entry);
}

void MainWindow::Display(std::string text) {
  std::string shown;
  if (text.empty()) {
    shown = "0.0";
  } else if (Integer point = fw::InStr(text, "."); point == 0) {
    shown = text + ".0";
  } else {
    // Cut after the first digit behind the point, never rounded.
    shown = fw::Left(text, point + 1);
  }
  St(0)->SetText(shown);
}

void MainWindow::InOperatorkey(std::string sign) {
  PlayIfThere(&Ent);
  St(1)->SetText(sign);
  St(0)->SetText("0.0");
  // 0.0 is the empty accumulator; the first operand comes from the entry.
  if (total == 0.0) total = fw::Val(Entry(*this));
  Entry(*this).clear();
}

void MainWindow::Clear() {
  PlayIfThere(&Ent);
  St(0)->SetText("0.0");
  St(1)->SetText("");
  Entry(*this).clear();
  values[1].clear();
  operator_.clear();
  total = 0.0;
  inKeyFinish = false;
}

void MainWindow::Delete() {
  std::string& entry = Entry(*this);
  if (entry.empty()) return;
  entry = fw::Left(entry, fw::Len(entry) - 1);
  Display(entry);
}
