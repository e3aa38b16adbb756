// tolvex_designer_tests [SUITE [Qt Test options]]: runs the named suite, or every suite.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "designer_suites.h"
#include "harness.h"

namespace tolvex::qt::test {

void WhenModalOpens(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return QTest::qVerify(false, "activeModalWidget()", "no modal window opened", __FILE__, __LINE__), void();
        if (Activate(modal)) return answer(modal);
        QTest::qVerify(false, "Activate(modal)", "the modal window could not be activated", __FILE__, __LINE__);
        modal->close();  // never left hanging
    });
}

}  // namespace tolvex::qt::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace tolvex::qt::test;
    const TSuite suites[] = {{"PluginTest", NewPluginTest}, {"FormTest", NewFormTest}, {"TaskMenuTest", NewTaskMenuTest}};
    return RunSuites(argc, argv, suites);
}
