#pragma once
// The Qt Test suites of the backend; main runs one by name, or all.
#include <QObject>
#include <QString>
#include <memory>

class QWidget;

namespace tolvex::qt::test {

std::unique_ptr<QObject> NewTextPeersTest();
std::unique_ptr<QObject> NewExpressionControlsTest();
std::unique_ptr<QObject> NewDemoFormTest();
std::unique_ptr<QObject> NewWindowsTest();
std::unique_ptr<QObject> NewWorkbenchTest();

// The keyboard: every key goes to QApplication::focusWidget() at the moment it is pressed, as
// a real one does, never to a widget the test picked. A test that types while nothing has the
// focus fails.
// Shows and activates a window, as a desktop does with a new one (the offscreen platform does
// not); false when that failed.
bool Activate(QWidget* window);
// Gives `widget` the focus in its activated window; false when that failed.
bool Focus(QWidget* widget);
void Type(const QString& text);
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types `text`, then Return.
void TypeLine(const QString& text);

// Where the suites write screenshots: $TOLVEX_SCREENSHOT_DIR, or screenshots/ in the build tree.
QString ScreenshotPath(const QString& fileName);
// Saves a picture of `window` with its caption above it, as a desktop shows it.
bool SaveScreenshot(QWidget& window, const QString& fileName);

}  // namespace tolvex::qt::test
