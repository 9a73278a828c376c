// The anchors of bench/compare.sh, built from the same Qt as the program. Without arguments, for start-up: a
// bare window with three tabs of a label each, ending the moment it has been exposed and painted, as the
// program does with QOVRUVELA_EXIT_AT_FIRST_PAINT. With --clock, for a window at rest: a bare window with one
// fixed-size label whose text, the time, changes every second, until it is ended.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QWindow>
#include <cstdlib>

namespace {

class ExitAfterExpose final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return false;
    }
};

int runClock()
{
    QWidget window;
    auto* label = new QLabel(&window);
    label->setGeometry(20, 20, 120, 24);
    const auto show = [label] { label->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); };
    show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, label, show);
    tick.start(1000);
    window.resize(500, 400);
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--clock")))
        return runClock();
    QTabWidget window;
    for (const char* name : {"Main", "Calculation", "Settings"})
        window.addTab(new QLabel(QString::fromLatin1(name)), QString::fromLatin1(name));
    window.resize(500, 400);
    ExitAfterExpose exitAfterExpose;
    window.winId();
    window.windowHandle()->installEventFilter(&exitAfterExpose);
    window.show();
    return QApplication::exec();
}
