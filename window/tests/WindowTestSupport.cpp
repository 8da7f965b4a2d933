#include "WindowTestSupport.h"

#include <QTest>
#include <QUuid>

#include "errors/modGeneral.h"

namespace windowtest {

QString freshRegistry() {
    errors::gRegistry = QStringLiteral("WindowTest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    return errors::gRegistry;
}

bool showActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

}  // namespace windowtest
