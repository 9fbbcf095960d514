#include <QApplication>
#include <QPainter>
#include <QtTest>

#include "counters.h"
#include "tabpainter.h"

using namespace zerda;

namespace {

// Pixels of the counter colour in the upper right quarter of the first tab.
int counterPixels(const QString& caption, QTabWidget::TabPosition position = QTabWidget::North) {
    TsPageControl tabs;
    tabs.setTabPosition(position);
    tabs.setStyleSheet(QStringLiteral("QTabBar::tab { width: 120px; height: 45px; }"));
    tabs.addTab(new QWidget, caption);
    tabs.addTab(new QWidget, QStringLiteral("Diğer"));
    tabs.resize(400, 200);
    tabs.painter()->setLabelColour(Qt::black);
    tabs.show();
    if (!QTest::qWaitForWindowExposed(&tabs))
        return -1;
    QImage image(tabs.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    tabs.render(&image);
    if (qEnvironmentVariableIsSet("ZERDA_SAVE_RENDER"))
        image.save(QStringLiteral("/tmp/tabs.png"));
    const QRect tab = tabs.tabBar()->tabRect(0).translated(tabs.tabBar()->pos());
    int found = 0;
    for (int y = tab.top(); y < tab.center().y(); ++y)
        for (int x = tab.center().x(); x <= tab.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - 30) < 40 && std::abs(c.green() - 180) < 40 &&
                std::abs(c.blue() - 223) < 40)
                ++found;
        }
    return found;
}

}  // namespace

class TestCounters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsTakenApart_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("label");
        QTest::newRow("count") << "12=Sepet" << 12 << "Sepet";
        QTest::newRow("zero") << "0=Sepet" << 0 << "Sepet";
        QTest::newRow("plain") << "Sanal Pos" << 0 << "Sanal Pos";
        QTest::newRow("no number") << "a=b" << 0 << "b";
        QTest::newRow("two signs") << "3=a=b" << 3 << "a=b";
        QTest::newRow("long label")
            << "5=" + QString(120, QLatin1Char('x')) << 5 << QString(100, QLatin1Char('x'));
    }
    void captionsTakenApart() {
        QFETCH(QString, caption);
        QFETCH(int, count);
        QFETCH(QString, label);
        const TSonuc r = BaslikAyir(caption);
        QCOMPARE(r.sayi, count);
        QCOMPARE(r.baslik, label);
    }

    void counterCaptions() {
        QCOMPARE(sayacBasligi(12, QStringLiteral("Sepet")), QStringLiteral("12=Sepet"));
        QCOMPARE(sayacBasligi(3.0, QStringLiteral("Bakiyeler")), QStringLiteral("3=Bakiyeler"));
    }

    void countIsPaintedOnlyAboveZero() {
        QVERIFY(counterPixels(QStringLiteral("12=Sepet")) > 5);
        QCOMPARE(counterPixels(QStringLiteral("0=Sepet")), 0);
        QCOMPARE(counterPixels(QStringLiteral("Sanal Pos")), 0);
        QCOMPARE(counterPixels(QStringLiteral("12=Sepet"), QTabWidget::West), 0);
    }

    void labelNotCaptionIsPainted() {
        // The label's text is what is drawn: "12=Sepet" and "Sepet" without a count look alike
        // apart from the count.
        TsPageControl a, b;
        for (TsPageControl* t : {&a, &b}) {
            t->setStyleSheet(QStringLiteral("QTabBar::tab { width: 120px; height: 45px; }"));
            t->resize(300, 120);
            t->show();
        }
        a.addTab(new QWidget, QStringLiteral("0=Sepet"));
        b.addTab(new QWidget, QStringLiteral("Sepet"));
        QVERIFY(QTest::qWaitForWindowExposed(&a) && QTest::qWaitForWindowExposed(&b));
        QImage ia(a.size(), QImage::Format_ARGB32), ib(b.size(), QImage::Format_ARGB32);
        ia.fill(Qt::white);
        ib.fill(Qt::white);
        a.render(&ia);
        b.render(&ib);
        QCOMPARE(ia, ib);
    }
};

QTEST_MAIN(TestCounters)
#include "tst_counters.moc"
