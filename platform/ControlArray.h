#pragma once
// A control array: elements addressed by index from 1. Element 1 exists
// from the form's design; Load(i) adds element i as a copy of element 1's
// current state, hidden. Handlers set on the array serve every element and
// receive its index first. A few arrays of the screens start at element 0
// (`ControlArray<T> keys{container, 0}`); their design element is then 0.
#include "platform/Control.h"

#include <QPointer>
#include <map>
#include <stdexcept>

namespace platform {

class ControlArrayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class T> class ControlArray {
public:
    explicit ControlArray(QWidget *container, int first = 1) : first_(first) { wire(new T(container), first); }
    ControlArray(const ControlArray &) = delete;
    ControlArray &operator=(const ControlArray &) = delete;

    // Element `index`; a missing element is an error, as in the runtime.
    T *operator()(int index) const
    {
        auto it = elements_.find(index);
        if (it == elements_.end() || !it->second)
            throw ControlArrayError("Control array element " + std::to_string(index) + " doesn't exist");
        return it->second;
    }
    bool exists(int index) const
    {
        auto it = elements_.find(index);
        return it != elements_.end() && it->second;
    }
    int UBound() const
    {
        for (auto it = elements_.rbegin(); it != elements_.rend(); ++it)
            if (it->second)
                return it->first;
        return 0;
    }

    T *Load(int index)
    {
        if (exists(index))
            throw ControlArrayError("Object already loaded: element " + std::to_string(index));
        T *first = (*this)(first_);
        auto *element = new T(first->widget()->parentWidget());
        static_cast<Control *>(element)->copyFrom(*first);
        element->setVisibleState(false);
        wire(element, index);
        return element;
    }
    void Unload(int index)
    {
        if (index == first_)
            throw ControlArrayError("Element " + std::to_string(first_) + " of a control array cannot be unloaded");
        (*this)(index)->unloadLater();
        elements_.erase(index);
    }

    std::function<void(int Index, int Button, int Shift, int X, int Y)> MouseDown, MouseUp, MouseMove;
    std::function<void(int Index)> Click, DblClick, GotFocus, LostFocus, Change;
    std::function<void(int Index, KeyArgs &)> KeyDown;
    std::function<void(int Index, KeyPressArgs &)> KeyPress;

private:
    int first_;
    std::map<int, QPointer<T>> elements_;

    void wire(T *e, int index)
    {
        e->index_ = index;
        elements_[index] = e;
        auto mouse = [this, index](auto ControlArray::*h) {
            return [this, index, h](int b, int s, int x, int y) {
                if (this->*h)
                    (this->*h)(index, b, s, x, y);
            };
        };
        auto plain = [this, index](auto ControlArray::*h) {
            return [this, index, h] {
                if (this->*h)
                    (this->*h)(index);
            };
        };
        e->MouseDown = mouse(&ControlArray::MouseDown);
        e->MouseUp = mouse(&ControlArray::MouseUp);
        e->MouseMove = mouse(&ControlArray::MouseMove);
        e->Click = plain(&ControlArray::Click);
        e->DblClick = plain(&ControlArray::DblClick);
        e->GotFocus = plain(&ControlArray::GotFocus);
        e->LostFocus = plain(&ControlArray::LostFocus);
        e->Change = plain(&ControlArray::Change);
        e->KeyDown = [this, index](KeyArgs &k) {
            if (KeyDown)
                KeyDown(index, k);
        };
        e->KeyPress = [this, index](KeyPressArgs &k) {
            if (KeyPress)
                KeyPress(index, k);
        };
    }
};

} // namespace platform
