#include "app/ToolkitWarmUp.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QLibrary>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace ToolkitWarmUp {

namespace {

enum class Next
{
    wait,
    fill,
    stop
};

struct Loader
{
    std::thread thread;
    std::mutex mutex;
    std::condition_variable changed;
    bool configLoaded = false;
    Next next = Next::wait;

    void run(int (*init)())
    {
        init();
        {
            const std::lock_guard lock(mutex);
            configLoaded = true;
        }
        changed.notify_all();
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return next != Next::wait; });
            if (next == Next::stop)
                return;
        }
        // The toolkit keeps both in one table for every thread, under its own lock. A font measured here
        // fills that table's entry for the default font's fallbacks; the font itself is loaded again by
        // the main thread, which has its own cache of loaded fonts.
        QFontDatabase::families();
        QFontMetrics(QGuiApplication::font()).height();
        // The first image read finds and loads the image format plugins, to ask each whether it knows the
        // data; the menu bar reads the icon of its overflow button as it is made. The plugins are shared.
        QBuffer png;
        png.setData(QByteArrayLiteral("\x89PNG\r\n\x1a\n"));
        png.open(QIODevice::ReadOnly);
        QImageReader::imageFormat(&png);
    }

    void go(Next what)
    {
        {
            const std::lock_guard lock(mutex);
            if (next == Next::wait)
                next = what;
        }
        changed.notify_all();
    }

    // Joined at the latest when the program ends, whichever way it leaves main().
    ~Loader()
    {
        go(Next::stop);
        if (thread.joinable())
            thread.join();
    }
};

Loader& loader()
{
    static Loader holder;
    return holder;
}

} // namespace

void start()
{
    Loader& l = loader();
    if (l.thread.joinable())
        return;
    // Resolved here: the toolkit takes the first thread that makes one of its objects for the main thread.
    // The library is the one the toolkit itself uses; loading it again only takes another reference.
    QLibrary library(QStringLiteral("fontconfig"), 1);
    if (const auto init = reinterpret_cast<int (*)()>(library.resolve("FcInit")))
        l.thread = std::thread([&l, init] { l.run(init); });
}

void toolkitMade()
{
    loader().go(Next::fill);
}

void wait()
{
    Loader& l = loader();
    if (!l.thread.joinable())
        return;
    std::unique_lock lock(l.mutex);
    l.changed.wait(lock, [&l] { return l.configLoaded; });
}

void finish()
{
    Loader& l = loader();
    l.go(Next::stop);
    if (l.thread.joinable())
        l.thread.join();
}

} // namespace ToolkitWarmUp
