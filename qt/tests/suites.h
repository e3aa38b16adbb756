#pragma once
// The Qt Test suites of the backend; main runs one by name, or all.
#include <QObject>
#include <QString>

class QWidget;
#include <memory>

namespace tolvex::qt::test {

std::unique_ptr<QObject> NewTextPeersTest();
std::unique_ptr<QObject> NewExpressionControlsTest();
std::unique_ptr<QObject> NewDemoFormTest();
std::unique_ptr<QObject> NewWindowsTest();

// Where the suites write screenshots: $TOLVEX_SCREENSHOT_DIR, or screenshots/ in the build tree.
QString ScreenshotPath(const QString& fileName);
// Saves a picture of `window` with its caption above it, as a desktop shows it.
bool SaveScreenshot(QWidget& window, const QString& fileName);

}  // namespace tolvex::qt::test
