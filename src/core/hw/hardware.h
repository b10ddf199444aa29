#pragma once
// The hardware window's model: which port each controller uses (found automatically or chosen
// by hand), the find and test procedures that identify a controller and read its versions,
// the firmware-version gate, the receiver types of the four channels, the trigger options and
// the HARDWARE section of the configuration document. It owns the two controller ports.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/host.h"
#include "config/analysis_log.h"
#include "config/configuration_document.h"
#include "hw/serial_port.h"

namespace vornlfrf::hw {

namespace text {
inline constexpr char kPortNotAvailable[] = "Port not available";
inline constexpr char kPortBusy[] = "Port busy";
inline constexpr char kNoResponse[] = "No response";
inline constexpr char kNotFound[] = "not found";
inline constexpr char kIdle[] = "-";
inline constexpr char kUnknownType[] = "?";
inline constexpr char kEmcOutput[] = "EMC Output";
inline constexpr char kExt[] = "Ext";
inline constexpr char kTrg[] = "Trg";
inline constexpr char kTriggerLevel0[] = "RxPin2 level = 0, the frames are not decoded";
inline constexpr char kTriggerLevel1[] = "RxPin2 level = 1, the frames are decoded";
inline constexpr char kSection[] = "HARDWARE";
}  // namespace text

// Version gate: boot × 100 + major × 10 + minor must reach this.
inline constexpr int kMinimumFirmware = 411;
inline constexpr int kPortFlagCount = 128;

// The 4 characters after "+REC" in the first program argument (fewer when the argument ends
// sooner); empty when the argument holds no "+REC".
std::string ForcedReceiverTypes(const std::string& firstArgument);

// Port number of a "COM<n>" text: the digits after its first three characters; 0 when they
// are missing or not all digits.
int PortNumberOfText(const std::string& text);

class Hardware : public config::SectionHandler {
  public:
    Hardware(Host& host, PortProvider& ports, config::AnalysisLog& log);
    ~Hardware() override;

    // --- configuration controls (names are also the INI keys except chkTx/chkRx) ---
    bool chkTx = true;
    bool rdbAutomaticTx = true;
    bool rdbManualTx = false;
    std::string txtAutomaticTx;
    std::string cboManualTx = "COM3";
    bool chkRx = true;
    bool rdbAutomaticRx = true;
    bool rdbManualRx = false;
    std::string txtAutomaticRx;
    std::string cboManualRx = "COM4";
    bool chkSimulation = false;
    bool chkAcqFilter = false;
    bool chkRxPin2Used = false;
    bool chkTriggerChan1 = false;
    bool chkTriggerChan2 = false;
    bool chkTriggerChan3 = false;

    // --- display ---
    std::string panFindTx = text::kIdle;
    std::string panTestTx = text::kIdle;
    std::string panFindRx = text::kIdle;
    std::string panTestRx = text::kIdle;
    std::string lblChannel1, lblChannel2, lblChannel3, lblChannel4;
    bool butFindTxEnabled = true;
    bool butTestTxEnabled = true;
    bool butFindRxEnabled = true;
    bool butTestRxEnabled = true;

    // --- link state ---
    std::unique_ptr<SerialPort> txPort;
    std::unique_ptr<SerialPort> rxPort;
    std::array<bool, kPortFlagCount> availablePorts{};
    std::string availablePortsText;
    int bootVersion = 0;
    int fwMajor = 0;
    int fwMinor = 0;
    int lastPortNumber = 0;
    bool lseReceiver = false;
    char lseKind = 'O';
    bool emcOutput = false;

    // Called after an operator change of a configuration control while not loading (the
    // main window's MarkModified).
    std::function<void()> onModified;
    // Display changed (captions, automatic fields, labels): the window repaints.
    std::function<void()> onChanged;
    // The firmware upgrade prompt for a controller that is too old; true when it upgraded it.
    // Unset, the gate refuses the controller.
    std::function<bool(bool isTx)> OfferFirmwareUpgrade;

    // --- port operations ---
    std::unique_ptr<SerialPort> OpenPort(int number, int baudRate, LineMode rts, LineMode dtr);
    void ClosePort(std::unique_ptr<SerialPort>& port);
    static void PurgePort(SerialPort* port);
    // True when the new rate could not be applied.
    static bool SetBaudRate(SerialPort* port, int rate);
    void EnumeratePorts();

    // --- controller procedures; each returns its result caption ---
    std::string TestController(bool isTx);
    std::string FindController(bool isTx);
    // The buttons: the procedure, then the port is closed again.
    void butTestClick(bool isTx);
    void butFindClick(bool isTx);
    bool CheckTxController();
    bool CheckRxController();
    // Needs both ports open. forcedTypes: one hexadecimal digit per channel (ForcedReceiverTypes).
    void GetReceiversList(bool emcMode, const std::string& forcedTypes = {});
    // "Get types": check both controllers, read the receivers (or "?"), close both ports.
    // True when both controllers were found.
    bool GetTypes(bool emcMode, const std::string& forcedTypes = {});

    std::string& channelLabel(int channel);  // 0..3
    // Caption of channel 1's label, also shown by the run window.
    std::string lblExt() const { return chkRxPin2Used ? text::kTrg : text::kExt; }

    // Operator changed a configuration control (the trigger check box included).
    void controlChanged();
    bool loading() const { return loading_; }

    // The HARDWARE section: save, load (each key with its default) or defaults.
    void HardwareSection(config::IniDocument* doc, config::ConfigAction action);
    int processSection(config::IniDocument* doc, config::ConfigAction action) override;

  private:
    struct Side;
    Side side(bool isTx);
    void openSequence(std::unique_ptr<SerialPort>& port);
    bool checkController(bool isTx);
    void changed();

    Host& host_;
    PortProvider& ports_;
    config::AnalysisLog& log_;
    bool loading_ = false;
};

}  // namespace vornlfrf::hw
