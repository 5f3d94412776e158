#pragma once

// Showing and hiding single panels of the status bar by their index, which is all the Customize
// Status Bar dialog needs of it.
class PanelVisibility
{
public:
    virtual bool isPanelShown(int index) const = 0;
    virtual void setPanelShown(int index, bool shown) = 0;

protected:
    ~PanelVisibility() = default;
};
