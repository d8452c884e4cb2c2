#pragma once
// The controls the forms are built from. Each is created inside its form
// or inside a picture box of it, and measures in that container's pixels.
#include "platform/Canvas.h"
#include "platform/Control.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

namespace platform {

// Alignment: 0 left, 1 right, 2 centre.
enum { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
// BackStyle: 0 transparent, 1 opaque.
enum { vbTransparent = 0, vbOpaque = 1 };

// Plain text, top-aligned; windowless, so it lies under text boxes and
// picture boxes. Without AutoSize the text wraps at the label's width.
class Label : public QWidget, public Control {
    Q_OBJECT
public:
    explicit Label(QWidget *container);

    QString caption() const { return caption_; }
    void setCaption(QString v);
    int alignment() const { return alignment_; }
    void setAlignment(int v);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool v);
    int backStyle() const { return backStyle_; }
    void setBackStyle(int v);

    LK_PROP(Label, QString, Caption, caption, setCaption);
    LK_PROP(Label, int, Alignment, alignment, setAlignment);
    LK_PROP(Label, bool, AutoSize, autoSize, setAutoSize);
    LK_PROP(Label, bool, WordWrap, wordWrap, setWordWrap);
    LK_PROP(Label, int, BackStyle, backStyle, setBackStyle);

protected:
    void copyFrom(const Control &first) override;
    void applyLook() override;
    void paintEvent(QPaintEvent *) override;
    bool event(QEvent *e) override;

private:
    QString caption_;
    int alignment_ = vbLeftJustify;
    bool autoSize_ = false, wordWrap_ = false;
    int backStyle_ = vbOpaque;
    // What the label was last painted with.
    struct Look {
        QFont font;
        QColor fore, back;
        int backStyle = -1;
        bool operator==(const Look &) const = default;
    } look_;
    void fitToText();
    int textFlags() const;
};

// A text box, one-line or (chosen when it is made) multi-line. Locked
// keeps the text from the keyboard. A multi-line box separates its lines
// with CR LF in Text.
class TextBox : public QWidget, public Control {
    Q_OBJECT
public:
    explicit TextBox(QWidget *container, bool multiLine = false);

    QString text() const;
    void setTextValue(QString v);
    int alignment() const { return alignment_; }
    void setAlignment(int v);
    bool locked() const;
    void setLocked(bool v);
    int selStart() const;
    void setSelStart(int v);
    int selLength() const;
    void setSelLength(int v);
    QString selText() const;
    void setSelText(QString v);

    LK_PROP(TextBox, QString, Text, text, setTextValue);
    LK_PROP(TextBox, int, Alignment, alignment, setAlignment);
    LK_PROP(TextBox, bool, Locked, locked, setLocked);
    LK_PROP(TextBox, int, SelStart, selStart, setSelStart);
    LK_PROP(TextBox, int, SelLength, selLength, setSelLength);
    LK_PROP(TextBox, QString, SelText, selText, setSelText);

    // The Qt editor inside (for tests and focus checks).
    QWidget *editor() const;

protected:
    void copyFrom(const Control &first) override;
    void applyLook() override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void resizeEvent(QResizeEvent *) override;
    void paintEvent(QPaintEvent *) override;

private:
    QLineEdit *line_ = nullptr;
    QPlainTextEdit *plain_ = nullptr;
    int alignment_ = vbLeftJustify;
    bool keyFromEditor(QKeyEvent *e);
};

// A picture at its own size (the control takes the picture's size);
// windowless like a label.
class Image : public QWidget, public Control {
    Q_OBJECT
public:
    explicit Image(QWidget *container);

    platform::Picture picture() const { return picture_; }
    void setPicture(platform::Picture v);
    LK_PROP(Image, platform::Picture, Picture, picture, setPicture);

protected:
    void copyFrom(const Control &first) override;
    void paintEvent(QPaintEvent *) override;
    bool event(QEvent *e) override;

private:
    platform::Picture picture_;
};

// A drawing surface with the two images of a form; may hold controls.
class PictureBox : public Canvas, public Control {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *container);

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    void setBoxPicture(platform::Picture v);

    // Shows the persistent image again.
    using Canvas::Refresh;

    LK_PROP(PictureBox, bool, AutoSize, autoSize, setAutoSize);
    // Takes the picture's size when AutoSize is on.
    LK_PROP(PictureBox, platform::Picture, Picture, picture, setBoxPicture);

protected:
    void copyFrom(const Control &first) override;
    void applyLook() override;
    bool event(QEvent *e) override;

private:
    bool autoSize_ = false;
};

// Fires Timer every Interval ms while Enabled and Interval > 0.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject *owner);

    int interval() const { return interval_; }
    void setInterval(int v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);

    LK_PROP(Timer, int, Interval, interval, setInterval);
    LK_PROP(Timer, bool, Enabled, enabled, setEnabled);
    // The Timer event.
    std::function<void()> OnTimer;

private:
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
    void restart();
};

} // namespace platform
