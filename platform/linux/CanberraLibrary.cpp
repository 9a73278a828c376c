#include "platform/linux/CanberraLibrary.h"

#include <QLibrary>

namespace {

struct Loaded
{
    CanberraLibrary functions;
    bool ok = false;
    QString error;
};

template <typename Function> bool resolve(QLibrary& library, const char* name, Function* into, QString* missing)
{
    *into = reinterpret_cast<Function>(library.resolve(name));
    if (!*into && missing->isEmpty())
        *missing = QString::fromLatin1(name);
    return *into != nullptr;
}

Loaded load()
{
    Loaded loaded;
    // Never unloaded: sound threads and parked contexts run the library's code until the process ends.
    QLibrary library(QStringLiteral("canberra"), 0);
    if (!library.load()) {
        loaded.error = QStringLiteral("libcanberra cannot be loaded: %1").arg(library.errorString());
        return loaded;
    }
    CanberraLibrary& f = loaded.functions;
    QString missing;
    resolve(library, "ca_strerror", &f.strerror, &missing);
    resolve(library, "ca_context_create", &f.contextCreate, &missing);
    resolve(library, "ca_context_destroy", &f.contextDestroy, &missing);
    resolve(library, "ca_context_set_driver", &f.contextSetDriver, &missing);
    resolve(library, "ca_context_change_props", &f.contextChangeProps, &missing);
    resolve(library, "ca_context_open", &f.contextOpen, &missing);
    resolve(library, "ca_context_play_full", &f.contextPlayFull, &missing);
    resolve(library, "ca_proplist_create", &f.proplistCreate, &missing);
    resolve(library, "ca_proplist_destroy", &f.proplistDestroy, &missing);
    resolve(library, "ca_proplist_sets", &f.proplistSets, &missing);
    loaded.ok = missing.isEmpty();
    if (!loaded.ok)
        loaded.error = QStringLiteral("libcanberra has no function %1").arg(missing);
    return loaded;
}

} // namespace

const CanberraLibrary* CanberraLibrary::get(QString* error)
{
    static const Loaded loaded = load();
    if (!loaded.ok && error)
        *error = loaded.error;
    return loaded.ok ? &loaded.functions : nullptr;
}
