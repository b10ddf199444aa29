#pragma once
// Run configuration: every run setting that is not an LF frame or an RF description (mode,
// cyclic emission, receiver slots, ID filter, display and file options, LSE offset, alerts and
// the EMC/TSTLF panels), its RUNCONF section and the editing commands of its tabs.
//
// Each setting is a field named after the control that holds it. Controls numbered in the
// window are arrays here, element [i] being control i+1: chk[0] is chk1, txtPhase[3] is
// txtPhase4, chkAlertBlink_500[1] is chkAlertBlink2_500, rdbPhase_Y[0] is rdbPhase1_Y.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "config/configuration_document.h"
#include "config/ini_document.h"

namespace vornlfrf::config {

enum RunMode {
    kModeManual = 0,
    kModeScript,
    kModeBroadcast,
    kModeIndividual,
    kModeEmc,
    kModeTstlf
};

constexpr int kRxSlots = 4;
constexpr int kEmcPhases = 4;
constexpr int kAlertLevels = 2;

namespace runconf {
inline constexpr char kSection[] = "RUNCONF";
inline constexpr char kNoEmission[] = "(No emission)";
inline constexpr char kFsk[] = "FSK";
inline constexpr char kAsk[] = "ASK";
inline constexpr char kNone[] = "-none-";
inline constexpr char kPopupCaption[] = "Click to add the description";

// Maximum typed lengths of the digit-only fields.
constexpr std::size_t kInterframePhaseMaxLength = 3;
constexpr std::size_t kRecalibrationMaxLength = 4;

// Fixed item lists of the window's drop-downs.
const std::vector<std::string>& ListSizeItems();        // cboNFull, cboNDatas
const std::vector<std::string>& DisplayedDigitItems();  // cboDisplayedDigits
const std::vector<std::string>& InterFrameItems();      // cboInterFrame
const std::vector<std::string>& BaudRateItems();        // cboEMCBaudrate, cboTSTLFBaudrate
const std::vector<std::string>& GetIdCountItems();      // cboFirst

}  // namespace runconf

// What the run configuration needs of one LF frame: its name, whether it is a data frame (the
// Individual drop-down lists only those), and its parameter names as the LF analysis found them.
struct LfFrameInfo {
    std::string name;
    bool isData = true;
    std::vector<std::string> paramNames;
};

// Panels shown for the selected mode.
struct ModePanels {
    bool panParamCyclic = false;
    bool panBroadcast = false;
    bool panIndividual = false;
    bool panEMC = false;
    bool panTSTLF = false;
};

class RunConf : public SectionHandler {
  public:
    RunConf();

    // ---- "LF Parameters": mode and cyclic emission ----
    bool rdbLFManual = true;
    bool rdbLFScript = false;
    bool rdbLFBrodcast = false;
    bool rdbLFIndividual = false;
    bool rdbLFEMC = false;
    bool rdbLFTSTLF = false;
    std::string cboBrodcast;
    std::string cboIndividual;
    std::string txtON = "1";
    std::string txtOFF = "1";
    std::string cboInterFrame = "0";
    std::vector<std::string> cboInterFrameItems;

    // ---- "Rx Parameters": receiver slots ----
    std::array<bool, kRxSlots> chk{};
    std::array<std::string, kRxSlots> cbo{};
    std::vector<std::string> cboItems;  // receiver types offered by cbo1 .. cbo4
    std::array<bool, kRxSlots> cboEnabled{};
    std::array<std::string, kRxSlots> butAskFsk{};  // modulation caption
    std::array<bool, kRxSlots> butAskFskVisible{};
    std::array<std::vector<std::string>, kRxSlots> lstFrames{};
    std::array<int, kRxSlots> lstFramesIndex{};  // selected item, -1 for none
    // Description pop-up of the Add buttons.
    std::vector<std::string> lstDescriptions;
    bool panListeDescriptions = false;
    int popupSlot = -1;

    // ---- "ID Filter" ----
    bool rdbIDAll = true;
    bool rdbIDManual = false;
    std::string txtID;
    bool chkReject = true;  // not stored
    bool chkUncompleted = true;
    bool panGetID = false;
    std::string cboFirst;

    // ---- "Options" ----
    std::string cboNFull = "100";
    std::string cboNDatas = "100";
    int cboDisplayedDigits = 4;  // item index
    std::string txtMeterMin = "0.0";
    std::string txtMeterMax = "100.0";
    bool chkNoFiles = false;
    std::string txtCSVLines = "32000";
    bool chkLSEOffset = false;
    std::string txtLSEOffset = "0";
    std::string cboMaxID = "100";  // shown disabled, not stored
    bool chkColoration = false;    // not stored

    // ---- "Alert" ----
    bool chkAlertActive = false;
    bool chkTimeOut = false;
    std::string txtTimeOut = "2";
    std::array<std::string, kAlertLevels> txtAlertField{{"Pressure", "-none-"}};
    std::array<bool, kAlertLevels> chkAlertInf{{true, true}};
    std::array<bool, kAlertLevels> chkAlertSup{};
    std::array<std::string, kAlertLevels> txtAlertThreshold{{"2.0", "1.5"}};
    std::array<bool, kAlertLevels> chkAlertFix{{false, true}};
    std::array<bool, kAlertLevels> chkAlertBlink_500{{true, false}};
    std::array<bool, kAlertLevels> chkAlertBlink_1000{};
    std::array<bool, kAlertLevels> chkAlertBlink_2000{};
    std::array<bool, kAlertLevels> chkAlertWaveNo{{true, true}};
    std::array<bool, kAlertLevels> chkAlertWaveYes{};
    std::array<std::string, kAlertLevels> txtAlertWave{{"-none-", "-none-"}};

    // ---- EMC panel ----
    std::array<bool, kEmcPhases> chkLFPhase{};
    std::array<std::string, kEmcPhases> txtPhase{{"1", "2", "3", "4"}};
    std::array<std::string, kEmcPhases> cboLFPhase{
        {runconf::kNoEmission, runconf::kNoEmission, runconf::kNoEmission, runconf::kNoEmission}};
    std::array<std::string, kEmcPhases> txtInterframePhase{{"10", "10", "10", "10"}};
    std::array<std::string, kEmcPhases> txtDurationPhase{{"10", "10", "10", "10"}};
    std::array<std::string, kEmcPhases> txtSilentPhase{{"1", "1", "1", "1"}};
    std::array<bool, kEmcPhases> rdbPhase_X{{true, true, true, true}};  // "No test"
    std::array<bool, kEmcPhases> rdbPhase_N{};                          // "Absence"
    std::array<bool, kEmcPhases> rdbPhase_Y{};                          // "Presence"
    std::array<std::string, kEmcPhases> aRFFramePhase{};
    std::array<int, kEmcPhases> iNbFramesPhase{};
    std::array<std::string, kEmcPhases> aFieldsPhase{};  // field check rows joined by 0x86
    bool chkCalibration = true;
    bool chkRecalibration = true;
    std::string txtRecalibration = "2400";
    bool rdbPhaseOutput = true;
    bool rdbCycleOutput = false;
    bool rdbEMCCom = true;  // stored inverted as EMCSimulation
    std::string txtEMCPort = "1";
    int cboEMCBaudrate = 0;  // item index
    bool chkEMCOutFields = false;

    // ---- TSTLF panel ----
    std::string cboTSTLF = runconf::kNoEmission;
    std::string txtInterframeTSTLF = "10";
    std::string txtDurationTSTLF = "10";
    std::string txtSilentTSTLF = "1";
    std::string aRFFrameTSTLF;
    std::string aFieldsTSTLF;
    std::string txtTSTLFPort = "1";
    int cboTSTLFBaudrate = 0;        // item index
    bool rdbTSTLFCom = true;         // not stored
    bool chkTSTLFOutFields = false;  // not stored

    // True while the section handler or the one-time initialisation runs: changes made then
    // do not mark the document modified.
    bool bLoading = false;
    // The document's MarkModified; called after every operator change.
    std::function<void()> markModified;
    // Called after a load or defaults action replaced the settings, so that a window showing
    // them can show them again.
    std::function<void()> onSettingsReplaced;

    // One-time initialisation: receiver types offered (those starting with an upper-case
    // letter, sorted) and the interframe list.
    void InitRunConf(const std::vector<std::string>& receiverTypeNames);

    // RunConfSection: 1 save, 2 load, 3 defaults. Returns 0.
    int processSection(IniDocument* doc, ConfigAction action) override;
    void RunConfSection(IniDocument* doc, ConfigAction action) { processSection(doc, action); }

    // First selected mode, -1 when none is.
    int RunMode() const;
    // 0 "All ID", 1 "Only ID", 2 neither.
    int IdFilterMode() const;
    void SelectMode(int mode);
    ModePanels VisiblePanels() const;
    void SelectIdFilter(bool all);

    // Drop-down contents filled when opened.
    static std::vector<std::string> BroadcastFrameItems(const std::vector<LfFrameInfo>& lf);
    static std::vector<std::string> IndividualFrameItems(const std::vector<LfFrameInfo>& lf);
    // cboLFPhase1 .. 4 and cboTSTLF: "(No emission)" then every LF frame.
    static std::vector<std::string> PhaseFrameItems(const std::vector<LfFrameInfo>& lf);
    // Names of the RF description items, offered by the Add pop-up.
    static std::vector<std::string> DescriptionNames(const std::vector<std::string>& rfItems);

    // ---- Receiver slots (c = 0..3) ----
    void chkClick(int c);
    void cboChange(int c);
    void butAskFskXClick(int c);
    void butAddClick(int c, const std::vector<std::string>& rfNames);
    // A click on entry i of the pop-up list.
    void lstDescriptionsClick(int i);
    void ClosePopup();
    void butDelClick(int c);
    void butBasClick(int c);
    void butHautClick(int c);

    // ---- ID filter ----
    // Replaces the ID text by the first N IDs of the run window's list, sorted in place.
    void butGetIDOkClick(std::vector<std::string>& runIds);
    // Pastes text over the selection [selStart, selStart + selLength); returns the new caret.
    std::size_t mnuPasteID(const std::string& text, std::size_t selStart, std::size_t selLength);
    std::string mnuCopyIDs(std::size_t selStart, std::size_t selLength) const;

    // Marks the document modified unless a load runs.
    void Changed();

    // Baud rate texts of the port boxes ("" when no item is selected).
    std::string EmcBaudRateText() const;
    std::string TstlfBaudRateText() const;

  private:
    void Save(IniDocument& doc) const;
    void Load(const IniDocument& doc);
    void Defaults();
    void RefreshSlot(int c);
    static bool ValidSlot(int c) { return c >= 0 && c < kRxSlots; }
};

// Key filter of the ID list: digits, A-F (a-f raised), space, comma and backspace pass; any
// other key gives 0 and is dropped.
char FilterIdKey(char key);
// Text pasted into the ID list keeps what typing could have entered, backspaces aside.
std::string FilterIdText(const std::string& text);
// Key filter of the digit-only fields: digits and control characters pass.
bool DigitOnlyKey(char key);

// Text-to-number conversions with '.' as the decimal separator, whatever the process locale.
// Surrounding spaces are allowed; infinities and NaN are not numbers.
bool parseTypedDecimal(const std::string& text, double& out);
// Decimal integer of a typed text; surrounding spaces are allowed.
bool parseTypedInteger(const std::string& text, int& out);

}  // namespace vornlfrf::config
