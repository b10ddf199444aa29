#include "config/configuration_set.h"

namespace vornlfrf::config {

ConfigurationSet::ConfigurationSet(Host& host, ConfigurationDocument& document)
    : doc(document), lf(host), rf(host, [&document] { document.MarkModified(); }) {
    lf.attachTo(doc);
    doc.setHandler(SectionSlot::RfFrame, &rf);
    doc.setAnalyser(AnalysisStep::RfDescriptions, makeRfAnalyser(rf, rxDescriptions, tables));
}

}  // namespace vornlfrf::config
