#include "config/run_conf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>

#include "config/item_text.h"

namespace vornlfrf::config {

namespace {

using runconf::kSection;

bool beginsWithLF(const std::string& receiver) {
    return receiver.rfind("LF", 0) == 0;
}

std::string num(int i) {
    return std::to_string(i);
}

// Radio buttons are set one by one: setting a button selects it and clears the others of its
// group, clearing it clears only itself.
void setRadio(std::initializer_list<bool*> group, std::size_t index, bool value) {
    std::size_t i = 0;
    for (bool* b : group) {
        if (value)
            *b = (i == index);
        else if (i == index)
            *b = false;
        ++i;
    }
}

std::vector<std::string> numberItems(int first, int last, int step) {
    std::vector<std::string> items;
    for (int v = first; v <= last; v += step) items.push_back(num(v));
    return items;
}

// Item-index keys: an index outside the list falls back to the load default.
int readItemIndex(const IniDocument& doc, const std::string& key, int def, std::size_t count) {
    const int v = doc.readInteger(kSection, key, def);
    return (v >= 0 && static_cast<std::size_t>(v) < count) ? v : def;
}

std::string itemText(const std::vector<std::string>& items, int index) {
    return (index >= 0 && static_cast<std::size_t>(index) < items.size())
               ? items[static_cast<std::size_t>(index)]
               : std::string();
}

}  // namespace

namespace runconf {

const std::vector<std::string>& ListSizeItems() {
    static const std::vector<std::string> items{"10", "20", "50", "100", "200", "500"};
    return items;
}

const std::vector<std::string>& DisplayedDigitItems() {
    static const std::vector<std::string> items = numberItems(0, 8, 1);
    return items;
}

const std::vector<std::string>& InterFrameItems() {
    static const std::vector<std::string> items = numberItems(0, 255, 1);
    return items;
}

const std::vector<std::string>& BaudRateItems() {
    static const std::vector<std::string> items{"9600", "19200", "38400", "57600", "115200"};
    return items;
}

const std::vector<std::string>& GetIdCountItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v = numberItems(1, 10, 1);
        for (int n = 20; n <= 100; n += 10) v.push_back(num(n));
        return v;
    }();
    return items;
}

}  // namespace runconf

RunConf::RunConf() {
    butAskFsk.fill(runconf::kFsk);
    butAskFskVisible.fill(true);
    lstFramesIndex.fill(-1);
}

void RunConf::InitRunConf(const std::vector<std::string>& receiverTypeNames) {
    bLoading = true;
    cboItems.clear();
    for (const std::string& name : receiverTypeNames)
        if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z') cboItems.push_back(name);
    std::sort(cboItems.begin(), cboItems.end());
    cboInterFrameItems = runconf::InterFrameItems();
    bLoading = false;
}

void RunConf::Changed() {
    if (!bLoading && markModified) markModified();
}

void RunConf::RefreshSlot(int c) {
    cboEnabled[static_cast<std::size_t>(c)] = chk[c];
}

int RunConf::processSection(IniDocument* doc, ConfigAction action) {
    bLoading = true;
    switch (action) {
        case ConfigAction::Save:
            if (doc) Save(*doc);
            break;
        case ConfigAction::Load:
            if (doc) Load(*doc);
            break;
        case ConfigAction::Defaults:
            Defaults();
            break;
    }
    bLoading = false;
    if (action != ConfigAction::Save && onSettingsReplaced) onSettingsReplaced();
    return 0;
}

void RunConf::Save(IniDocument& doc) const {
    auto wb = [&](const std::string& k, bool v) { doc.writeBool(kSection, k, v); };
    auto ws = [&](const std::string& k, const std::string& v) { doc.writeString(kSection, k, v); };
    auto wi = [&](const std::string& k, int v) { doc.writeInteger(kSection, k, v); };

    for (int c = 0; c < kRxSlots; ++c) wb("chk" + num(c + 1), chk[c]);
    for (int c = 0; c < kRxSlots; ++c) ws("cbo" + num(c + 1), cbo[c]);
    for (int c = 0; c < kRxSlots; ++c) ws("Mode" + num(c + 1), butAskFsk[c]);
    wb("Uncompleted", chkUncompleted);
    for (int c = 0; c < kRxSlots; ++c) {
        const auto& list = lstFrames[c];
        wi("NbDescription" + num(c + 1), static_cast<int>(list.size()));
        for (std::size_t i = 0; i < list.size(); ++i)
            ws("L" + num(c + 1) + "_" + std::to_string(i), list[i]);
    }
    wb("Manual", rdbLFManual);
    wb("Script", rdbLFScript);
    wb("Brodcast", rdbLFBrodcast);
    wb("Individual", rdbLFIndividual);
    wb("EMC", rdbLFEMC);
    wb("TSTLF", rdbLFTSTLF);
    ws("cboBrodcast", cboBrodcast);
    ws("cboIndividual", cboIndividual);
    ws("cboON", txtON);
    ws("cboOFF", txtOFF);
    ws("cboInterFrame", cboInterFrame);
    wb("rdbIDAll", rdbIDAll);
    wb("rdbIDManual", rdbIDManual);
    ws("txtID", txtID);

    for (int p = 0; p < kEmcPhases; ++p) wb("chkLFPhase" + num(p + 1), chkLFPhase[p]);
    for (int p = 0; p < kEmcPhases; ++p) ws("cboLFPhase" + num(p + 1), cboLFPhase[p]);
    for (int p = 0; p < kEmcPhases; ++p)
        ws("txtInterframePhase" + num(p + 1), txtInterframePhase[p]);
    for (int p = 0; p < kEmcPhases; ++p) ws("txtDurationPhase" + num(p + 1), txtDurationPhase[p]);
    for (int p = 0; p < kEmcPhases; ++p) ws("Silent" + num(p + 1), txtSilentPhase[p]);
    for (int p = 0; p < kEmcPhases; ++p) {
        ws("aRFFramePhase" + num(p + 1), aRFFramePhase[p]);
        wi("iNbFramesPhase" + num(p + 1), iNbFramesPhase[p]);
    }
    for (int p = 0; p < kEmcPhases; ++p) ws("aFieldsPhase" + num(p + 1), aFieldsPhase[p]);
    wb("chkCalibration", chkCalibration);
    wb("chkRecalibration", chkRecalibration);
    wb("chkEMCOutFields", chkEMCOutFields);
    ws("txtRecalibration", txtRecalibration);
    for (int p = 0; p < kEmcPhases; ++p) ws("txtPhase" + num(p + 1), txtPhase[p]);
    for (int p = 0; p < kEmcPhases; ++p)
        wi("rdbRFModePhase" + num(p + 1), rdbPhase_Y[p] ? 3 : rdbPhase_N[p] ? 2 : 1);
    wi("EMCSimulation", rdbEMCCom ? 0 : 1);
    ws("EMCPort", txtEMCPort);
    wi("EMCBaudrate", cboEMCBaudrate);
    wb("rdbPhaseOutput", rdbPhaseOutput);
    wb("rdbCycleOutput", rdbCycleOutput);
    ws("cboTSTLF", cboTSTLF);
    ws("txtInterframeTSTLF", txtInterframeTSTLF);
    ws("txtDurationTSTLF", txtDurationTSTLF);
    ws("txtSilentTSTLF", txtSilentTSTLF);
    ws("TSTLFPort", txtTSTLFPort);
    wi("TSTLFBaudrate", cboTSTLFBaudrate);
    ws("aFieldsTSTLF", aFieldsTSTLF);
    ws("aRFFrameTSTLF", aRFFrameTSTLF);

    ws("cboNFull", cboNFull);
    ws("cboNDatas", cboNDatas);
    ws("txtMaxXML", txtCSVLines);
    ws("MeterMin", txtMeterMin);
    ws("MeterMax", txtMeterMax);
    wi("cboDisplayedDigits", cboDisplayedDigits);
    wb("NoFile", chkNoFiles);
    wb("ChkLSEOffset", chkLSEOffset);
    ws("LSEOffset", txtLSEOffset);

    wb("chkAlertActive", chkAlertActive);
    wb("chkTimeOut", chkTimeOut);
    ws("txtTimeOut", txtTimeOut);
    ws("txtAlertField1", txtAlertField[0]);
    ws("txtAlertField2", txtAlertField[1]);
    for (int n = 0; n < kAlertLevels; ++n) {
        const std::string l = num(n + 1);
        wb("chkAlertInf" + l, chkAlertInf[n]);
        wb("chkAlertSup" + l, chkAlertSup[n]);
        ws("txtAlertThreshold" + l, txtAlertThreshold[n]);
        wb("chkAlertFix" + l, chkAlertFix[n]);
        wb("chkAlertBlink" + l + "_500", chkAlertBlink_500[n]);
        wb("chkAlertBlink" + l + "_1000", chkAlertBlink_1000[n]);
        wb("chkAlertBlink" + l + "_2000", chkAlertBlink_2000[n]);
        wb("chkAlertWaveNo" + l, chkAlertWaveNo[n]);
        wb("chkAlertWaveYes" + l, chkAlertWaveYes[n]);
        ws("txtAlertWave" + l, txtAlertWave[n]);
    }
}

void RunConf::Load(const IniDocument& doc) {
    auto rb = [&](const std::string& k, bool d) { return doc.readBool(kSection, k, d); };
    auto rs = [&](const std::string& k, const std::string& d) {
        return doc.readString(kSection, k, d);
    };
    auto ri = [&](const std::string& k, int d) { return doc.readInteger(kSection, k, d); };

    for (int c = 0; c < kRxSlots; ++c) chk[c] = rb("chk" + num(c + 1), false);
    for (int c = 0; c < kRxSlots; ++c) RefreshSlot(c);
    for (int c = 0; c < kRxSlots; ++c) cbo[c] = rs("cbo" + num(c + 1), "");
    for (int c = 0; c < kRxSlots; ++c) {
        const std::string mode = rs("Mode" + num(c + 1), runconf::kFsk);
        const bool lf = beginsWithLF(cbo[c]);
        butAskFsk[c] = lf ? std::string() : mode;
        butAskFskVisible[c] = !lf;
    }
    chkUncompleted = rb("Uncompleted", false);
    // A count can name no more items than the section holds keys; a damaged count must not
    // make the load allocate without bound.
    const std::size_t keyCount = doc.keys(kSection).size();
    for (int c = 0; c < kRxSlots; ++c) {
        const int n = ri("NbDescription" + num(c + 1), 0);
        const std::size_t count =
            std::min<std::size_t>(n > 0 ? static_cast<std::size_t>(n) : 0, keyCount);
        auto& list = lstFrames[c];
        list.clear();
        for (std::size_t i = 0; i < count; ++i)
            list.push_back(rs("L" + num(c + 1) + "_" + std::to_string(i), ""));
        lstFramesIndex[c] = -1;
    }
    const std::initializer_list<bool*> modes{&rdbLFManual,     &rdbLFScript, &rdbLFBrodcast,
                                             &rdbLFIndividual, &rdbLFEMC,    &rdbLFTSTLF};
    setRadio(modes, 0, rb("Manual", true));
    setRadio(modes, 1, rb("Script", false));
    setRadio(modes, 2, rb("Brodcast", false));
    setRadio(modes, 3, rb("Individual", false));
    setRadio(modes, 4, rb("EMC", false));
    setRadio(modes, 5, rb("TSTLF", false));
    cboBrodcast = rs("cboBrodcast", "");
    cboIndividual = rs("cboIndividual", "");
    txtON = rs("cboON", "1");
    txtOFF = rs("cboOFF", "1");
    cboInterFrame = rs("cboInterFrame", "1");
    setRadio({&rdbIDAll, &rdbIDManual}, 0, rb("rdbIDAll", true));
    setRadio({&rdbIDAll, &rdbIDManual}, 1, rb("rdbIDManual", false));
    txtID = rs("txtID", "");

    for (int p = 0; p < kEmcPhases; ++p) chkLFPhase[p] = rb("chkLFPhase" + num(p + 1), false);
    for (int p = 0; p < kEmcPhases; ++p)
        cboLFPhase[p] = rs("cboLFPhase" + num(p + 1), runconf::kNoEmission);
    for (int p = 0; p < kEmcPhases; ++p)
        txtInterframePhase[p] = rs("txtInterframePhase" + num(p + 1), "10");
    for (int p = 0; p < kEmcPhases; ++p)
        txtDurationPhase[p] = rs("txtDurationPhase" + num(p + 1), "10");
    for (int p = 0; p < kEmcPhases; ++p) txtSilentPhase[p] = rs("Silent" + num(p + 1), "0.0");
    for (int p = 0; p < kEmcPhases; ++p) {
        aRFFramePhase[p] = rs("aRFFramePhase" + num(p + 1), "");
        iNbFramesPhase[p] = ri("iNbFramesPhase" + num(p + 1), 0);
    }
    for (int p = 0; p < kEmcPhases; ++p) aFieldsPhase[p] = rs("aFieldsPhase" + num(p + 1), "");
    chkCalibration = rb("chkCalibration", true);
    chkRecalibration = rb("chkRecalibration", true);
    chkEMCOutFields = rb("chkEMCOutFields", false);
    txtRecalibration = rs("txtRecalibration", "2400");
    for (int p = 0; p < kEmcPhases; ++p)
        txtPhase[p] = rs("txtPhase" + num(p + 1), "Phase" + num(p + 1));
    for (int p = 0; p < kEmcPhases; ++p) {
        const int test = ri("rdbRFModePhase" + num(p + 1), 1);
        // Unknown values select "No test", the load default.
        const std::size_t button = (test == 2) ? 1 : (test == 3) ? 2 : 0;
        setRadio({&rdbPhase_X[p], &rdbPhase_N[p], &rdbPhase_Y[p]}, button, true);
    }
    rdbEMCCom = ri("EMCSimulation", 0) == 0;
    txtEMCPort = rs("EMCPort", "1");
    cboEMCBaudrate = readItemIndex(doc, "EMCBaudrate", 1, runconf::BaudRateItems().size());
    setRadio({&rdbPhaseOutput, &rdbCycleOutput}, 0, rb("rdbPhaseOutput", true));
    setRadio({&rdbPhaseOutput, &rdbCycleOutput}, 1, rb("rdbCycleOutput", false));
    cboTSTLF = rs("cboTSTLF", runconf::kNoEmission);
    txtInterframeTSTLF = rs("txtInterframeTSTLF", "10");
    txtDurationTSTLF = rs("txtDurationTSTLF", "10");
    txtSilentTSTLF = rs("txtSilentTSTLF", "1");
    txtTSTLFPort = rs("TSTLFPort", "1");
    cboTSTLFBaudrate = readItemIndex(doc, "TSTLFBaudrate", 1, runconf::BaudRateItems().size());
    aFieldsTSTLF = rs("aFieldsTSTLF", "");
    aRFFrameTSTLF = rs("aRFFrameTSTLF", "");
    // Window-only TSTLF settings go back to their design state.
    rdbTSTLFCom = true;
    chkTSTLFOutFields = false;

    cboNFull = rs("cboNFull", "50");
    cboNDatas = rs("cboNDatas", "50");
    txtCSVLines = rs("txtMaxXML", "32000");
    txtMeterMin = rs("MeterMin", "0.0");
    txtMeterMax = rs("MeterMax", "100.0");
    cboDisplayedDigits =
        readItemIndex(doc, "cboDisplayedDigits", 4, runconf::DisplayedDigitItems().size());
    chkNoFiles = rb("NoFile", false);
    chkLSEOffset = rb("ChkLSEOffset", false);
    txtLSEOffset = rs("LSEOffset", "0");

    chkAlertActive = rb("chkAlertActive", false);
    chkTimeOut = rb("chkTimeOut", false);
    txtTimeOut = rs("txtTimeOut", "2");
    txtAlertField[0] = rs("txtAlertField1", "Pressure");
    txtAlertField[1] = rs("txtAlertField2", runconf::kNone);
    static const char* const kThresholds[kAlertLevels] = {"2.0", "1.5"};
    for (std::size_t n = 0; n < kAlertLevels; ++n) {
        const std::string l = num(static_cast<int>(n) + 1);
        const std::initializer_list<bool*> cmp{&chkAlertInf[n], &chkAlertSup[n]};
        setRadio(cmp, 0, rb("chkAlertInf" + l, true));
        setRadio(cmp, 1, rb("chkAlertSup" + l, true));
        txtAlertThreshold[n] = rs("txtAlertThreshold" + l, kThresholds[n]);
        const std::initializer_list<bool*> out{&chkAlertFix[n], &chkAlertBlink_500[n],
                                               &chkAlertBlink_1000[n], &chkAlertBlink_2000[n]};
        setRadio(out, 0, rb("chkAlertFix" + l, true));
        setRadio(out, 1, rb("chkAlertBlink" + l + "_500", true));
        setRadio(out, 2, rb("chkAlertBlink" + l + "_1000", true));
        setRadio(out, 3, rb("chkAlertBlink" + l + "_2000", true));
        const std::initializer_list<bool*> wave{&chkAlertWaveNo[n], &chkAlertWaveYes[n]};
        setRadio(wave, 0, rb("chkAlertWaveNo" + l, true));
        setRadio(wave, 1, rb("chkAlertWaveYes" + l, true));
        txtAlertWave[n] = rs("txtAlertWave" + l, runconf::kNone);
    }
}

void RunConf::Defaults() {
    for (int c = 0; c < kRxSlots; ++c) {
        chk[c] = false;
        RefreshSlot(c);
    }
    chkUncompleted = true;
    for (int c = 0; c < kRxSlots; ++c) {
        lstFrames[c].clear();
        lstFramesIndex[c] = -1;
    }
    SelectMode(kModeManual);
    cboBrodcast.clear();
    cboIndividual.clear();
    txtON = "1";
    txtOFF = "1";
    cboInterFrame = runconf::InterFrameItems()[0];
    setRadio({&rdbIDAll, &rdbIDManual}, 0, true);
    txtID.clear();

    for (std::size_t p = 0; p < kEmcPhases; ++p) {
        chkLFPhase[p] = false;
        cboLFPhase[p] = runconf::kNoEmission;
        txtInterframePhase[p] = "10";
        txtDurationPhase[p] = "10";
        txtSilentPhase[p] = "1";
        aRFFramePhase[p].clear();
        iNbFramesPhase[p] = 0;
        aFieldsPhase[p].clear();
        txtPhase[p] = num(static_cast<int>(p) + 1);
        setRadio({&rdbPhase_X[p], &rdbPhase_N[p], &rdbPhase_Y[p]}, 0, true);
    }
    chkCalibration = true;
    chkRecalibration = true;
    chkEMCOutFields = false;
    txtRecalibration = "2400";
    txtEMCPort = "1";
    cboEMCBaudrate = 0;
    setRadio({&rdbPhaseOutput, &rdbCycleOutput}, 0, true);
    cboTSTLF = runconf::kNoEmission;
    txtInterframeTSTLF = "10";
    txtDurationTSTLF = "10";
    txtSilentTSTLF = "1";
    txtTSTLFPort = "1";
    cboTSTLFBaudrate = 0;
    aFieldsTSTLF.clear();
    aRFFrameTSTLF.clear();
    rdbTSTLFCom = true;
    chkTSTLFOutFields = false;

    cboNFull = "100";
    cboNDatas = "100";
    txtCSVLines = "32000";
    txtMeterMin = "0.0";
    txtMeterMax = "100.0";
    cboDisplayedDigits = 4;
    chkLSEOffset = false;
    txtLSEOffset = "0";

    chkAlertActive = false;
    chkTimeOut = false;
    txtTimeOut = "2";
    txtAlertField = {"Pressure", runconf::kNone};
    txtAlertThreshold = {"2.0", "1.5"};
    for (std::size_t n = 0; n < kAlertLevels; ++n) {
        setRadio({&chkAlertInf[n], &chkAlertSup[n]}, 0, true);
        // Level 1 blinks at 500 ms, level 2 stays fixed.
        setRadio({&chkAlertFix[n], &chkAlertBlink_500[n], &chkAlertBlink_1000[n],
                  &chkAlertBlink_2000[n]},
                 n == 0 ? 1 : 0, true);
        setRadio({&chkAlertWaveNo[n], &chkAlertWaveYes[n]}, 0, true);
        txtAlertWave[n] = runconf::kNone;
    }
}

int RunConf::RunMode() const {
    const bool modes[] = {rdbLFManual,     rdbLFScript, rdbLFBrodcast,
                          rdbLFIndividual, rdbLFEMC,    rdbLFTSTLF};
    for (int m = 0; m < 6; ++m)
        if (modes[m]) return m;
    return -1;
}

int RunConf::IdFilterMode() const {
    if (rdbIDAll) return 0;
    if (rdbIDManual) return 1;
    return 2;
}

void RunConf::SelectMode(int mode) {
    if (mode < kModeManual || mode > kModeTstlf) return;
    setRadio({&rdbLFManual, &rdbLFScript, &rdbLFBrodcast, &rdbLFIndividual, &rdbLFEMC, &rdbLFTSTLF},
             static_cast<std::size_t>(mode), true);
    Changed();
}

void RunConf::SelectIdFilter(bool all) {
    setRadio({&rdbIDAll, &rdbIDManual}, all ? 0 : 1, true);
    Changed();
}

ModePanels RunConf::VisiblePanels() const {
    ModePanels p;
    switch (RunMode()) {
        case kModeBroadcast:
            p.panParamCyclic = p.panBroadcast = true;
            break;
        case kModeIndividual:
            p.panParamCyclic = p.panIndividual = true;
            break;
        case kModeEmc:
            p.panEMC = true;
            break;
        case kModeTstlf:
            p.panTSTLF = true;
            break;
        default:
            break;
    }
    return p;
}

std::vector<std::string> RunConf::BroadcastFrameItems(const std::vector<LfFrameInfo>& lf) {
    std::vector<std::string> items;
    for (const LfFrameInfo& f : lf) items.push_back(f.name);
    return items;
}

std::vector<std::string> RunConf::IndividualFrameItems(const std::vector<LfFrameInfo>& lf) {
    std::vector<std::string> items;
    for (const LfFrameInfo& f : lf)
        if (f.isData) items.push_back(f.name);
    return items;
}

std::vector<std::string> RunConf::PhaseFrameItems(const std::vector<LfFrameInfo>& lf) {
    std::vector<std::string> items{runconf::kNoEmission};
    for (const LfFrameInfo& f : lf) items.push_back(f.name);
    return items;
}

std::vector<std::string> RunConf::DescriptionNames(const std::vector<std::string>& rfItems) {
    std::vector<std::string> names;
    for (const std::string& item : rfItems) names.push_back(ItemGetValue(item, "Name"));
    return names;
}

void RunConf::chkClick(int c) {
    if (!ValidSlot(c)) return;
    RefreshSlot(c);
    Changed();
}

void RunConf::cboChange(int c) {
    if (!ValidSlot(c)) return;
    const bool lf = beginsWithLF(cbo[c]);
    butAskFsk[c] = lf ? std::string() : std::string(runconf::kFsk);
    butAskFskVisible[c] = !lf;
    Changed();
}

void RunConf::butAskFskXClick(int c) {
    if (!ValidSlot(c)) return;
    butAskFsk[c] = (butAskFsk[c] == runconf::kFsk) ? runconf::kAsk : runconf::kFsk;
    Changed();
}

void RunConf::butAddClick(int c, const std::vector<std::string>& rfNames) {
    if (!ValidSlot(c)) return;
    lstDescriptions = rfNames;
    popupSlot = c;
    panListeDescriptions = true;
}

void RunConf::lstDescriptionsClick(int i) {
    if (!panListeDescriptions || !ValidSlot(popupSlot) || i < 0 ||
        static_cast<std::size_t>(i) >= lstDescriptions.size())
        return;
    lstFrames[popupSlot].push_back(lstDescriptions[static_cast<std::size_t>(i)]);
    ClosePopup();
    Changed();
}

void RunConf::ClosePopup() {
    panListeDescriptions = false;
    popupSlot = -1;
}

void RunConf::butDelClick(int c) {
    if (!ValidSlot(c)) return;
    auto& list = lstFrames[c];
    const int sel = lstFramesIndex[c];
    if (sel < 0 || static_cast<std::size_t>(sel) >= list.size()) return;
    list.erase(list.begin() + sel);
    lstFramesIndex[c] = -1;
    Changed();
}

void RunConf::butBasClick(int c) {
    if (!ValidSlot(c)) return;
    auto& list = lstFrames[c];
    const int sel = lstFramesIndex[c];
    if (sel < 0 || static_cast<std::size_t>(sel) + 1 >= list.size()) return;
    std::swap(list[static_cast<std::size_t>(sel)], list[static_cast<std::size_t>(sel) + 1]);
    lstFramesIndex[c] = sel + 1;
    Changed();
}

void RunConf::butHautClick(int c) {
    if (!ValidSlot(c)) return;
    auto& list = lstFrames[c];
    const int sel = lstFramesIndex[c];
    if (sel <= 0 || static_cast<std::size_t>(sel) >= list.size()) return;
    std::swap(list[static_cast<std::size_t>(sel)], list[static_cast<std::size_t>(sel) - 1]);
    lstFramesIndex[c] = sel - 1;
    Changed();
}

void RunConf::butGetIDOkClick(std::vector<std::string>& runIds) {
    std::sort(runIds.begin(), runIds.end());
    int n = 0;
    if (!parseTypedInteger(cboFirst, n) || n < 0) n = 0;
    const std::size_t count = std::min(static_cast<std::size_t>(n), runIds.size());
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += ", ";
        text += runIds[i];
    }
    txtID = text;
    panGetID = false;
    Changed();
}

std::size_t RunConf::mnuPasteID(const std::string& text, std::size_t selStart,
                                std::size_t selLength) {
    selStart = std::min(selStart, txtID.size());
    selLength = std::min(selLength, txtID.size() - selStart);
    txtID.replace(selStart, selLength, text);
    Changed();
    return selStart + text.size();
}

std::string RunConf::mnuCopyIDs(std::size_t selStart, std::size_t selLength) const {
    if (selStart >= txtID.size()) return {};
    return txtID.substr(selStart, selLength);
}

std::string RunConf::EmcBaudRateText() const {
    return itemText(runconf::BaudRateItems(), cboEMCBaudrate);
}

std::string RunConf::TstlfBaudRateText() const {
    return itemText(runconf::BaudRateItems(), cboTSTLFBaudrate);
}

char FilterIdKey(char key) {
    if (key >= 'a' && key <= 'f') return static_cast<char>(key - 'a' + 'A');
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || key == ' ' || key == ',' ||
        key == '\b')
        return key;
    return 0;
}

std::string FilterIdText(const std::string& text) {
    std::string out;
    for (char c : text) {
        const char k = FilterIdKey(c);
        if (k != 0 && k != '\b') out += k;
    }
    return out;
}

bool DigitOnlyKey(char key) {
    return (key >= '0' && key <= '9') || (static_cast<unsigned char>(key) < 32);
}

bool parseTypedInteger(const std::string& text, int& out) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return false;
    const std::size_t e = text.find_last_not_of(' ');
    return parseInt(text.substr(b, e - b + 1), out);
}

bool parseTypedDecimal(const std::string& text, double& out) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    if (b < e && text[b] == '+') ++b;
    if (b == e) return false;
    // Only the plain decimal form: from_chars would also take "inf", "nan" and hex floats.
    for (std::size_t i = b; i < e; ++i) {
        const char ch = text[i];
        if (!((ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == 'e' || ch == 'E' ||
              ch == '+'))
            return false;
    }
    double v = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e, v);
    if (ec != std::errc() || ptr != text.data() + e || !std::isfinite(v)) return false;
    out = v;
    return true;
}

}  // namespace vornlfrf::config
