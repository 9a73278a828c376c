// libcanberra, loaded the first time a sound plays rather than when the program starts: the library and
// the codec libraries it brings in lengthen every start by a few milliseconds, while most runs play nothing.
#pragma once

#include <QString>
#include <canberra.h>

struct CanberraLibrary
{
    decltype(&ca_strerror) strerror = nullptr;
    decltype(&ca_context_create) contextCreate = nullptr;
    decltype(&ca_context_destroy) contextDestroy = nullptr;
    decltype(&ca_context_set_driver) contextSetDriver = nullptr;
    decltype(&ca_context_change_props) contextChangeProps = nullptr;
    decltype(&ca_context_open) contextOpen = nullptr;
    decltype(&ca_context_play_full) contextPlayFull = nullptr;
    decltype(&ca_proplist_create) proplistCreate = nullptr;
    decltype(&ca_proplist_destroy) proplistDestroy = nullptr;
    decltype(&ca_proplist_sets) proplistSets = nullptr;

    /// The library, loaded once and kept for the process's life; null when it cannot be loaded, with the
    /// reason in `error`.
    static const CanberraLibrary* get(QString* error);
};
