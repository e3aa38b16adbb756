// tolvex_designer_tests [SUITE [Qt Test options]]: runs the named suite, or every suite.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "designer_suites.h"

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
    const struct {
        const char* name;
        std::unique_ptr<QObject> (*make)();
    } suites[] = {{"PluginTest", NewPluginTest}, {"FormTest", NewFormTest}, {"TaskMenuTest", NewTaskMenuTest}};
    const char* only = argc > 1 ? argv[1] : nullptr;
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int i = 2; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    int failed = 0;
    bool found = false;
    for (const auto& suite : suites) {
        if (only && std::strcmp(only, suite.name) != 0) continue;
        found = true;
        failed += QTest::qExec(suite.make().get(), arguments);
    }
    return found ? failed : 2;
}
