#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QMouseEvent;
class WindowTimer;

// A secondary window. It exists from its first show until it is unloaded; unloading destroys it
// with its timers, and the next show creates it afresh from its design values.
//
// Each window's header maps the design names of its controls (their objectNames) to the members
// that hold them. What the design runs as a window loads is the window's load() (the Customize
// Status Bar dialog's showPanels()).
class Form : public QWidget
{
    Q_OBJECT

public:
    // What a screen reader announces the window as: a dialog is read out by its title when it
    // opens, a plain window only by what it says itself.
    enum class Kind { Window, Dialog };

    explicit Form(const QString &designName, QWidget *parent = nullptr, Kind kind = Kind::Window);
    ~Form() override;

    bool isUnloaded() const { return m_unloaded; }
    Kind kind() const { return m_kind; }
    void unload() { close(); }
    // Showing a window does not undo a minimise, and none of the forms has a task-bar button to
    // undo it from, so whatever brings a form back restores it too.
    void restoreFromMinimised();

Q_SIGNALS:
    void unloaded();

protected:
    // The form keeps the timer; it stops when the form is unloaded, although the form itself is
    // deleted only once control is back in the event loop.
    WindowTimer *addTimer(std::unique_ptr<WindowTimer> timer);

    // Moves of the pointer over the form's own surface, where no control lies. A move over a
    // control never counts, whether or not the control handles it itself.
    void setSurfaceMoveHandler(std::function<void()> handler);

    void closeEvent(QCloseEvent *event) final;
    void mouseMoveEvent(QMouseEvent *event) override;
    virtual void onUnload() { }

private:
    std::vector<std::unique_ptr<WindowTimer>> m_timers;
    std::function<void()> m_surfaceMove;
    Kind m_kind;
    bool m_unloaded = false;
};

// The single instance of one window class.
class WindowSlot
{
public:
    using Factory = std::function<Form *()>;

    WindowSlot() = default;
    // The windows go with their slot, unloaded ones whose deletion is still pending too, so none
    // outlives the services its factory handed it.
    ~WindowSlot();
    WindowSlot(const WindowSlot &) = delete;
    WindowSlot &operator=(const WindowSlot &) = delete;

    void setFactory(Factory factory) { m_factory = std::move(factory); }
    // Runs whenever a window of this slot is unloaded, while it is still on screen.
    void setUnloadedHandler(std::function<void()> handler) { m_unloaded = std::move(handler); }

    // Creates the window if it is not loaded, then shows it, brings it to the front and
    // activates it. Without a factory there is nothing to show and it returns nullptr.
    Form *show();
    // Asking never loads the window: one that was never opened counts as not visible.
    bool isVisible() const;
    void unload();
    Form *window() const;

private:
    Factory m_factory;
    std::function<void()> m_unloaded;
    // The current window last, after unloaded ones whose deletion is still pending.
    std::vector<QPointer<Form>> m_windows;
};
