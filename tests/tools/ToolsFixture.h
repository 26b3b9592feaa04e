#pragma once
// The window built through the start-up road, with pointer input sent to the window as the
// system would send it: Qt finds the widget under the point, sends it enter and leave events and
// keeps a pressed widget's drags its own.
#define QTEST_QPA_MOUSE_HANDLING
#include "support/AppFixture.h"

#include <QPoint>
#include <QWidget>

#include <string>

#include "framework/Picture.h"
#include "shell/Resources.h"

class ToolsFixture : public AppFixture {
 protected:
  using Integer = fw::Integer;

  QWidget* Content() const { return fw::ContentOf(*window); }
  // Window coordinates of a point inside the control.
  static QPoint InWindow(const fw::Ref<fw::RectControl>& control, QPoint local) {
    return QPoint(int(control->Left()), int(control->Top())) + local;
  }

  static void MoveTo(const fw::Ref<fw::RectControl>& control, QPoint local) {
    QTest::mouseMove(WidgetOf(control), local);
  }
  // Moves the pointer to a place in window coordinates.
  void MoveToWindow(QPoint at) const { QTest::mouseMove(Content(), at); }

  static void Click(const fw::Ref<fw::RectControl>& control, QPoint local = QPoint(6, 6)) {
    QTest::mouseClick(WidgetOf(control), Qt::LeftButton, {}, local);
  }
  void SwitchTo(Integer corner) { Click(window->BCV(corner)); }

  // Presses on the caliper at a point of its own, moves the pointer by (dx, dy) and lets go.
  void Drag(const fw::Ref<fw::Canvas>& caliper, QPoint press, int dx, int dy) const {
    const QPoint from = InWindow(caliper, press);
    QTest::mousePress(Content(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Content(), from + QPoint(dx, dy));
    QTest::mouseRelease(Content(), Qt::LeftButton, {}, from + QPoint(dx, dy));
  }
  // Drags the caliper so that its travelling coordinate would become `to` without limits.
  void DragTo(Integer caliper, Integer to) const {
    fw::Ref<fw::Canvas> c = window->NogisCV(caliper);
    const bool horizontal = caliper == 0 || caliper == 2;
    // A point on the caliper's body, clear of its label box in every corner mode.
    const QPoint press = horizontal ? QPoint(10, 20) : QPoint(6, 25);
    const Integer from = horizontal ? c->Left() : c->Top();
    const int delta = int(to - from);
    Drag(c, press, horizontal ? delta : 0, horizontal ? 0 : delta);
  }

  std::string Reading(Integer caliper) const { return window->St(caliper + 2)->Value(); }
  Integer Position(Integer caliper) const {
    fw::Ref<fw::Canvas> c = window->NogisCV(caliper);
    return caliper == 0 || caliper == 2 ? c->Left() : c->Top();
  }
  // Which calipers show, as a four-letter text: "1001" for NogisCV(0) and NogisCV(3).
  std::string Shown() const {
    std::string s;
    for (Integer i = 0; i < 4; ++i) s += window->NogisCV(i)->Visible() ? '1' : '0';
    return s;
  }
};
