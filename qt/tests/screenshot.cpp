#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>

#include "suites.h"

namespace tolvex::qt::test {

QString ScreenshotPath(const QString& fileName) {
    const QString dir = qEnvironmentVariable("TOLVEX_SCREENSHOT_DIR", QStringLiteral(TOLVEX_SCREENSHOT_DIR));
    QDir().mkpath(dir);
    return QDir(dir).filePath(fileName);
}

bool SaveScreenshot(QWidget& window, const QString& fileName) {
    // The offscreen platform draws no window frame, so the caption is painted above the window.
    const QPixmap content = window.grab();
    const int bar = 24;
    QPixmap shot(content.width(), content.height() + bar);
    shot.fill(QColor(0x3c, 0x4a, 0x5e));
    QPainter painter(&shot);
    painter.setPen(Qt::white);
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 0, content.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawPixmap(0, bar, content);
    painter.end();
    return shot.save(ScreenshotPath(fileName));
}

}  // namespace tolvex::qt::test
