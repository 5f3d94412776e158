#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

// A secondary window. It exists from its first show until it is unloaded; unloading destroys it
// with its timers, and the next show creates it afresh from its design values.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(const QString &designName, QWidget *parent = nullptr);

    bool isUnloaded() const { return m_unloaded; }
    void unload() { close(); }

protected:
    void closeEvent(QCloseEvent *event) final;
    virtual void onUnload() { }

private:
    bool m_unloaded = false;
};

// The single instance of one window class.
class WindowSlot
{
public:
    using Factory = std::function<Form *()>;

    void setFactory(Factory factory) { m_factory = std::move(factory); }

    // Creates the window if it is not loaded, then shows it, brings it to the front and
    // activates it. Without a factory there is nothing to show and it returns nullptr.
    Form *show();
    // Asking never loads the window: one that was never opened counts as not visible.
    bool isVisible() const;
    void unload();
    Form *window() const;

private:
    Factory m_factory;
    QPointer<Form> m_window;
};
