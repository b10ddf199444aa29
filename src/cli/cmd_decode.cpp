// vornlfrf-cli decode CONFIG.cfg ACQUISITIONS.bin [--receivers T1,T2,T3,T4] [--raw] [--out DIR]
// Decodes a recorded acquisition headless, as a run would: the configuration's descriptions
// attributed to the channels by its receiver slots, its options and ID filter. Prints every
// logged row, one per line, and writes the result files into DIR.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "commands.h"
#include "common/sim_host.h"
#include "config/configuration_set.h"
#include "config/item_text.h"
#include "hw/receiver_types.h"
#include "run/decoding_pipeline.h"

namespace vornlfrf::cli {

namespace {

namespace fs = std::filesystem;

int usage(const char* why) {
    std::fprintf(stderr,
                 "decode: %s\nusage: vornlfrf-cli decode CONFIG.cfg ACQUISITIONS.bin "
                 "[--receivers TYPE1,TYPE2,TYPE3,TYPE4] [--raw] [--out DIR]\n",
                 why);
    return kUsageError;
}

bool knownReceiverType(const std::string& t) {
    for (const char* name : hw::ReceiverTypes)
        if (t == name) return true;
    return false;
}

}  // namespace

int cmdDecode(const Args& args) {
    std::vector<std::string> positional;
    std::string receivers, outDir;
    bool raw = false, haveReceivers = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--raw") {
            raw = true;
        } else if (a == "--receivers" || a == "--out") {
            if (i + 1 >= args.size()) return usage("missing value");
            (a == "--out" ? outDir : receivers) = args[++i];
            if (a == "--receivers") haveReceivers = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage("unknown option");
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) return usage("expected a configuration and an acquisition file");
    const std::string& cfgPath = positional[0];
    const std::string& dataPath = positional[1];
    std::error_code ec;
    if (!fs::is_regular_file(cfgPath, ec)) return usage("cannot read the configuration");
    std::ifstream data(dataPath, std::ios::binary);
    if (!data) return usage("cannot read the acquisition file");

    SimHost host;
    host.setWallClockOrigin(static_cast<std::int64_t>(std::time(nullptr)) * 1000);
    config::ConfigurationDocument doc(host, fs::current_path(ec).string(), "VornLFRF");
    auto cfg = std::make_unique<config::ConfigurationSet>(host, doc);
    doc.loadFrom(cfgPath);
    if (!doc.AnalyseConfiguration()) {
        for (const std::string& line : doc.log().lines()) std::printf("%s\n", line.c_str());
        return 1;
    }
    const config::RunConf& rc = cfg->run;

    // Channel types: given, or those the ticked slots ask for, in slot order.
    std::array<std::string, 4> types;
    types.fill(hw::ReceiverTypes[0]);
    if (haveReceivers) {
        const std::vector<std::string> given = config::SplitList(receivers, ',');
        if (given.size() > 4) return usage("at most four receiver types");
        for (std::size_t c = 0; c < given.size(); ++c) {
            const std::string t = config::TrimControl(given[c]);
            if (!knownReceiverType(t)) return usage("unknown receiver type");
            types[c] = t;
        }
    } else {
        std::size_t c = 0;
        for (std::size_t s = 0; s < 4; ++s)
            if (rc.chk[s]) types[c++] = rc.cbo[s];
    }

    std::array<run::ReceiverSlot, 4> slots;
    for (std::size_t i = 0; i < 4; ++i)
        slots[i] = {rc.chk[i], rc.cbo[i], rc.butAskFsk[i], rc.lstFrames[i]};
    std::vector<std::string> names;
    for (int d = 0; d < cfg->rxDescriptions.count; ++d)
        names.push_back(cfg->rxDescriptions.records[static_cast<std::size_t>(d)].Name);
    run::Attribution attribution;
    if (!run::AttributeDescriptions(slots, types, names, doc.log(), attribution)) {
        for (const std::string& line : doc.log().lines()) std::printf("%s\n", line.c_str());
        return 1;
    }

    const std::string name = fs::path(cfgPath).stem().string();
    if (outDir.empty()) outDir = (fs::path(cfgPath).parent_path() / (name + "_decoded")).string();
    fs::create_directories(outDir, ec);
    if (ec) return usage("cannot create the output folder");

    run::DecodingPipeline pipeline(host, cfg->tables);
    pipeline.setup(attribution, cfg->rxDescriptions, cfg->rf.txtPWM0, cfg->rf.txtPWM1,
                   cfg->runDerived.lseOffset);
    pipeline.resultLog().hooks.rowLogged = [](int, const run::ResultRow& r, bool) {
        std::fwrite(r.rowText.data(), 1, r.rowText.size(), stdout);
        std::fputc('\n', stdout);
    };
    run::ResultLogSettings ls;
    ls.sResultsBase = (fs::path(outDir) / name).string();
    ls.rowLimit = cfg->runDerived.xmlRowLimit > 0 ? cfg->runDerived.xmlRowLimit : ls.rowLimit;
    run::AcquisitionOptions ao;
    ao.uncompleted = rc.chkUncompleted;
    ao.lseOffsetSamples = cfg->runDerived.lseOffset;
    pipeline.start(run::EvaluationSettingsFromRunConf(rc, types, false, 'O'), ls, ao);

    std::vector<std::uint8_t> buffer(1 << 16);
    for (;;) {
        data.read(reinterpret_cast<char*>(buffer.data()),
                  static_cast<std::streamsize>(buffer.size()));
        const std::size_t n = static_cast<std::size_t>(data.gcount());
        if (n == 0) break;
        if (raw) {
            pipeline.acquisition().feedBytes(buffer.data(), n);
        } else {
            // Each sample nibble was saved twice; the second copy is the one kept.
            for (std::size_t i = 1; i < n; i += 2)
                pipeline.acquisition().feedNibble(buffer[i] & 0x0F);
        }
    }
    return 0;
}

}  // namespace vornlfrf::cli
