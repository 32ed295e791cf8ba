#pragma once

#include "core/app/address_group.h"

#include <string>
#include <vector>

namespace kovra {

// One row of the device list: hardware address, IP address, model text, and whether another
// unit of the list answers with the same IP address.
struct DeviceRow {
    std::string mac;
    std::string ip;
    std::string model;
    bool addressConflict = false;
};

// What the main window model asks of the window that shows it. All calls come on the
// window's own thread.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void setAdapterLines(const std::vector<std::string>& lines, int selected) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    // The controls that enableMainControls switches as one: edits 1205 and 1005, the device
    // list and buttons 1001, 1002, 1000, 1008, 1009, 1010, 1011.
    virtual void setMainControlsEnabled(bool enabled) = 0;
    virtual void setAddressGroup(const AddressGroupState& group) = 0;
    virtual void clearDeviceRows() = 0;
    virtual void insertDeviceRow(int index, const DeviceRow& row) = 0;
    // Rewrites row `index` in place (a setting command refreshed its unit).
    virtual void updateDeviceRow(int index, const DeviceRow& row) = 0;
    // Deletes the selected row and clears the selection mark.
    virtual void removeSelectedDeviceRow() = 0;
    // The progress bar and the status line share one place: showing one hides the other.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressValue(int percent) = 0;
    virtual void setProgressTimerRunning(bool running) = 0;
    // Ends the window with the result (-1: no usable network device).
    virtual void closeWindow(int result) = 0;
};

} // namespace kovra
