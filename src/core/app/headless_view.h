#pragma once

#include "core/app/main_window_view.h"

namespace kovra {

// A main window without widgets: it keeps what a window would show. The CLI runs the
// window model on it, and tests read it back.
class HeadlessView : public MainWindowView {
public:
    void setAdapterLines(const std::vector<std::string>& lines, int selected) override;
    void setStatusText(const std::string& text) override { statusText = text; }
    void setMainControlsEnabled(bool enabled) override { mainControlsEnabled = enabled; }
    void setAddressGroup(const AddressGroupState& group) override { addressGroup = group; }
    void clearDeviceRows() override { rows.clear(); }
    void insertDeviceRow(int index, const DeviceRow& row) override;
    void updateDeviceRow(int index, const DeviceRow& row) override;
    void removeSelectedDeviceRow() override;
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgressValue(int percent) override { progressValue = percent; }
    void setProgressTimerRunning(bool running) override { progressTimerRunning = running; }
    void closeWindow(int result) override { closedWith = result; }

    // Which row is selected (-1: none), as the list's selection mark.
    int selectedRow = -1;

    std::vector<std::string> adapterLines;
    int selectedAdapter = -1;
    std::string statusText;
    bool mainControlsEnabled = true;
    AddressGroupState addressGroup;
    std::vector<DeviceRow> rows;
    bool progressVisible = false;
    int progressValue = 0;
    bool progressTimerRunning = false;
    int closedWith = 0;
};

} // namespace kovra
