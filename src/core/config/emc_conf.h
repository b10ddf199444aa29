#pragma once
// EMC and TSTLF settings built for a run (phase table, TSTLF record, field checks) and the
// models of the two dialogs that edit an expectation: the RF configuration dialog (expected
// description, frame count, field check rows) and the field description dialog.
//
// A field check row is "name;mode;values;delta;sent": mode "None", "List" or "Tol.", values a
// comma list ("*" for the ID filter text) or the expected number, sent "Y" or "N". The rows of
// one expectation are joined by 0x86.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "config/analysis_log.h"
#include "config/run_conf.h"

namespace vornlfrf::config {

constexpr int kMaxEmcDescriptions = 512;

enum FieldCheckMode { kCheckNone = 1, kCheckList = 2, kCheckTolerance = 3 };

struct FieldCheck {
    int mode = kCheckNone;
    std::string values;     // List: expected values
    double expected = 0.0;  // Tol.
    double delta = 0.0;     // Tol.
    bool sent = false;      // value sent on the test-site line
};

enum PhaseAnalysis { kAnalysisNone = 1, kAnalysisAbsence = 2, kAnalysisPresence = 3 };

struct EmcPhase {
    bool enabled = false;
    std::string frameName;
    int frameIndex = -1;  // among the LF frames, -1 for none
    int duration = 0;     // s
    int silent = 0;       // tenths of a second
    int analysis = kAnalysisNone;
    int interframe = 0;  // ms
    std::string name;
    std::string rfFrame;
    int nbFrames = 0;
    int checkCount = 0;
    std::vector<FieldCheck> checks;
};
using EmcPhaseTable = std::array<EmcPhase, kEmcPhases>;

struct TstlfSettings {
    std::string frameName;
    int frameIndex = -1;
    int interframe = 0;
    int duration = 0;
    int silent = 0;  // tenths of a second
    std::string rfFrame;
    int checkCount = 0;
    std::vector<FieldCheck> checks;
};

// Built at run start from the panels. A number that cannot be read in an enabled phase (or in
// the TSTLF settings) logs one error line and refuses the build.
bool BuildEmcPhaseTable(const RunConf& conf, const std::vector<std::string>& lfNames,
                        AnalysisLog& log, EmcPhaseTable& table);
bool BuildTstlfSettings(const RunConf& conf, const std::vector<std::string>& lfNames,
                        AnalysisLog& log, TstlfSettings& settings);

// Default rows of an RF description item: one "name;None;;;" per field, and "CKSGood;None;;"
// when the frame verification is on.
std::vector<std::string> DefaultFieldCheckRows(const std::string& rfItem);

// Field description dialog (TfrmEMCParameter).
class EmcParameterDialog {
  public:
    static constexpr char kCaption[] = "Field description";
    static const std::vector<std::string>& ModeItems();  // "None", "List", "Tol."

    std::string txtName;  // read-only
    std::string cboMode;
    std::string txtValues;
    std::string txtTolerance;
    std::string txtSent;

    // Applies the change of cboMode: List proposes "*", Tol. proposes 1.0 +/- 0.0.
    void cboModeChange();
    // True when Save may close the dialog.
    bool butSaveClick() const { return txtSent == "Y" || txtSent == "N"; }
};

// RF configuration dialog (TfrmEMCConf).
class EmcRfConfDialog {
  public:
    static constexpr char kEmcCaption[] = "EMC : RF Configuration";
    static constexpr char kTstlfCaption[] = "TSTLF : RF Configuration";
    static const std::vector<std::string>& NbFramesItems();  // "1" .. "1000"

    std::string caption;
    bool panPhase = true;
    bool panNbFrames = true;
    std::string lblPhase;
    std::string lblLF;
    std::vector<std::string> cboRFFrameItems;
    int cboRFFrameIndex = -1;
    std::string cboRFFrame;  // text
    std::string cboNbFrames;
    std::vector<std::string> lstFields;
    int lstFieldsIndex = -1;

    // Every show: default rows per description (at most 512), then the current frame and rows
    // back when the frame is still known.
    void FormShow(const std::vector<std::string>& rfItems);
    void cboRFFrameChange(int index);
    // Fills the field dialog from the selected row; false when no row is selected.
    bool butModifierClick(EmcParameterDialog& dlg) const;
    // The field dialog was closed with Save.
    void ApplyParameter(const EmcParameterDialog& dlg);
    // True when Save may close the dialog (a frame count of 1 .. 1000 when it is shown).
    bool butSaveClick() const;
    std::string JoinedRows() const;

  private:
    std::vector<std::vector<std::string>> rows_;  // current rows per description
};

// Runs the dialog modally; true when it was closed with Save.
using EmcConfModal = std::function<bool(EmcRfConfDialog&)>;

// "Configure .." of phase p (0..3) and of TSTLF. True when the settings were changed.
bool ConfigurePhaseRf(RunConf& conf, int p, const std::vector<std::string>& rfItems,
                      const EmcConfModal& modal);
bool ConfigureTstlfRf(RunConf& conf, const std::vector<std::string>& rfItems,
                      const EmcConfModal& modal);

}  // namespace vornlfrf::config
