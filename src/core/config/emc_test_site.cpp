#include "config/emc_test_site.h"

#include "config/run_conf.h"

namespace vornlfrf::config {

void TestSitePort::showOpenFailed() {
    host_.messageBox(testsite::kOpenFailed, "Error", MsgIcon::Error, MsgButtons::Ok);
}

bool TestSitePort::OpenTestSitePort(int baudRate, int portNumber) {
    // A second open must not leave the first handle holding the device.
    CloseTestSitePort();
    lineBuffer.clear();
    port_ = ports_.OpenPort(portNumber, baudRate, hw::LineMode::Keep, hw::LineMode::Keep);
    if (!port_) {
        showOpenFailed();
        return false;
    }
    return true;
}

void TestSitePort::CloseTestSitePort() {
    if (!port_) return;
    port_->purge();
    port_->setDtr(false);
    port_->setRts(false);
    port_.reset();
}

void TestSitePort::TestPort(const std::string& baudRateText, const std::string& portText) {
    int baud = 0, number = 0;
    // Boxes that do not hold numbers name no port that could open.
    if (!parseTypedInteger(baudRateText, baud) || !parseInt(portText, number)) {
        showOpenFailed();
        return;
    }
    if (OpenTestSitePort(baud, number))
        host_.messageBox(testsite::kPortValid, "Information", MsgIcon::Information, MsgButtons::Ok);
    CloseTestSitePort();
}

}  // namespace vornlfrf::config
