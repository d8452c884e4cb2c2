#pragma once
// A static that holds Qt objects (sounds, cursors, translators, pictures
// drawn on, a temporary file) is made on the heap and is never destroyed
// by exit().
//
// Qt's X platform ends the program with exit() when the X server goes away
// (a logout, a desktop that crashed, a remote display that dropped). The
// application, its windows and Qt's threads are still there then, while
// exit() runs the destructors of statics, Qt's own among them, in the
// reverse order of their making: ours, destroyed after Qt's, tore Qt
// objects down into parts of Qt already gone (the sounds into Qt's sample
// cache), and the program died of a corrupted heap instead of ending. What
// must go while Qt is whole goes with the application object
// (qAddPostRoutine), whose destructor exit() never reaches; the rest goes
// with the process.
#include <type_traits>
#include <utility>

namespace platform {

template <class T>
class KeptForTheRun {
public:
    template <class... Args>
    explicit KeptForTheRun(Args &&...args) : object_(new T(std::forward<Args>(args)...))
    {
    }
    KeptForTheRun(const KeptForTheRun &) = delete;
    KeptForTheRun &operator=(const KeptForTheRun &) = delete;

    T &operator*() const { return *object_; }
    T *operator->() const { return object_; }

private:
    T *object_;
};

// exit() finds nothing of it to destroy.
static_assert(std::is_trivially_destructible_v<KeptForTheRun<int>>);

} // namespace platform
