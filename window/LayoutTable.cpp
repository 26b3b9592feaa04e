#include "window/LayoutTable.h"

#include <string>

namespace layout {

namespace {

using K = Kind;

const Place kWindow{};
const Place kButtonGB{"ButtonGB"};
// A timer has no place and no tab.
constexpr fw::Integer kBlank = 0;

}  // namespace

const std::vector<Instance>& Instances() {
  // clang-format off
  static const std::vector<Instance> rows = {
  // #   instance          index     class              parent               left   top  width height tab  text      differs
  {  1, "ButtonGB",           kNoIndex, K::GroupBox,       kWindow,              60,  714,  220,  220,   4, nullptr,  {}},
  {  2, "BCV",                2,        K::Canvas,         kButtonGB,           137,  821,   12,   12,   0, nullptr,  {}},
  {  3, "BCV",                3,        K::Canvas,         kButtonGB,           125,  821,   12,   12,   1, nullptr,  {}},
  {  4, "BCV",                0,        K::Canvas,         kButtonGB,           113,  821,   12,   12,   2, nullptr,  {}},
  {  5, "TransPearentSlider", kNoIndex, K::Slider,         kButtonGB,            67,  819,   40,   22,   3, nullptr,  {}},
  {  6, "RRectangle",         0,        K::RoundRectangle, kButtonGB,            66,  835,  100,   18,   4, nullptr,  {}},
  {  7, "St",                 1,        K::Label,          {"RRectangle", 0},    70,  833,   16,   18,   0, "",       {{"FontSize", 16}, {"TextAlignment", 0}}},
  {  8, "St",                 0,        K::Label,          {"RRectangle", 0},    83,  835,   70,   14,   1, "0.0",    {{"FontSize", 12}, {"TextAlignment", 3}}},
  {  9, "RRectangle",         5,        K::RoundRectangle, kButtonGB,            78,  777,   40,   18,   5, nullptr,  {}},
  { 10, "St",                 6,        K::Label,          {"RRectangle", 5},    79,  779,   14,   14,   0, "X:",     {}},
  { 11, "St",                 7,        K::Label,          {"RRectangle", 5},    90,  779,   25,   14,   1, "0.0",    {}},
  { 12, "RRectangle",         6,        K::RoundRectangle, kButtonGB,           118,  777,   40,   18,   6, nullptr,  {}},
  { 13, "St",                 8,        K::Label,          {"RRectangle", 6},   119,  780,   14,   14,   0, "Y:",     {}},
  { 14, "RRectangle",         7,        K::RoundRectangle, kButtonGB,            73,  853,   94,   18,   7, nullptr,  {}},
  { 15, "St",                 10,       K::Label,          {"RRectangle", 7},    75,  854,   33,   14,   0, "",       {}},
  { 16, "St",                 9,        K::Label,          kButtonGB,           131,  779,   25,   14,   8, "0.0",    {}},
  { 17, "St",                 11,       K::Label,          kButtonGB,           107,  855,   35,   14,   9, "",       {}},
  { 18, "BCV",                1,        K::Canvas,         kButtonGB,           149,  821,   12,   12,  11, nullptr,  {}},
  { 19, "RRectangle",         9,        K::RoundRectangle, kButtonGB,            77,  795,   80,   18,  12, nullptr,  {}},
  { 20, "St",                 13,       K::Label,          {"RRectangle", 9},    78,  797,   30,   14,   0, "Color",  {}},
  { 21, "St",                 14,       K::Label,          kButtonGB,           116,  797,   35,   14,  13, "FFFFFF", {}},
  { 22, "RRectangleI",        0,        K::Rectangle,      kButtonGB,           185,  830,   50,   18,  14, nullptr,  {}},
  { 23, "TF",                 0,        K::TextField,      {"RRectangleI", 0},  186,  833,   48,   14,   0, "00",     {}},
  { 24, "RRectangleI",        1,        K::Rectangle,      kButtonGB,           185,  848,   50,   18,  15, nullptr,  {}},
  { 25, "TF",                 1,        K::TextField,      {"RRectangleI", 1},  186,  852,   48,   14,   0, "FF",     {}},
  { 26, "RRectangleI",        2,        K::Rectangle,      kButtonGB,           185,  865,   50,   18,  16, nullptr,  {}},
  { 27, "TF",                 2,        K::TextField,      {"RRectangleI", 2},  186,  867,   48,   14,   0, "愛",     {}},
  { 28, "RRectangleI",        3,        K::Rectangle,      kButtonGB,           185,  883,   50,   18,  17, nullptr,  {}},
  { 29, "TF",                 3,        K::TextField,      {"RRectangleI", 3},  186,  885,   48,   14,   0, "E6849B", {{"Transparent", false}}},
  { 30, "UpDownA",            0,        K::UpDownArrows,   kButtonGB,           238,  833,   13,   30,  18, nullptr,  {}},
  { 31, "UpDownA",            1,        K::UpDownArrows,   kButtonGB,           237,  869,   13,   30,  19, nullptr,  {}},
  { 32, "TFCB",               0,        K::CheckBox,       kButtonGB,           250,  828,   17,   19,  20, nullptr,  {}},
  { 33, "St",                 12,       K::Label,          kButtonGB,           142,  855,   20,   14,  21, "",       {}},
  { 34, "TFCB",               1,        K::CheckBox,       kButtonGB,           144,  758,   17,   19,  22, nullptr,  {}},
  { 35, "NogisCV",            0,        K::Canvas,         kWindow,             500,  741,   50,  140,   6, nullptr,  {}},
  { 36, "RRectangle",         1,        K::RoundRectangle, {"NogisCV", 0},      505,  833,   40,   18,   0, nullptr,  {}},
  { 37, "St",                 2,        K::Label,          {"NogisCV", 0},      505,  835,   40,   14,   1, "0.0",    {{"LockRight", true}, {"LockBottom", true}}},
  { 38, "NogisCV",            2,        K::Canvas,         kWindow,             500,  100,   50,  140,   8, nullptr,  {{"Visible", false}}},
  { 39, "RRectangle",         3,        K::RoundRectangle, {"NogisCV", 2},      505,  129,   40,   18,   0, nullptr,  {}},
  { 40, "St",                 4,        K::Label,          {"RRectangle", 3},   505,  131,   40,   14,   0, "0.0",    {}},
  { 41, "NogisCV",            3,        K::Canvas,         kWindow,             121,  500,  140,   50,   7, nullptr,  {}},
  { 42, "RRectangle",         4,        K::RoundRectangle, {"NogisCV", 3},      201,  501,   40,   18,   0, nullptr,  {}},
  { 43, "St",                 5,        K::Label,          {"RRectangle", 4},   201,  503,   40,   14,   0, "0.0",    {}},
  { 44, "NogisCV",            1,        K::Canvas,         kWindow,            1139,  500,  140,   50,   9, nullptr,  {{"Visible", false}}},
  { 45, "RRectangle",         2,        K::RoundRectangle, {"NogisCV", 1},     1159,  501,   40,   18,   0, nullptr,  {}},
  { 46, "St",                 3,        K::Label,          {"NogisCV", 1},     1159,  503,   40,   14,   0, "0.0",    {}},
  { 47, "DelayTimer",         kNoIndex, K::Timer,          kWindow,          kBlank, kBlank, kBlank, kBlank, kBlank, nullptr, {{"RunMode", 1}, {"Period", 2000}}},
  { 48, "KeyTimer",           kNoIndex, K::Timer,          kWindow,          kBlank, kBlank, kBlank, kBlank, kBlank, nullptr, {{"RunMode", 0}, {"Period", 100}}},
  };
  // clang-format on
  return rows;
}

const fw::Properties& EveryControl() {
  static const fw::Properties values = {
      {"LockLeft", true}, {"LockTop", true}, {"LockRight", false}, {"LockBottom", false},
      {"Enabled", true},  {"Visible", true},
  };
  return values;
}

const fw::Properties& CommonValues(Kind kind) {
  // clang-format off
  static const fw::Properties groupBox = {
      {"Caption", ""}, {"Transparent", false}};
  // No picture here: the arrow buttons get theirs before their declaration, the calipers later.
  static const fw::Properties canvas = {
      {"Transparent", true}, {"AllowFocus", false}, {"AllowFocusRing", true}};
  static const fw::Properties slider = {
      {"Value", 0}, {"MinimumValue", 0}, {"MaximumValue", 80}, {"LineStep", 1}, {"PageStep", 10},
      {"AllowLiveScrolling", true}, {"TickMarkStyle", 0}, {"Transparent", false}};
  static const fw::Properties roundRectangle = {
      {"FillColor", 0x66CCFE}, {"BorderColor", 0x000000}, {"BorderThickness", 2.0},
      {"CornerWidth", 16.0}, {"CornerHeight", 16.0}, {"Transparent", false}};
  static const fw::Properties rectangle = {
      {"FillColor", 0x66CCFE}, {"TopLeftColor", 0x000000}, {"BottomRightColor", 0x000000},
      {"BorderThickness", 2.0}, {"Transparent", false}};
  static const fw::Properties label = {
      {"FontName", "System"}, {"FontSize", 10}, {"TextAlignment", 2}, {"TextColor", 0x000000},
      {"Multiline", false}, {"Selectable", false}, {"Transparent", false}};
  static const fw::Properties textField = {
      {"Text", ""}, {"Enabled", false}, {"HasBorder", false}, {"BackgroundColor", 0x66CCFE},
      {"TextColor", 0x000000}, {"FontName", "System"}, {"FontSize", 10}, {"TextAlignment", 2},
      {"Transparent", true}, {"AllowFocusRing", true}, {"ReadOnly", false}, {"Password", false},
      {"AllowSpellChecking", false}, {"MaximumCharactersAllowed", 0}, {"ValidationMask", ""},
      {"Format", ""}};
  static const fw::Properties upDownArrows = {
      {"Enabled", false}, {"AllowFocus", false}, {"Transparent", false}};
  static const fw::Properties checkBox = {
      {"Caption", ""}, {"VisualState", 0}, {"Transparent", false}};
  static const fw::Properties timer = {};
  // clang-format on
  switch (kind) {
    case Kind::GroupBox: return groupBox;
    case Kind::Canvas: return canvas;
    case Kind::Slider: return slider;
    case Kind::RoundRectangle: return roundRectangle;
    case Kind::Label: return label;
    case Kind::Rectangle: return rectangle;
    case Kind::TextField: return textField;
    case Kind::UpDownArrows: return upDownArrows;
    case Kind::CheckBox: return checkBox;
    case Kind::Timer: return timer;
  }
  throw fw::InvalidArgumentException("no such kind of instance");
}

fw::Properties Declaration(const Instance& row, const fw::Ref<fw::Object>& parent) {
  fw::Properties p;
  auto append = [&p](const fw::Properties& more) { p.insert(p.end(), more.begin(), more.end()); };
  p.push_back({"Name", std::string(row.name)});
  if (row.kind != Kind::Timer) {
    p.push_back({"Index", row.index});
    if (parent) p.push_back({"Parent", parent});
    append({{"Left", row.left},
            {"Top", row.top},
            {"Width", row.width},
            {"Height", row.height},
            {"TabIndex", row.tab}});
    append(EveryControl());
  }
  append(CommonValues(row.kind));
  if (row.text) p.push_back({row.kind == Kind::Label ? "Text" : "Hint", std::string(row.text)});
  append(row.differs);
  return p;
}

}  // namespace layout
