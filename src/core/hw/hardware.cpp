#include "hw/hardware.h"

#include <cctype>

#include "hw/controller_link.h"
#include "hw/receiver_types.h"

namespace vornlfrf::hw {

namespace {

constexpr int kOpenSettleMs = 50;
constexpr int kHighestPort = kPortFlagCount - 1;

// RX antenna port: direction register (set bit = input) and its outputs.
constexpr std::uint8_t kAntennaDirection = 0x87;
constexpr std::uint8_t kAntennaOutputs = 0x07;

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::string versionCaption(int boot, int major, int minor) {
    return "OK v" + std::to_string(boot) + "." + std::to_string(major) + "." +
           std::to_string(minor);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string ForcedReceiverTypes(const std::string& firstArgument) {
    const std::size_t at = firstArgument.find("+REC");
    if (at == std::string::npos) return {};
    return firstArgument.substr(at + 4, 4);
}

int PortNumberOfText(const std::string& text) {
    if (text.size() <= 3 || text.size() > 6) return 0;
    int n = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
        n = n * 10 + (text[i] - '0');
    }
    return n;
}

// The fields of one controller's row of the window.
struct Hardware::Side {
    const char* name;  // "Tx" / "Rx"
    int identity;
    bool& rdbAutomatic;
    bool& rdbManual;
    std::string& txtAutomatic;
    std::string& cboManual;
    std::string& panFind;
    std::string& panTest;
    bool& butFindEnabled;
    bool& butTestEnabled;
    std::unique_ptr<SerialPort>& port;
};

Hardware::Side Hardware::side(bool isTx) {
    if (isTx)
        return {"Tx",        kTxIdentity, rdbAutomaticTx, rdbManualTx,      txtAutomaticTx,
                cboManualTx, panFindTx,   panTestTx,      butFindTxEnabled, butTestTxEnabled,
                txPort};
    return {"Rx",      kRxIdentity, rdbAutomaticRx,   rdbManualRx,      txtAutomaticRx, cboManualRx,
            panFindRx, panTestRx,   butFindRxEnabled, butTestRxEnabled, rxPort};
}

Hardware::Hardware(Host& host, PortProvider& ports, config::AnalysisLog& log)
    : host_(host), ports_(ports), log_(log) {}

Hardware::~Hardware() {
    ClosePort(txPort);
    ClosePort(rxPort);
}

void Hardware::changed() {
    if (onChanged) onChanged();
}

std::unique_ptr<SerialPort> Hardware::OpenPort(int number, int baudRate, LineMode rts,
                                               LineMode dtr) {
    auto port = ports_.OpenPort(number, baudRate, rts, dtr);
    if (port) lastPortNumber = number;
    return port;
}

void Hardware::ClosePort(std::unique_ptr<SerialPort>& port) {
    if (!port) return;
    PurgePort(port.get());
    port->setDtr(false);
    port->setRts(false);
    port.reset();
}

void Hardware::PurgePort(SerialPort* port) {
    if (port) port->purge();
}

bool Hardware::SetBaudRate(SerialPort* port, int rate) {
    return !port || !port->setBaudRate(rate);
}

void Hardware::EnumeratePorts() {
    availablePorts.fill(false);
    availablePortsText.clear();
    for (int n : ports_.EnumeratePorts()) {
        if (n < 1 || n > kHighestPort || availablePorts[n]) continue;
        availablePorts[n] = true;
        if (!availablePortsText.empty()) availablePortsText += ", ";
        availablePortsText += "COM" + std::to_string(n);
    }
}

void Hardware::openSequence(std::unique_ptr<SerialPort>& port) {
    host_.sleepProcessing(kOpenSettleMs);
    if (!port) return;  // closed by an event during the wait
    PurgePort(port.get());
    port->setDtr(true);
    port->setRts(true);
    host_.sleepProcessing(kOpenSettleMs);
}

std::string Hardware::TestController(bool isTx) {
    Side s = side(isTx);
    ClosePort(s.port);
    s.butTestEnabled = false;
    s.panTest = text::kIdle;
    log_.LogLine(std::string("----- Test ") + s.name + " COM port -----");
    changed();

    const int n = PortNumberOfText(s.cboManual);
    EnumeratePorts();
    log_.LogLine("Available COM ports : " + availablePortsText);
    // A text without a port number stays as typed and is simply not available.
    if (n > 0) s.cboManual = "COM" + std::to_string(n);
    log_.LogLine("Try " + s.cboManual);

    std::string caption;
    if (n < 1 || n > kHighestPort || !availablePorts[n]) {
        caption = text::kPortNotAvailable;
        log_.LogLine(text::kPortNotAvailable);
    } else if (!(s.port =
                     OpenPort(n, kControllerBaudRate, LineMode::Disabled, LineMode::Disabled))) {
        caption = text::kPortBusy;
        log_.LogLine(text::kPortBusy);
    } else {
        openSequence(s.port);
        ControllerLink link(host_, s.port);
        const int boot = link.ReadBootVersion();
        if (boot < 0) {
            caption = text::kNoResponse;
            log_.LogLine("  No response");
        } else {
            bootVersion = boot;
            const FirmwareVersion v = link.ReadVersion();
            if (v.ack != reply::kVersion)
                caption = "Error A1";
            else if (v.major < 0)
                caption = "Error A2";
            else if (v.minor < 0)
                caption = "Error A3";
            if (!caption.empty()) {
                log_.LogLine("  " + caption);
            } else {
                fwMajor = v.major;
                fwMinor = v.minor;
                caption = versionCaption(bootVersion, fwMajor, fwMinor);
                log_.LogLine("  " + caption);
            }
        }
    }
    s.panTest = caption;
    s.butTestEnabled = true;
    changed();
    return caption;
}

std::string Hardware::FindController(bool isTx) {
    Side s = side(isTx);
    ClosePort(s.port);
    s.butFindEnabled = false;
    s.panFind = text::kIdle;
    log_.LogLine(std::string("----- Find ") + s.name + " COM port -----");
    changed();

    int n = PortNumberOfText(s.txtAutomatic);
    if (n < 1) n = 1;
    EnumeratePorts();
    log_.LogLine("Available COM ports : " + availablePortsText);

    std::string caption;
    for (;;) {
        s.txtAutomatic = "COM" + std::to_string(n);
        log_.LogLine("Try " + s.txtAutomatic);
        changed();
        host_.processEvents();

        const bool listed = n <= kHighestPort && availablePorts[n];
        if (!listed) {
            log_.LogLine("  Not available");
        } else if (!(s.port = OpenPort(n, kControllerBaudRate, LineMode::Disabled,
                                       LineMode::Disabled))) {
            log_.LogLine("  Busy");
        } else {
            openSequence(s.port);
            ControllerLink link(host_, s.port);
            const int boot = link.ReadBootVersion();
            if (boot < 0) {
                log_.LogLine("  No response");
            } else {
                bootVersion = boot;
                const int id = link.ReadIdentity();
                if (id < 0) {
                    log_.LogLine("  Error 4");
                } else if (id != s.identity) {
                    log_.LogLine("  Bad ID");
                } else {
                    const FirmwareVersion v = link.ReadVersion();
                    if (v.ack != reply::kVersion) {
                        log_.LogLine("  Error 2");
                    } else if (v.major < 0 || v.minor < 0) {
                        log_.LogLine("  Error 3");
                    } else {
                        fwMajor = v.major;
                        fwMinor = v.minor;
                        caption = versionCaption(bootVersion, fwMajor, fwMinor);
                        log_.LogLine("  Found : " + caption);
                        break;
                    }
                }
            }
        }

        // Each port is tried at most once: drop it and go on with the lowest one left.
        ClosePort(s.port);
        if (listed) availablePorts[n] = false;
        n = 0;
        for (int i = 1; i <= kHighestPort && n == 0; ++i)
            if (availablePorts[i]) n = i;
        if (n == 0) {
            caption = text::kNotFound;
            s.txtAutomatic.clear();
            break;
        }
    }
    s.panFind = caption;
    s.butFindEnabled = true;
    changed();
    return caption;
}

void Hardware::butTestClick(bool isTx) {
    TestController(isTx);
    ClosePort(side(isTx).port);
}

void Hardware::butFindClick(bool isTx) {
    FindController(isTx);
    ClosePort(side(isTx).port);
}

bool Hardware::checkController(bool isTx) {
    Side s = side(isTx);
    auto attempt = [&] {
        bool ok = false;
        if (s.rdbAutomatic) ok = startsWith(FindController(isTx), "OK");
        if (s.rdbManual) ok = startsWith(TestController(isTx), "OK");
        return ok;
    };

    bool ok = attempt();
    const int version = bootVersion * 100 + fwMajor * 10 + fwMinor;
    if (ok && version < kMinimumFirmware) {
        ClosePort(s.port);
        if (OfferFirmwareUpgrade && OfferFirmwareUpgrade(isTx)) {
            ok = attempt();
        } else {
            log_.LogLine("  Firmware " + versionCaption(bootVersion, fwMajor, fwMinor).substr(3) +
                         " too old : upgrade required");
            ok = false;
        }
    }
    // Only a usable controller keeps its port.
    if (!ok) ClosePort(s.port);
    return ok;
}

bool Hardware::CheckTxController() {
    return checkController(true);
}

bool Hardware::CheckRxController() {
    return checkController(false);
}

std::string& Hardware::channelLabel(int channel) {
    switch (channel) {
        case 0:
            return lblChannel1;
        case 1:
            return lblChannel2;
        case 2:
            return lblChannel3;
        default:
            return lblChannel4;
    }
}

void Hardware::GetReceiversList(bool emcMode, const std::string& forcedTypes) {
    ControllerLink rx(host_, rxPort);
    rx.WriteRegister(kAntennaDirection, 0xFF);
    rx.WriteRegister(kAntennaOutputs, 0x07);
    rx.WriteRegister(kAntennaDirection, 0xF8);

    log_.LogLine("----- Get Receivers list -----");
    ControllerLink tx(host_, txPort);
    for (int c = 0; c < 4; ++c)
        channelLabel(c) = ReceiverTypes[ClassifyReceiverCode(tx.ReadReceiverCode(c))];

    // A character that is not a hexadecimal digit leaves the measured type.
    for (std::size_t c = 0; c < forcedTypes.size() && c < 4; ++c) {
        const int digit = hexDigit(forcedTypes[c]);
        if (digit >= 0) channelLabel(static_cast<int>(c)) = ReceiverTypes[digit];
    }

    lseReceiver = false;
    if (lblChannel1 == ReceiverTypes[kReceiverLseOptical]) {
        lseReceiver = true;
        lseKind = 'O';
    } else if (lblChannel1 == ReceiverTypes[kReceiverLseMagnetic]) {
        lseReceiver = true;
        lseKind = 'M';
    }

    emcOutput = emcMode && lblChannel1 == ReceiverTypes[kReceiverNotConnected];
    if (emcOutput) lblChannel1 = text::kEmcOutput;

    for (int c = 0; c < 4; ++c)
        log_.LogLine("Channel" + std::to_string(c + 1) + "=" + channelLabel(c));
    changed();
}

bool Hardware::GetTypes(bool emcMode, const std::string& forcedTypes) {
    const bool rxOk = CheckRxController();
    const bool txOk = CheckTxController();
    if (rxOk && txOk) {
        GetReceiversList(emcMode, forcedTypes);
    } else {
        for (int c = 0; c < 4; ++c) channelLabel(c) = text::kUnknownType;
        changed();
    }
    ClosePort(txPort);
    ClosePort(rxPort);
    return rxOk && txOk;
}

void Hardware::controlChanged() {
    if (!loading_ && onModified) onModified();
    changed();
}

void Hardware::HardwareSection(config::IniDocument* doc, config::ConfigAction action) {
    using config::ConfigAction;
    const char* sec = text::kSection;
    const bool save = action == ConfigAction::Save && doc;
    const bool load = action == ConfigAction::Load && doc;
    const bool defaults = action == ConfigAction::Defaults;
    loading_ = true;

    auto flag = [&](const char* key, bool& value, bool def) {
        if (save) doc->writeBool(sec, key, value);
        if (load) value = doc->readBool(sec, key, def);
        if (defaults) value = def;
    };
    auto textKey = [&](const char* key, std::string& value, const char* def) {
        if (save) doc->writeString(sec, key, value);
        if (load) value = doc->readString(sec, key, def);
        if (defaults) value = def;
    };
    // Save writes the keys in this order.
    flag("TxEnabled", chkTx, true);
    flag("rdbAutomaticTx", rdbAutomaticTx, true);
    flag("rdbManualTx", rdbManualTx, false);
    textKey("txtAutomaticTx", txtAutomaticTx, "");
    textKey("cboManualTx", cboManualTx, "COM3");
    flag("RxEnabled", chkRx, true);
    flag("rdbAutomaticRx", rdbAutomaticRx, true);
    flag("rdbManualRx", rdbManualRx, false);
    textKey("txtAutomaticRx", txtAutomaticRx, "");
    textKey("cboManualRx", cboManualRx, "COM4");
    flag("chkSimulation", chkSimulation, false);
    flag("chkAcqFilter", chkAcqFilter, false);
    flag("chkRxPin2Used", chkRxPin2Used, false);
    flag("chkTriggerChan1", chkTriggerChan1, false);
    flag("chkTriggerChan2", chkTriggerChan2, false);
    flag("chkTriggerChan3", chkTriggerChan3, false);

    loading_ = false;
    if (!save) changed();
}

int Hardware::processSection(config::IniDocument* doc, config::ConfigAction action) {
    HardwareSection(doc, action);
    return 0;
}

}  // namespace vornlfrf::hw
