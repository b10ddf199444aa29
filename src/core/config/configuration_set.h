#pragma once
// Every configuration model of the program, registered with the document in handler order and
// wired into the analysis chain. The desktop program, the command line and the run engine share
// this one assembly.

#include "common/host.h"
#include "config/configuration_document.h"
#include "config/lf_conf.h"
#include "config/rf_analysis.h"
#include "config/rf_conf.h"
#include "config/rf_description.h"
#include "config/run_conf.h"
#include "config/run_conf_analysis.h"

namespace vornlfrf::config {

struct ConfigurationSet {
    ConfigurationSet(Host& host, ConfigurationDocument& doc);
    ConfigurationSet(const ConfigurationSet&) = delete;
    ConfigurationSet& operator=(const ConfigurationSet&) = delete;

    ConfigurationDocument& doc;
    LfConf lf;
    RfConf rf;
    RxDescriptionTable rxDescriptions;
    TableStore tables;
    RunConf run;
    TCYCLIC cyclic;
    RunConfDerived runDerived;

    // The LF frames as the run configuration sees them (names, kind, parameters).
    std::vector<LfFrameInfo> lfFrameInfo() const;
    std::vector<std::string> lfFrameNames() const;
};

}  // namespace vornlfrf::config
