#include "WindowTestSupport.h"

#include <QScrollBar>
#include <QStyleOptionSlider>
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

QPoint scrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

void dragThumb(QScrollBar* bar, int value) {
    bar->setSliderDown(true);
    bar->setSliderPosition(value);
    bar->setSliderDown(false);
}

}  // namespace windowtest
