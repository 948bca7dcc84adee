// The window under a few thousand seeded random actions (monkey.h says which
// and what each Compute must show) on the offscreen platform.
#include "monkey.h"
#include "ui/look.h"
#include "ui/media/background_music.h"

#include <memory>

using namespace rampwall;

class MonkeyTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<WindowMonkey> m_monkey;

private slots:
    void initTestCase() {
        applyLook(*qApp);
        // The tune is tested with the media; here it would only start a sound
        // pipeline for every window.
        BackgroundMusic::setSwitchedOff(true);
    }

    void init() {
        m_form = std::make_unique<Form1>();
        m_monkey = std::make_unique<WindowMonkey>(*m_form);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() {
        m_form.reset();
        m_monkey.reset();
    }

    void randomActionsKeepTheWindowConsistent_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("actions");
        QTest::newRow("seed 1") << 1U << 1500;
        QTest::newRow("seed 2") << 2U << 1500;
        QTest::newRow("seed 20240601") << 20240601U << 1500;
    }

    void randomActionsKeepTheWindowConsistent() {
        QFETCH(unsigned, seed);
        QFETCH(int, actions);
        TextSource source(seed);
        for (int step = 0; step < actions; ++step) {
            m_monkey->act(source, step);
            if (QTest::currentTestFailed()) {
                return;
            }
        }
        m_monkey->finish();
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
