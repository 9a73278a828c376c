#include "app/FontWarmUp.h"

#include <QLibrary>
#include <thread>

namespace FontWarmUp {

namespace {

// Joined at the latest when the program ends, whichever way it leaves main().
struct Loader
{
    std::thread thread;
    ~Loader()
    {
        if (thread.joinable())
            thread.join();
    }
};

std::thread& loader()
{
    static Loader holder;
    return holder.thread;
}

} // namespace

void start()
{
    if (loader().joinable())
        return;
    // Resolved here: the toolkit takes the first thread that makes one of its objects for the main thread.
    // The library is the one the toolkit itself uses; loading it again only takes another reference.
    QLibrary library(QStringLiteral("fontconfig"), 1);
    if (const auto init = reinterpret_cast<int (*)()>(library.resolve("FcInit")))
        loader() = std::thread(init);
}

void wait()
{
    if (loader().joinable())
        loader().join();
}

} // namespace FontWarmUp
