#pragma once
// The designer plugin's Qt Test suites, and what they share.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "suites.h"  // the keyboard

class QIODevice;
class QWidget;

namespace tolvex::qt::test {

std::unique_ptr<QObject> NewPluginTest();
std::unique_ptr<QObject> NewFormTest();
std::unique_ptr<QObject> NewTaskMenuTest();

// The form `device` holds, loaded with QUiLoader and the built plugin; null when it failed.
std::unique_ptr<QWidget> LoadForm(QIODevice& device);
// Fails the test unless `form` has what the test form file gives its widgets.
void CheckFormProperties(QWidget& form);

// Runs `answer` on the next modal window that opens, activated; a window that cannot be
// activated fails the test and is closed.
void WhenModalOpens(std::function<void(QWidget*)> answer);

}  // namespace tolvex::qt::test
