// The start-up anchor of bench/compare.sh: a bare Qt window with three tabs of a label each, built from the
// same Qt as the program, ending the moment it has been exposed and painted, as the program does with
// QOVRUVELA_EXIT_AT_FIRST_PAINT.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTabWidget>
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

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
