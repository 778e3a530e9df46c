#include "paramset/devicetransfers.h"

#include "app/context.h"

// Until each exchange is built it reports nothing done.
bool DeviceTransfers::ParametreHostOku() {
    return false;
}
bool DeviceTransfers::ParametreHostYaz() {
    return false;
}
bool DeviceTransfers::IDOKUHost() {
    return false;
}
bool DeviceTransfers::readHeaderFromDevice() {
    return false;
}
bool DeviceTransfers::writeHeaderToDevice() {
    return false;
}
bool DeviceTransfers::IDYaz() {
    return false;
}
bool DeviceTransfers::STPOKUHost() {
    return false;
}
bool DeviceTransfers::STPYaz() {
    return false;
}
