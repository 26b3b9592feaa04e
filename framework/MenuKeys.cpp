#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

#include "framework/MenuKeysPrivate.h"

namespace fw {

namespace {

// Says no to the menu bar's navigation by a lone Alt; mnemonics do not ask it.
class NoAltNavigationStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// The position of a caption's mnemonic letter (after a single "&"), or -1.
qsizetype MnemonicAt(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i)
    if (caption[i] == u'&') {
      if (caption[i + 1] != u'&') return i + 1;
      ++i;  // "&&" is an ampersand
    }
  return -1;
}

}  // namespace

QStyle* MenuBarStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new NoAltNavigationStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(qApp);  // a widget's style is a guarded pointer: it falls back when this goes
  }
  return style;
}

QStringList MenuTitles(const QStringList& captions) {
  QString taken;
  for (const QString& c : captions)
    if (qsizetype at = MnemonicAt(c); at >= 0) taken += c[at].toUpper();
  QStringList titles;
  for (QString c : captions) {
    if (MnemonicAt(c) < 0)
      for (qsizetype i = 0; i < c.size(); ++i)
        if (c[i].isLetter() && !taken.contains(c[i].toUpper())) {
          taken += c[i].toUpper();
          c.insert(i, u'&');
          break;
        }
    titles << c;
  }
  return titles;
}

}  // namespace fw
