#include "config/configuration_set.h"

#include "config/item_text.h"

namespace vornlfrf::config {

ConfigurationSet::ConfigurationSet(Host& host, ConfigurationDocument& document)
    : doc(document), lf(host), rf(host, [&document] { document.MarkModified(); }) {
    lf.attachTo(doc);
    doc.setHandler(SectionSlot::RfFrame, &rf);
    doc.setAnalyser(AnalysisStep::RfDescriptions, makeRfAnalyser(rf, rxDescriptions, tables));
    run.markModified = [&document] { document.MarkModified(); };
    doc.setHandler(SectionSlot::RunConf, &run);
    doc.setAnalyser(AnalysisStep::RunConfiguration, [this](AnalysisLog& log) {
        return AnalyseRunConfiguration(run, lfFrameInfo(), log, cyclic, runDerived);
    });
}

std::vector<LfFrameInfo> ConfigurationSet::lfFrameInfo() const {
    std::vector<LfFrameInfo> out;
    const LfFrameTable& t = lf.table();
    for (int i = 0; i < t.count; ++i) {
        const TLFEMI& f = t.frames[static_cast<std::size_t>(i)];
        out.push_back(
            {f.Name, f.IsData == 1, {f.ParamNames.begin(), f.ParamNames.begin() + f.ParamCount}});
    }
    return out;
}

std::vector<std::string> ConfigurationSet::lfFrameNames() const {
    std::vector<std::string> out;
    for (const std::string& item : lf.frames()) out.push_back(ItemGetValue(item, "Name"));
    return out;
}

}  // namespace vornlfrf::config
