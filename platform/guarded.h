#pragma once
// The application's default error handler. Every handler is wrapped where it is
// connected:
//     connect(button, &QPushButton::clicked, this, guarded([this] { okClick(); }));
// The wrapper runs the handler; a failure of any kind is shown in an error box
// (its message as the engine gave it) and the wrapper returns normally, so no
// exception ever unwinds through Qt's event loop.

#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>

namespace meru::platform {

// Shows the exception being handled in an error box. Call it only inside a catch
// block; it never throws.
void reportException() noexcept;

template <class F>
class Guarded {
public:
    explicit Guarded(F f) : f_(std::move(f)) {}

    // Constrained, so that Qt's connect can drop signal arguments the handler
    // does not take.
    template <class... Args>
        requires std::invocable<F&, Args...>
    void operator()(Args&&... args) noexcept {
        try {
            std::invoke(f_, std::forward<Args>(args)...);
        } catch (...) {
            reportException();
        }
    }

private:
    F f_;
};

template <class F>
auto guarded(F&& f) {
    return Guarded<std::decay_t<F>>(std::forward<F>(f));
}

}  // namespace meru::platform
