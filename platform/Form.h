#pragma once
// A form: a page on the stage (the program's one 640 x 480 window) or,
// for hint windows, an overlay placed over the pages. Left, Top, Width and
// Height of a form are in twips, the unit the screens compute them in
// (pixels times Screen::TwipsPerPixelX); everything inside it measures in
// pixels.
#include "platform/Canvas.h"
#include "platform/Events.h"
#include "platform/Stage.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

class Control;

class Form : public Canvas {
    Q_OBJECT
public:
    enum class Kind { Page, Overlay };
    explicit Form(Kind kind = Kind::Page);
    ~Form() override;

    // Runs Form_Load once; Show loads first when needed.
    void Load();
    // Loads, puts the form in front and runs Form_Activate (on every Show,
    // overlays included: they are never activated otherwise).
    void Show();
    void Hide();
    // Runs Form_Unload (which may cancel), hides the form and unloads its
    // run-time array elements. isLoaded() turns false at once, so code that
    // waited with events can tell; the default instance then makes a new
    // form on next use and deletes this one.
    void Unload();
    void ZOrder(int position = 0);

    bool isLoaded() const { return loaded_; }
    // Unloaded and waiting to be deleted: its default instance makes a new one.
    bool isUnloaded() const { return unloaded_; }
    bool isTearingDown() const { return tearingDown_; }

    // While a form is busy (a wait that handles events is running inside
    // its code) it ignores the mouse and the keys of its picture boxes, so
    // no click can start another handler or unload the form under the
    // running one; what is typed into a text box still goes in.
    class Busy {
    public:
        explicit Busy(Form *f);
        ~Busy();
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;
    private:
        QPointer<Form> form_;
    };
    bool acceptsInput() const { return acceptsTyping() && busy_ == 0; }
    bool acceptsTyping() const { return loaded_ && isEnabled(); }

    // Every control of the form, in creation order (array elements too).
    const std::vector<Control *> &Controls() const { return controls_; }

    // Where the page put the keyboard focus when it was last shown (its
    // Form_Activate), while that control is there.
    QWidget *activationFocus() const { return activationFocus_; }

    QString caption() const { return caption_; }
    void setCaption(QString v);
    platform::Picture icon() const { return icon_; }
    void setIcon(platform::Picture v);
    int leftTwips() const;
    void setLeftTwips(int v);
    int topTwips() const;
    void setTopTwips(int v);
    int widthTwips() const;
    void setWidthTwips(int v);
    int heightTwips() const;
    void setHeightTwips(int v);
    bool formEnabled() const { return isEnabled(); }
    void setFormEnabled(bool v) { setEnabled(v); }
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int v);
    platform::Picture mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(platform::Picture v);
    // Window shape: only the region's pixels show and take the mouse.
    void setWindowRegion(const QRegion &region);

    LK_PROP(Form, QString, Caption, caption, setCaption);
    LK_PROP(Form, platform::Picture, Icon, icon, setIcon);
    LK_PROP(Form, int, Left, leftTwips, setLeftTwips);
    LK_PROP(Form, int, Top, topTwips, setTopTwips);
    LK_PROP(Form, int, Width, widthTwips, setWidthTwips);
    LK_PROP(Form, int, Height, heightTwips, setHeightTwips);
    LK_PROP(Form, bool, Enabled, formEnabled, setFormEnabled);
    LK_PROP(Form, int, MousePointer, mousePointer, setMousePointer);
    LK_PROP(Form, platform::Picture, MouseIcon, mouseIcon, setMouseIcon);
    LK_PROP(Form, QColor, BackColor, canvasBackColor, setCanvasBackColor);
    LK_PROP(Form, QColor, ForeColor, canvasForeColor, setCanvasForeColor);
    LK_PROP(Form, QString, FontName, canvasFontName, setCanvasFontName);
    LK_PROP(Form, double, FontSize, canvasFontSize, setCanvasFontSize);
    LK_PROP(Form, bool, FontBold, canvasFontBold, setCanvasFontBold);

    // Tab order of the form's controls (TabIndex, then creation order).
    bool moveFocus(bool forward);

    void registerControl(Control *c);
    void unregisterControl(Control *c);

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload(int &Cancel) { (void)Cancel; }
    virtual void Form_MouseDown(int Button, int Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_MouseUp(int Button, int Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_MouseMove(int Button, int Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}

    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    Kind kind_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool tearingDown_ = false;
    bool pressed_ = false;
    int busy_ = 0;
    QString caption_;
    platform::Picture icon_;
    int mousePointer_ = vbDefault;
    platform::Picture mouseIcon_;
    QPoint screenPos_;
    QPointer<QWidget> activationFocus_;
    std::vector<Control *> controls_;
    void placeOverlay();
    QPoint screenPosition() const;
    void showOnStage();
};

// A form's default instance: made on first use, made afresh after Unload.
template <class F> class DefaultInstance {
public:
    F *get()
    {
        if (form_ && form_->isUnloaded()) {
            form_->deleteLater(); // code of the old form may still be running
            form_ = nullptr;
        }
        if (!form_)
            form_ = new F();
        return form_;
    }
    F *operator->() { return get(); }
    // The instance if there is a live one, without making it.
    F *existing() const { return form_ && !form_->isUnloaded() ? form_.data() : nullptr; }

private:
    QPointer<F> form_;
};

} // namespace platform
