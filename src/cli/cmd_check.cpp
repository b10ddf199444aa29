#include <cstdio>
#include <string>

#include "commands.h"
#include "config/checksum.h"

namespace vornlfrf::cli {

namespace {

int checkUsage(const std::string& reason) {
    std::fprintf(stderr,
                 "check: %s\n"
                 "usage: vornlfrf-cli check --pmask PM --mask M --preamble P --data D "
                 "[--xor-not] [--add-not] [--add-2bits] [--poly X] [--init X] [--xor X] "
                 "[--width 8|16]\n",
                 reason.c_str());
    return kUsageError;
}

}  // namespace

// Runs the verification dialog's "Calc" with the options as its controls.
int cmdCheck(const Args& args) {
    config::CrcDialog dialog;
    bool seen[4] = {false, false, false, false};  // pmask, mask, preamble, data
    const struct {
        const char* name;
        std::string* target;
        int required;  // index in seen, -1 optional
    } valued[] = {
        {"--pmask", &dialog.txtPreambleMask, 0},
        {"--mask", &dialog.txtMask, 1},
        {"--preamble", &dialog.txtFramePreamble, 2},
        {"--data", &dialog.txtFrameDatas, 3},
        {"--poly", &dialog.txtPolynome, -1},
        {"--init", &dialog.txtInitialization, -1},
        {"--xor", &dialog.txtXOR, -1},
    };
    std::string width = "8";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--xor-not") {
            dialog.chkXOR_NOT = true;
            continue;
        }
        if (a == "--add-not") {
            dialog.chkADD_NOT = true;
            continue;
        }
        if (a == "--add-2bits") {
            dialog.rdbAdd2bits = true;
            continue;
        }
        std::string* target = nullptr;
        int required = -1;
        if (a == "--width") target = &width;
        for (const auto& v : valued) {
            if (a == v.name) {
                target = v.target;
                required = v.required;
            }
        }
        if (!target) return checkUsage("unknown option " + a);
        if (i + 1 >= args.size()) return checkUsage("missing value for " + a);
        *target = args[++i];
        if (required >= 0) seen[required] = true;
    }
    const char* names[] = {"--pmask", "--mask", "--preamble", "--data"};
    for (int k = 0; k < 4; ++k)
        if (!seen[k]) return checkUsage(std::string("missing ") + names[k]);
    if (width != "8" && width != "16") return checkUsage("width must be 8 or 16");
    dialog.rdb16bits = width == "16";
    for (const std::string* v : {&dialog.txtPolynome, &dialog.txtInitialization, &dialog.txtXOR}) {
        std::string error;
        config::ParseCheckValue(*v, &error);
        if (!error.empty()) return checkUsage("not a number: " + *v);
    }

    config::CheckEngine engine;
    dialog.calc(engine);
    std::printf("ADD %s %s\nXOR %s %s\nCRCa %s %s\nCRCb %s %s\n", dialog.txtADDResult.c_str(),
                dialog.txtADDResult_h.c_str(), dialog.txtXORResult.c_str(),
                dialog.txtXORResult_h.c_str(), dialog.txtCRC1.c_str(), dialog.txtCRC1H.c_str(),
                dialog.txtCRC2.c_str(), dialog.txtCRC2H.c_str());
    return 0;
}

}  // namespace vornlfrf::cli
