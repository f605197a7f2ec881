#include "platform/Tick.h"

#include <QTest>

#include <atomic>
#include <chrono>

namespace {
std::atomic<quint32> g_fakeTick{0};
quint32 fakeTick()
{
    return g_fakeTick.load();
}
} // namespace

class TestTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { platform::setTickSource(nullptr); }

    void monotonicClockAdvances()
    {
        const quint32 start = platform::GetTickCount();
        QTest::qWait(30);
        const qint32 elapsed = elapsedTicks(platform::GetTickCount(), start);
        QVERIFY2(elapsed >= 25 && elapsed < 5000, qPrintable(QString::number(elapsed)));
    }

    void installedSourceReplacesClock()
    {
        g_fakeTick = 123456;
        platform::setTickSource(&fakeTick);
        QCOMPARE(platform::GetTickCount(), 123456u);
        g_fakeTick = 0xFFFFFFFFu;
        QCOMPARE(platform::GetTickCount(), 0xFFFFFFFFu);

        platform::setTickSource(nullptr);
        const auto steadyMs =
            static_cast<quint32>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
        QVERIFY(qAbs(elapsedTicks(platform::GetTickCount(), steadyMs)) < 1000);
    }

    void elapsedSurvivesWrap()
    {
        QCOMPARE(elapsedTicks(1500, 1000), 500);
        QCOMPARE(elapsedTicks(0x00000100u, 0xFFFFFF00u), 0x200);
        QCOMPARE(elapsedTicks(4999, 0xFFFFFFFFu - 5000 + 1), 9999);
        // Reading the other way round gives a negative span, not a huge one.
        QCOMPARE(elapsedTicks(1000, 1500), -500);
    }
};

QTEST_GUILESS_MAIN(TestTick)
#include "tst_Tick.moc"
