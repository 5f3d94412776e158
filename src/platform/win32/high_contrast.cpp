#include "platform/high_contrast.h"
#include "platform/win32/api/contrast_setting.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

namespace {

// Qt's palette follows the system's colours, but the setting itself is what the user chose.
class Win32HighContrast final : public PaletteHighContrast, public QAbstractNativeEventFilter
{
public:
    Win32HighContrast() { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~Win32HighContrast() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        if (Win32::isHighContrastNotice(message))
            askAgain();
        return false;
    }

protected:
    bool systemSetting() const override { return Win32::highContrastOn(); }
};

} // namespace

std::unique_ptr<HighContrast> createHighContrast()
{
    return std::make_unique<Win32HighContrast>();
}
