#include "core/app/headless_view.h"

namespace kovra {

void HeadlessView::setAdapterLines(const std::vector<std::string>& lines, int selected)
{
    adapterLines = lines;
    selectedAdapter = selected;
}

void HeadlessView::insertDeviceRow(int index, const DeviceRow& row)
{
    if (index < 0 || index > int(rows.size()))
        index = int(rows.size());
    rows.insert(rows.begin() + index, row);
}

void HeadlessView::updateDeviceRow(int index, const DeviceRow& row)
{
    if (index >= 0 && index < int(rows.size()))
        rows[size_t(index)] = row;
}

void HeadlessView::removeSelectedDeviceRow()
{
    if (selectedRow >= 0 && selectedRow < int(rows.size()))
        rows.erase(rows.begin() + selectedRow);
    selectedRow = -1;
}

} // namespace kovra
