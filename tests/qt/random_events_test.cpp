// A random run of a user's events over the whole window, with a fixed seed: keys
// (paste keys among them, with the clipboard holding nothing, only an image, or text),
// clicks, double clicks, wheel turns and drags. The window must come through it alive.
// GLYPHEX_RANDOM_EVENTS and GLYPHEX_RANDOM_SEED change the count (3,000) and the seed;
// bench/window_random_events.sh runs 20,000.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTimer>
#include <QWheelEvent>
#include <array>
#include <random>

#include "options/control_ids.h"
#include "qt/preview_widget.h"
#include "scripted_session.h"

namespace {

constexpr std::array kKeys = {
    Qt::Key_A,       Qt::Key_X,      Qt::Key_Z,      Qt::Key_0,        Qt::Key_1,
    Qt::Key_5,       Qt::Key_9,      Qt::Key_Minus,  Qt::Key_Space,    Qt::Key_Tab,
    Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Escape,   Qt::Key_Backspace,
    Qt::Key_Delete,  Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Up,       Qt::Key_Down,
    Qt::Key_Home,    Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_F4,
    Qt::Key_N,       Qt::Key_L,      Qt::Key_S,      Qt::Key_O,        Qt::Key_2,
    Qt::Key_4,       Qt::Key_V,      Qt::Key_C,      Qt::Key_Insert,   Qt::Key_Y,
    Qt::Key_E,
};
constexpr std::array kModifiers = {
    Qt::KeyboardModifiers(),
    Qt::KeyboardModifiers(),
    Qt::KeyboardModifiers(Qt::ShiftModifier),
    Qt::KeyboardModifiers(Qt::ControlModifier),
    Qt::KeyboardModifiers(Qt::AltModifier),
    Qt::ControlModifier | Qt::ShiftModifier,
};

// The offscreen platform cannot grab or raise the popups the run opens, and says so
// each time; the rest of what Qt says goes on to the test log.
QtMessageHandler qtHandler = nullptr;
void DropPlatformLimits(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  qtHandler(type, context, text);
}

class RandomUser {
 public:
  RandomUser(Session& session, unsigned seed) : s_(session), random_(seed) {}

  void Act() {
    const int roll = Pick(100);
    if (roll < 35) {
      Key(kKeys[Pick(kKeys.size())], kModifiers[Pick(kModifiers.size())]);
    } else if (roll < 50) {
      FillClipboard();
      Key(Pick(2) ? Qt::Key_V : Qt::Key_Insert, Pick(2) ? Qt::ControlModifier : Qt::ShiftModifier);
    } else if (roll < 58) {
      FocusSomewhere();
    } else if (roll < 80) {
      Click(false);
    } else if (roll < 86) {
      Click(true);
    } else if (roll < 93) {
      Wheel();
    } else {
      Drag();
    }
  }

 private:
  int Pick(std::size_t n) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(random_);
  }

  QWidget* AnyWidget() {
    const QList<QWidget*> widgets = s_.window.findChildren<QWidget*>();
    for (int tries = 0; tries < 20; ++tries) {
      QWidget* widget = widgets[Pick(widgets.size())];
      if (widget->isVisible() && widget->width() > 0 && widget->height() > 0) return widget;
    }
    return &s_.window;
  }

  QPoint AnyPoint(QWidget* widget) { return {Pick(widget->width()), Pick(widget->height())}; }

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = s_.window.focusWidget();
    QTest::keyClick(target ? target : &s_.window, key, modifiers);
  }

  void FocusSomewhere() {
    QWidget* widget = AnyWidget();
    if (widget->focusPolicy() != Qt::NoFocus) widget->setFocus(Qt::OtherFocusReason);
  }

  void FillClipboard() {
    auto* data = new QMimeData;
    switch (Pick(5)) {
      case 0:  // nothing at all
        break;
      case 1:
        data->setImageData(QImage(3, 3, QImage::Format_ARGB32));
        break;
      case 2:
        data->setText(QString::number(Pick(1000)));
        break;
      case 3:
        data->setText(QStringLiteral("a\x00e4\n-7 \x20ac"));
        break;
      default:
        data->setHtml(QStringLiteral("<b>html only</b>"));
        break;
    }
    QGuiApplication::clipboard()->setMimeData(data);
  }

  void Click(bool twice) {
    QWidget* widget = AnyWidget();
    const QPoint at = AnyPoint(widget);
    const Qt::MouseButton button = Pick(8) == 0 ? Qt::RightButton : Qt::LeftButton;
    if (twice) {
      QTest::mouseDClick(widget, button, {}, at);
    } else {
      QTest::mouseClick(widget, button, {}, at);
    }
  }

  void Wheel() {
    QWidget* widget = AnyWidget();
    const QPointF at = AnyPoint(widget);
    const QPoint delta(0, Pick(2) ? 120 : -120);
    QWheelEvent wheel(at, widget->mapToGlobal(at), {}, delta, Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(widget, &wheel);
  }

  void Drag() {
    QWidget* widget = Pick(2) ? static_cast<QWidget*>(s_.window.Preview()) : AnyWidget();
    QTest::mousePress(widget, Qt::LeftButton, {}, AnyPoint(widget));
    for (int i = 0; i < 3; ++i) QTest::mouseMove(widget, AnyPoint(widget));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, AnyPoint(widget));
  }

  Session& s_;
  std::mt19937 random_;
};

}  // namespace

class RandomEventsTest : public QObject {
  Q_OBJECT

 private slots:
  void windowComesThroughRandomEvents() {
    const int count = qEnvironmentVariableIsSet("GLYPHEX_RANDOM_EVENTS")
                          ? qEnvironmentVariableIntValue("GLYPHEX_RANDOM_EVENTS")
                          : 3000;
    const unsigned seed = qEnvironmentVariableIsSet("GLYPHEX_RANDOM_SEED")
                              ? qEnvironmentVariableIntValue("GLYPHEX_RANDOM_SEED")
                              : 20240615u;
    Session s;
    s.Show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    // Exit would end the run; the rest answers from the scripted prompts.
    s.host.SetEnabled(kIdExit, false);
    // Menus and context menus run loops of their own: they are closed as they appear.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    closer.start(5);

    qtHandler = qInstallMessageHandler(DropPlatformLimits);
    RandomUser user(s, seed);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
      user.Act();
      QCoreApplication::processEvents();
    }
    qInstallMessageHandler(qtHandler);
    qInfo("%d events, seed %u: %lld ms, %zu messages shown", count, seed,
          static_cast<long long>(clock.elapsed()), s.prompts.messages.size());
    QVERIFY(!s.window.endResult());
    QVERIFY(s.window.isVisible());
  }
};

QTEST_MAIN(RandomEventsTest)
#include "random_events_test.moc"
