#pragma once
// What every control of a form shares: position and size in the form's
// pixels, visibility, Tag, font, colours, mouse pointer, tab order, focus,
// and the event handlers (plain callables, set by the form that owns it).
#include "platform/Events.h"
#include "platform/Picture.h"
#include "platform/Property.h"

#include <QColor>
#include <QFont>
#include <QVariant>

class QWidget;
class QEvent;

namespace platform {

class Form;

class Control {
public:
    virtual ~Control();

    // Element number inside a control array; 0 for a single control.
    int Index() const { return index_; }
    Form *form() const;
    QWidget *widget() const { return widget_; }

    int getLeft() const;
    void setLeft(int v);
    int getTop() const;
    void setTop(int v);
    int getWidth() const;
    void setWidth(int v);
    int getHeight() const;
    void setHeight(int v);
    bool visible() const;
    void setVisibleState(bool v);
    bool enabled() const;
    void setEnabledState(bool v);
    QString tag() const { return tag_; }
    void setTag(QString v) { tag_ = std::move(v); }
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int v) { tabIndex_ = v; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool v) { tabStop_ = v; }
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int v);
    Picture mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(Picture v);
    QString fontName() const { return fontName_; }
    void setFontName(QString v);
    double fontSize() const;
    void setFontSize(double v);
    bool fontBold() const { return fontBold_; }
    void setFontBold(bool v);
    QColor foreColor() const { return foreColor_; }
    void setForeColor(QColor v);
    QColor backColor() const { return backColor_; }
    void setBackColor(QColor v);

    LK_PROP(Control, int, Left, getLeft, setLeft);
    LK_PROP(Control, int, Top, getTop, setTop);
    LK_PROP(Control, int, Width, getWidth, setWidth);
    LK_PROP(Control, int, Height, getHeight, setHeight);
    LK_PROP(Control, bool, Visible, visible, setVisibleState);
    LK_PROP(Control, bool, Enabled, enabled, setEnabledState);
    LK_PROP(Control, QString, Tag, tag, setTag);
    LK_PROP(Control, int, TabIndex, tabIndex, setTabIndex);
    LK_PROP(Control, bool, TabStop, tabStop, setTabStop);
    LK_PROP(Control, int, MousePointer, mousePointer, setMousePointer);
    LK_PROP(Control, Picture, MouseIcon, mouseIcon, setMouseIcon);
    LK_PROP(Control, QString, FontName, fontName, setFontName);
    LK_PROP(Control, double, FontSize, fontSize, setFontSize);
    LK_PROP(Control, bool, FontBold, fontBold, setFontBold);
    LK_PROP(Control, QColor, ForeColor, foreColor, setForeColor);
    LK_PROP(Control, QColor, BackColor, backColor, setBackColor);

    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    void SetFocus();
    // 0 brings the control to the front of its layer, 1 sends it back.
    // Labels and images always stay below text boxes and picture boxes.
    void ZOrder(int position = 0);
    void Refresh();
    // Hidden and out of its form now, deleted once the event being handled
    // is over: a control may be unloaded from inside its own event.
    void unloadLater();

    // A dialog takes the mouse, and the release of a press under way will
    // not reach its control: that control has its MouseUp now, no Click.
    static void endPress();
    // A press reached no control (dropped during a wait, taken by a dialog
    // or by a busy form): Qt makes a double click of it and the next press,
    // which is then a press of its own.
    static void pressLost() { pressLost_ = true; }

    MouseHandler MouseDown, MouseUp, MouseMove;
    PlainHandler Click, DblClick, GotFocus, LostFocus, Change;
    KeyDownHandler KeyDown;
    KeyPressHandler KeyPress;

protected:
    Control(QWidget *self, bool windowless);
    // Takes the state of `first` (array loading).
    virtual void copyFrom(const Control &first);
    // The font or colours changed: show them.
    virtual void applyLook() {}
    QFont controlFont() const;

    // Runs the handlers for a Qt event; false when the form ignores input
    // (busy or disabled) or the event is none of ours.
    bool dispatchMouse(QMouseEvent *e);
    // KeyDown, then KeyPress. Returns false when the key is dropped;
    // `replacement` receives a character changed by KeyPress. Keys typed
    // into a text box (`typing`) are taken while the form is busy.
    bool dispatchKey(QKeyEvent *e, QString *replacement, bool typing = false);
    void dispatchFocus(bool in);
    bool acceptsInput(bool typing = false) const;
    void stackWindowless();

private:
    template <class T> friend class ControlArray;
    QWidget *widget_;
    bool windowless_;
    int index_ = 0;
    QString tag_;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    int mousePointer_ = vbDefault;
    Picture mouseIcon_;
    QString fontName_;
    int fontPixels_ = 16;
    bool fontBold_ = false;
    QColor foreColor_{0, 0, 0};
    QColor backColor_{255, 255, 255};
    bool pressed_ = false;
    int pressedButton_ = 0;
    static Control *holdingPress_;
    static bool pressLost_;
};

} // namespace platform
