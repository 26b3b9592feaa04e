#pragma once
// The keyboard's way into a window's menus: a lone Alt does not lead there, Alt and a letter do.
#include <QStringList>
#include <QStyle>

namespace fw {

// The style of a menu bar that Alt (or Super) pressed and released alone does not take the
// keyboard into: keys stay the window's. The captions' mnemonics (Alt+F) still open their menus.
QStyle* MenuBarStyle();

// The menus' titles as shown: a caption without a mnemonic gets its first letter that no other
// menu's mnemonic takes, as desktops do, so that Alt and that letter open every menu.
QStringList MenuTitles(const QStringList& captions);

}  // namespace fw
