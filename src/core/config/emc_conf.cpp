#include "config/emc_conf.h"

#include <climits>
#include <cmath>

#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

int findName(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

std::string part(const std::vector<std::string>& parts, std::size_t i) {
    return i < parts.size() ? parts[i] : std::string();
}

// Seconds to tenths, truncated toward zero.
bool tenths(const std::string& text, int& out) {
    double v = 0;
    if (!parseTypedDecimal(text, v)) return false;
    const double t = v * 10.0;
    if (!(std::fabs(t) < static_cast<double>(INT_MAX))) return false;
    out = static_cast<int>(t);
    return true;
}

class BuildErrors {
  public:
    BuildErrors(AnalysisLog& log, std::string where) : log_(log), where_(std::move(where)) {}
    bool fail(const std::string& what) {
        log_.LogLine("Error, the " + what + " in " + where_ + " is undefined");
        return false;
    }
    bool failField(const std::string& what, const std::string& field) {
        log_.LogLine("Error, the " + what + " of field '" + field + "' in " + where_ +
                     " is undefined");
        return false;
    }

  private:
    AnalysisLog& log_;
    std::string where_;
};

bool buildChecks(const std::string& joined, BuildErrors& err, std::vector<FieldCheck>& checks) {
    checks.clear();
    for (const std::string& row : SplitList(joined, kRowSeparator)) {
        const std::vector<std::string> parts = SplitList(row, ';');
        const std::string name = part(parts, 0);
        const std::string mode = part(parts, 1);
        FieldCheck check;
        switch (mode.empty() ? '\0' : mode[0]) {
            case 'N':
                check.mode = kCheckNone;
                break;
            case 'L':
                check.mode = kCheckList;
                check.values = part(parts, 2);
                break;
            case 'T':
                check.mode = kCheckTolerance;
                if (!parseTypedDecimal(part(parts, 2), check.expected))
                    return err.failField("expected value", name);
                if (!parseTypedDecimal(part(parts, 3), check.delta))
                    return err.failField("delta", name);
                break;
            default:
                return err.failField("mode", name);
        }
        const std::string sent = part(parts, 4);
        check.sent = parts.size() > 4 && !sent.empty() && (sent[0] == 'Y' || sent[0] == 'y');
        checks.push_back(std::move(check));
    }
    return true;
}

// Interframe, duration and silent time of one emission; with check false unreadable numbers
// give 0 silently (a disabled phase is never run).
bool buildTimes(const std::string& interframe, const std::string& duration,
                const std::string& silent, bool check, BuildErrors& err, int& outInterframe,
                int& outDuration, int& outSilent) {
    outInterframe = outDuration = outSilent = 0;
    if (!parseTypedInteger(duration, outDuration) && check) return err.fail("duration");
    if (!parseTypedInteger(interframe, outInterframe) && check) return err.fail("interframe");
    if (!tenths(silent, outSilent) && check) return err.fail("silent time");
    return true;
}

std::string clean(std::string text) {
    std::string out;
    for (char c : text)
        if (c != ';' && c != kRowSeparator && c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

bool BuildEmcPhaseTable(const RunConf& conf, const std::vector<std::string>& lfNames,
                        AnalysisLog& log, EmcPhaseTable& table) {
    for (std::size_t p = 0; p < kEmcPhases; ++p) {
        EmcPhase& ph = table[p];
        BuildErrors err(log, "EMC phase " + std::to_string(p + 1));
        ph.enabled = conf.chkLFPhase[p];
        ph.frameName = conf.cboLFPhase[p];
        ph.frameIndex = findName(lfNames, ph.frameName);
        if (!buildTimes(conf.txtInterframePhase[p], conf.txtDurationPhase[p],
                        conf.txtSilentPhase[p], ph.enabled, err, ph.interframe, ph.duration,
                        ph.silent))
            return false;
        ph.analysis = conf.rdbPhase_Y[p]   ? kAnalysisPresence
                      : conf.rdbPhase_N[p] ? kAnalysisAbsence
                                           : kAnalysisNone;
        ph.name = conf.txtPhase[p];
        ph.rfFrame = conf.aRFFramePhase[p];
        ph.nbFrames = conf.iNbFramesPhase[p];
        ph.checks.clear();
        if (ph.enabled && !buildChecks(conf.aFieldsPhase[p], err, ph.checks)) return false;
        ph.checkCount = static_cast<int>(ph.checks.size());
    }
    return true;
}

bool BuildTstlfSettings(const RunConf& conf, const std::vector<std::string>& lfNames,
                        AnalysisLog& log, TstlfSettings& s) {
    BuildErrors err(log, "TSTLF mode");
    s.frameName = conf.cboTSTLF;
    s.frameIndex = findName(lfNames, s.frameName);
    if (!buildTimes(conf.txtInterframeTSTLF, conf.txtDurationTSTLF, conf.txtSilentTSTLF, true, err,
                    s.interframe, s.duration, s.silent))
        return false;
    s.rfFrame = conf.aRFFrameTSTLF;
    if (!buildChecks(conf.aFieldsTSTLF, err, s.checks)) return false;
    s.checkCount = static_cast<int>(s.checks.size());
    return true;
}

std::vector<std::string> DefaultFieldCheckRows(const std::string& rfItem) {
    std::vector<std::string> rows;
    for (const std::string& field : SplitList(ItemGetValue(rfItem, "Fields"), kRowSeparator))
        rows.push_back(field.substr(0, field.find(';')) + ";None;;;");
    if (ItemGetValue(rfItem, "CKS") == "1") rows.push_back("CKSGood;None;;");
    return rows;
}

const std::vector<std::string>& EmcParameterDialog::ModeItems() {
    static const std::vector<std::string> items{"None", "List", "Tol."};
    return items;
}

void EmcParameterDialog::cboModeChange() {
    if (cboMode == "List") {
        txtValues = "*";
    } else if (cboMode == "Tol.") {
        txtTolerance = "0.0";
        txtValues = "1.0";
    }
}

const std::vector<std::string>& EmcRfConfDialog::NbFramesItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v;
        for (int n = 1; n <= 1000; ++n) v.push_back(std::to_string(n));
        return v;
    }();
    return items;
}

void EmcRfConfDialog::FormShow(const std::vector<std::string>& rfItems) {
    const std::string frame = cboRFFrame;
    const std::vector<std::string> rows = lstFields;
    lstFields.clear();
    lstFieldsIndex = -1;

    cboRFFrameItems.clear();
    rows_.clear();
    for (const std::string& item : rfItems) {
        if (cboRFFrameItems.size() >= static_cast<std::size_t>(kMaxEmcDescriptions)) break;
        cboRFFrameItems.push_back(ItemGetValue(item, "Name"));
        rows_.push_back(DefaultFieldCheckRows(item));
    }

    cboRFFrameIndex = findName(cboRFFrameItems, frame);
    cboRFFrame = cboRFFrameIndex >= 0 ? frame : std::string();
    if (cboRFFrameIndex >= 0) {
        // The stored rows stay the frame's current rows, so choosing another frame and
        // coming back does not drop them.
        rows_[static_cast<std::size_t>(cboRFFrameIndex)] = rows;
        lstFields = rows;
    }
}

void EmcRfConfDialog::cboRFFrameChange(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= cboRFFrameItems.size()) return;
    cboRFFrameIndex = index;
    cboRFFrame = cboRFFrameItems[static_cast<std::size_t>(index)];
    lstFields = rows_[static_cast<std::size_t>(index)];
    lstFieldsIndex = -1;
}

bool EmcRfConfDialog::butModifierClick(EmcParameterDialog& dlg) const {
    if (lstFieldsIndex < 0 || static_cast<std::size_t>(lstFieldsIndex) >= lstFields.size())
        return false;
    const std::vector<std::string> parts =
        SplitList(lstFields[static_cast<std::size_t>(lstFieldsIndex)], ';');
    dlg.cboMode = part(parts, 1);
    dlg.cboModeChange();
    dlg.txtName = part(parts, 0);
    dlg.txtValues = part(parts, 2);
    dlg.txtTolerance = part(parts, 3);
    dlg.txtSent = part(parts, 4);
    if (dlg.txtSent.empty()) dlg.txtSent = "N";
    return true;
}

void EmcRfConfDialog::ApplyParameter(const EmcParameterDialog& dlg) {
    if (lstFieldsIndex < 0 || static_cast<std::size_t>(lstFieldsIndex) >= lstFields.size()) return;
    std::string& row = lstFields[static_cast<std::size_t>(lstFieldsIndex)];
    // A separator typed into a value would shift the parts of the row (or split it).
    row = part(SplitList(row, ';'), 0) + ";" + clean(dlg.cboMode) + ";" + clean(dlg.txtValues) +
          ";" + clean(dlg.txtTolerance) + ";" + clean(dlg.txtSent);
    if (cboRFFrameIndex >= 0 && static_cast<std::size_t>(cboRFFrameIndex) < rows_.size())
        rows_[static_cast<std::size_t>(cboRFFrameIndex)] = lstFields;
}

bool EmcRfConfDialog::butSaveClick() const {
    if (!panNbFrames) return true;
    int n = 0;
    return parseTypedInteger(cboNbFrames, n) && n >= 1 && n <= 1000;
}

std::string EmcRfConfDialog::JoinedRows() const {
    return JoinList(lstFields, kRowSeparator);
}

namespace {

std::string nbFramesText(int n) {
    return (n >= 1 && n <= 1000) ? std::to_string(n) : "1";
}

}  // namespace

bool ConfigurePhaseRf(RunConf& conf, int p, const std::vector<std::string>& rfItems,
                      const EmcConfModal& modal) {
    if (p < 0 || p >= kEmcPhases || !modal) return false;
    const std::size_t i = static_cast<std::size_t>(p);
    EmcRfConfDialog dlg;
    dlg.lblPhase = conf.txtPhase[i];
    dlg.lblLF = conf.cboLFPhase[i];
    dlg.cboRFFrame = conf.aRFFramePhase[i];
    // The count list starts at 1; a stored 0 (never configured) shows the first item.
    dlg.cboNbFrames = nbFramesText(conf.iNbFramesPhase[i]);
    dlg.lstFields = SplitList(conf.aFieldsPhase[i], kRowSeparator);
    dlg.caption = EmcRfConfDialog::kEmcCaption;
    dlg.panPhase = dlg.panNbFrames = true;
    dlg.FormShow(rfItems);
    if (!modal(dlg) || !dlg.butSaveClick()) return false;
    conf.aRFFramePhase[i] = dlg.cboRFFrame;
    parseTypedInteger(dlg.cboNbFrames, conf.iNbFramesPhase[i]);
    conf.aFieldsPhase[i] = dlg.JoinedRows();
    conf.Changed();
    return true;
}

bool ConfigureTstlfRf(RunConf& conf, const std::vector<std::string>& rfItems,
                      const EmcConfModal& modal) {
    if (!modal) return false;
    EmcRfConfDialog dlg;
    dlg.cboRFFrame = conf.aRFFrameTSTLF;
    dlg.lstFields = SplitList(conf.aFieldsTSTLF, kRowSeparator);
    dlg.caption = EmcRfConfDialog::kTstlfCaption;
    dlg.panPhase = dlg.panNbFrames = false;
    dlg.FormShow(rfItems);
    if (!modal(dlg)) return false;
    conf.aRFFrameTSTLF = dlg.cboRFFrame;
    conf.aFieldsTSTLF = dlg.JoinedRows();
    conf.Changed();
    return true;
}

}  // namespace vornlfrf::config
