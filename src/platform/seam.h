#pragma once

#include <functional>
#include <utility>

namespace platform {

// A runtime service a test can stand in for: the real service runs while no handler is
// set. `Tag` gives each service a handler of its own.
template <typename Tag, typename Signature> class Seam {
public:
    using Handler = std::function<Signature>;

    // Puts `handler` in place of the real service; an empty handler restores it.
    static void replace(Handler handler) { slot() = std::move(handler); }
    static bool replaced() { return bool(slot()); }
    template <typename... Args> static decltype(auto) call(Args &&...args) {
        return slot()(std::forward<Args>(args)...);
    }

private:
    static Handler &slot() {
        static Handler handler;
        return handler;
    }
};

} // namespace platform
