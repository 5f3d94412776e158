#pragma once

#include <QObject>
#include <memory>
#include <optional>

// Whether the windows are to draw in the system's colours throughout rather than the design's:
// the system asks for high contrast, or its palette is dark. Either way its text colours are
// light, and would not read on the design's pale backgrounds.
class HighContrast : public QObject
{
    Q_OBJECT

public:
    virtual bool isOn() const = 0;

Q_SIGNALS:
    // The answer is no longer what it was.
    void changed();
};

// The answer from Qt's palette, which follows the desktop's theme, and from the system's own
// high-contrast setting where the backend has one. It asks again whenever the palette changes.
class PaletteHighContrast : public HighContrast
{
    Q_OBJECT

public:
    PaletteHighContrast();

    bool isOn() const final;

protected:
    virtual bool systemSetting() const { return false; }
    // For the backend's notice that the system's setting changed.
    void askAgain();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool answer() const;

    mutable std::optional<bool> m_answer;
};

// The backend of this system.
std::unique_ptr<HighContrast> createHighContrast();
