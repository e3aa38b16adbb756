#include "tolvex/qt/qtapplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "tolvex/framework/application.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

void ShowExceptionsInMessageBoxes(QWidget* parent) {
    QPointer<QWidget> over(parent);
    Application().SetExceptionHandler([over](const Exception& e) {
        QWidget* window = over ? over.data() : QApplication::activeWindow();
        QMessageBox::critical(window, QApplication::applicationDisplayName(), ToQString(e.Message()));
    });
}

}  // namespace tolvex::qt
