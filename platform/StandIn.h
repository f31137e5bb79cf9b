#pragma once

#include <utility>

namespace platform {

// The base of a service the program has its own of, which a stand-in (a
// test's fixed clock or failing disk) may replace: the stand-in derives from
// the service, installs itself when made and puts back, when it goes, the one
// it replaced, so stand-ins nest.
template <class Service> class Replaceable {
protected:
    // The stand-in in use, else the program's own.
    static Service& inUseOr(Service& own) { return s_inUse ? *s_inUse : own; }
    // Puts a stand-in in use, null the program's own, and returns the one it
    // replaces.
    static Service* install(Service* service) { return std::exchange(s_inUse, service); }

private:
    static inline Service* s_inUse = nullptr;
};

} // namespace platform
